#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <functional>

// Where a generation run takes its pictures from: the image collection in the program, stand-ins in tests.
struct ModPictures {
    // The named picture scaled to width × height; a null image when there is none.
    std::function<QImage(const QString& name, int width, int height)> scaled;
    // The named picture's PNG data as stored; empty when there is none.
    std::function<QByteArray(const QString& name)> storedPng;

    // The program's image collection.
    static ModPictures FromImageCollection();
};

// Everything a generation run reads besides the data folder.
struct GenerationContext {
    QString dataFolder; // ends with "/"
    QString modFolder;  // the game's mods folder, ends with "/"
    std::function<bool()> gameRunning;
    QDateTime now;
    QString userName;
    QString version;
    ModPictures pictures;
};

// One generation run: rebuilds the whole mod "[Air Ships] Aerolune" in the mods folder from the data
// folder and installs a fresh copy of the yard mod beside it. Returns false at once, reading and writing
// nothing, while the game runs. All inputs are read and checked before the first file is written, so a
// faulty working file, mine list or missing picture stops the run with a SkylatheError and leaves the mods
// folder as it was.
bool CreateModification(const GenerationContext& context);

// The same with the program's folders, clock, user name, version and image collection.
bool CreateModification();
