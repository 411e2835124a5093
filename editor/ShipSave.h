#pragma once

#include <QMap>
#include <QString>
#include <array>

// What the detail view holds for one ship at the moment of a save.
struct CostEdit {
    QString guid = QStringLiteral("0"); // "0": the row has no product
    QString amount;                     // the amount box's text
};

struct ShipEdits {
    QString name;
    QString description;
    std::array<CostEdit, 7> costs;
    QString influenceCostPoints;
    QMap<QString, QString> values; // value box name → box text
};

// Writes name and description, rebuilds the seven cost items and writes every value box into the ship's
// record of DataFolder + "AirShipFull.xml" — one document, checked completely first, written once
// atomically in the canonical layout. The result equals running SaveShipTexts, SaveShipCosts and
// SaveShipValues one after the other. Any error (missing file or record element, unknown product, a value
// that is no number) throws SkylatheError and leaves the file exactly as it was.
void SaveShip(const QString& dataFolder, const QString& guid, const ShipEdits& edits);

// The three steps on their own, each loading and saving the file itself.
void SaveShipTexts(const QString& dataFolder, const QString& guid, const ShipEdits& edits);
void SaveShipCosts(const QString& dataFolder, const QString& guid, const ShipEdits& edits);
void SaveShipValues(const QString& dataFolder, const QString& guid, const ShipEdits& edits);
