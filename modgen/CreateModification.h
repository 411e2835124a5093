#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

// Where a generation run takes its pictures from, as PNG data: the program's pictures made from its image
// collection, stand-ins in tests. The run only writes them, so it needs no graphics at all.
struct ModPictures {
    // The named icon at 128 × 128; empty when there is none.
    std::function<QByteArray(const QString& name)> iconPng;
    // The named picture as stored; empty when there is none.
    std::function<QByteArray(const QString& name)> storedPng;
};

// Everything a generation run reads besides the data folder; the program fills it in one place for the main
// window and the command line (ProgramGenerationContext).
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
