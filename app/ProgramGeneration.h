#pragma once

#include "modgen/CreateModification.h"

// The program's side of a generation run, one place for the main window and the command line: the clock,
// the user name, the program version and the mod's pictures. The pictures are the image collection's,
// rendered when the program was built (ModPictureData.h), so that a run needs no graphics at all.
//
// The game check is the callers': both test IsGameRunning before anything else is gathered; the main
// window then writes nothing without a word, the command line says why.
GenerationContext ProgramGenerationContext(const QString& dataFolder, const QString& modFolder);

// The mod's pictures as the build made them from the image collection.
ModPictures ProgramModPictures();

// One generation run of the program: from its data folder into the game's mods folder found at start.
// Returns false at once, reading and writing nothing, while the game runs.
bool CreateModification();
