#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The mod's icons, in export order; the ship records point at the first six, the helium buff at the last.
const QStringList& ModIconNames();

struct ModIcon {
    QString name;   // file name without ".png"
    QByteArray png; // 128 × 128
};

// Places the generated mod and the companion yard mod in the mods folder: the asset folder ends up holding
// only dataFolder's "assets.xml"; the text folder gets "texts_german.xml"; the icon folder the icons as PNG
// files (other files in both folders stay); "modinfo.json" when given; the installed yard mod is replaced by
// a copy of the data folder's one (the switched-off "-" forms are never touched); finally the intermediate
// "assets.xml" is removed from the data folder.
//
// Every file of the mod and the whole yard copy are written completely before anything in the mods folder
// is replaced, so a failure (a full disk, a write-protected folder) throws SkylatheError with the system's
// reason and leaves the mods folder as it was; otherwise the mod is the complete new version.
void DeployMod(const QString& dataFolder, const QString& modFolder, const QList<ModIcon>& icons,
               const QByteArray& modInfo = QByteArray());
