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

// Places the generated mod and the companion yard mod in the mods folder, in this order: the asset folder
// wiped and recreated with dataFolder's "assets.xml"; the text folder with "texts_german.xml"; the icon
// folder with the icons' PNG files (other files in both folders stay); the installed yard mod replaced
// by a fresh copy of the data folder's one (skipping what fails to copy; the switched-off "-" forms are
// never touched); finally the intermediate "assets.xml" removed from the data folder. Throws
// SkylatheError when a folder cannot be created or a file of the mod cannot be written.
void DeployMod(const QString& dataFolder, const QString& modFolder, const QList<ModIcon>& icons);
