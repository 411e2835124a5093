#pragma once

#include "data/Xml.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// What the header comment of the mod's asset file names.
struct AssetFileHeader {
    QDateTime time;   // shown in the user's regional short date + long time format
    QString userName; // trimmed before use
    QString version;  // the program's four-part version
};

// The lines of the mod's "assets.xml", one element or comment per line: header comment, the ships of the
// working asset file, the unlock trigger, the item-effect target pools, the pool of all airships, the
// trade-route loading rules and, when a mine is switched on, the helium production buff.
//
// `workingFile` is "AirShipFull.xml"; the icon path of each record is pointed at the mod's icon folder in
// this loaded document only. `mineFile` is "GasMines.xml". Throws SkylatheError (naming the file) when a
// file has no root or a record has no Values/Standard/IconFilename.
QStringList BuildAssetLines(const XmlDocument& workingFile, const XmlDocument& mineFile,
                            const AssetFileHeader& header);

// "data/icon/" + base name + "_star.png", where the base name is the file name part of the game path
// (after the last "\", "/" or ":") without its extension (from the last ".").
QString StarIconPath(const QString& iconFilename);
