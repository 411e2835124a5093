#include "editor/ShipIndex.h"

#include "data/Error.h"

#include <QDir>

void RequireDecimalGuid(const QString& guid, const QString& what) {
    bool digitsOnly = !guid.isEmpty();
    for (const QChar c : guid) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            digitsOnly = false;
        }
    }
    if (!digitsOnly) {
        throw SkylatheError(QStringLiteral("Die GUID „%1“ (%2) ist keine Zahl.").arg(guid, what));
    }
}

QList<ShipIndexEntry> ReadShipIndex(const XmlDocument& index, const QString& gasType) {
    // The gas comes from the program, never from the user; quotes would break the query.
    if (gasType.contains(QLatin1Char('"'))) {
        throw SkylatheError(QStringLiteral("Unbekannte Gasart „%1“.").arg(gasType));
    }
    const XmlNodeList nodes = index.root().selectAll(QStringLiteral("AirShip[@Type=\"%1\"]").arg(gasType));
    QList<ShipIndexEntry> entries;
    for (const XmlNode& node : nodes) {
        entries.append({node.attributeAt(0), node.attributeAt(1), node.attributeAt(2), node.attributeAt(5)});
    }
    return entries;
}

ShipIndexInfo ReadShipIndexInfo(const XmlDocument& index, const QString& guid) {
    RequireDecimalGuid(guid, QStringLiteral("Luftschiff"));
    const XmlNode entry = index.root().selectSingle(QStringLiteral("AirShip[@GUID=\"%1\"]").arg(guid));
    if (entry.isNull()) {
        throw SkylatheError(QStringLiteral("Das Luftschiff %1 fehlt in %2.")
                                .arg(guid, QDir::toNativeSeparators(index.path())));
    }
    return {entry.attributeAt(2), entry.attributeAt(4)};
}
