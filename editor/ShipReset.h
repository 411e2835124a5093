#pragma once

#include <QString>

// The file part of the single-ship reset: the ship's Asset of DataFolder + "AirShipFull.xml" is replaced
// by a deep copy of its Asset in "AirShipFullOrg.xml", placed as the last child of AssetList. A record
// missing from either file throws SkylatheError and nothing is written.
void ResetShipRecord(const QString& dataFolder, const QString& guid);

// The file part of the full reset: "AirShipFull.xml" becomes a byte copy of "AirShipFullOrg.xml", every
// mine of "GasMines.xml" gets Status "false", and the generated mod and the yard mod are deleted from the
// mods folder in their active and switched-off forms. Everything is checked before the first write; a
// missing or broken file throws SkylatheError with nothing changed. Folders the system refuses to delete
// stay without a message.
void ResetAllShipFiles(const QString& dataFolder, const QString& modFolder);
