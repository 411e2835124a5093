#pragma once

#include "data/Xml.h"
#include "editor/CostRow.h"

#include <QMap>
#include <QString>
#include <array>
#include <optional>

// Reading a ship's record of the asset files "AirShipFull.xml" / "AirShipFullOrg.xml" into the texts the
// detail view shows.

// The record's Values element. `quoted` compares the GUID as text (saving, resets), otherwise as a number
// (the detail view). Throws SkylatheError naming the file when the record is missing.
XmlNode SelectShipRecord(const XmlDocument& assets, const QString& guid, bool quoted);

// Record text → box text: with a point locale every "," becomes ".", otherwise every "." becomes ",".
QString ToBoxDecimal(const QString& text, bool decimalSeparatorIsPoint);
// Box text → record text: every "," becomes ".".
QString ToRecordDecimal(const QString& text);

// A box text parsed with the system's format (the invariant form is accepted as well).
std::optional<double> ParseBoxNumber(const QString& text);
// A whole number as the editor reads it; nullopt for anything else.
std::optional<qint64> ParseWholeNumber(const QString& text);

// "ca. " + value + " kn." with at most `decimals` decimals, no trailing zeros and the system's decimal
// separator (pattern "0.#" for one decimal, "0.####" for four).
QString FormatKnots(double value, int decimals);

// The box texts of one record, InfluenceCostPoints excepted (it is read with the costs). `texts` comes in
// with the texts shown so far: a value without default whose element is missing keeps its text. The speed
// is returned as a number when the record has it. Throws SkylatheError for a speed that is no number or a
// crafting time that is no whole number.
struct RecordValues {
    QMap<QString, QString> texts;
    std::optional<double> speed;
};
RecordValues ReadShipValues(const XmlNode& values, bool original, bool decimalSeparatorIsPoint,
                            const QMap<QString, QString>& previousTexts);

// The seven cost rows and the influence points of a record, with product names and icons from the
// catalogue. Working rows take every item; original rows only items with an Ingredient. Items beyond the
// seventh are not shown. Throws SkylatheError for a product that is not in the catalogue.
struct RecordCosts {
    std::array<CostRow, 7> rows;
    QString influenceCostPoints = QStringLiteral("0");
};
RecordCosts ReadWorkingCosts(const XmlNode& values, const XmlDocument& catalogue);
RecordCosts ReadOriginalCosts(const XmlNode& values, const XmlDocument& catalogue);
