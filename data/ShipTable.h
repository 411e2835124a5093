#pragma once

#include <QList>
#include <QString>

// The sixteen airships of the editor and their fixed identities.
struct ShipIdentity {
    QString guid;            // editor GUID, 2000502010 … 2000502025
    QString baseGuid;        // GUID of the base-game airship it derives from
    QString pos;             // list position letter A … H within its lift gas
    QString descriptionGuid; // text id of its description, 2000502030 … 2000502045
    QString name;
    QString liftGas; // "Heliumgas" or "Arcticgas"
    bool armed;
    QString icon;
    QString baseDescriptionGuid;
    double minSpeedFactor;
    double maxSpeedFactor;
};

// The table, ordered by editor GUID.
const QList<ShipIdentity>& ShipIdentities();

// Editor GUID for a base-game GUID; empty for an unknown one.
QString GetShipGuidForBase(const QString& baseGuid);
// Writes the list letter into `position`; leaves it unchanged for an unknown base GUID.
void GetListPositionForBase(const QString& baseGuid, QString& position);
// Description text id for a base-game GUID; empty for an unknown one.
QString GetDescriptionGuidForBase(const QString& baseGuid);
// Speed factors for an editor GUID; 0.0 for an unknown one.
double GetMinSpeedFactor(const QString& guid);
double GetMaxSpeedFactor(const QString& guid);

// True for the four armed editor GUIDs.
bool IsArmedShipGuid(const QString& guid);
