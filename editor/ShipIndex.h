#pragma once

#include "data/Xml.h"

#include <QList>
#include <QString>

// One line of the ship list, read from the ship index "AirShipShort.xml" (attributes by position).
struct ShipIndexEntry {
    QString guid;
    QString name;
    QString icon;
    QString pos;
};

// The index entries of one lift gas in document order. Throws SkylatheError for a document without root
// or an entry with fewer than six attributes.
QList<ShipIndexEntry> ReadShipIndex(const XmlDocument& index, const QString& gasType);

// Icon and armed attribute of a ship's index entry. Throws SkylatheError when the entry is missing.
struct ShipIndexInfo {
    QString icon;
    QString armed;
};
ShipIndexInfo ReadShipIndexInfo(const XmlDocument& index, const QString& guid);

// Ship GUIDs and product GUIDs go into XPath queries; anything but decimal digits is refused with a
// SkylatheError naming `what`.
void RequireDecimalGuid(const QString& guid, const QString& what);
