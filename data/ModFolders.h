#pragma once

#include <QString>

// Folder names of the generated mod and of the companion yard mod below the game's mods folder. A
// leading "-" marks a switched-off copy; generation never touches those.
inline const QString kModName = QStringLiteral("[Air Ships] Aerolune");
inline const QString kYardModName = QStringLiteral("[Air Ships] Aerolune Yard");

// modFolder + "[Air Ships] Aerolune/" (modFolder ends with "/").
inline QString ModFolderPath(const QString& modFolder) {
    return modFolder + kModName + QLatin1Char('/');
}
