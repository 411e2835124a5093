#pragma once

#include <QString>

// The data preparation command: rebuilds the data files of `dataFolder` from the game's extracted airship
// asset lists and its German text file in `originalFolder` (both folders end with "/"). Each step opens the
// files it needs itself. Throws SkylatheError naming the file when a source is missing or malformed.
bool MergeGameAssetFiles(const QString& originalFolder, const QString& dataFolder);
bool RemoveOtherAssets(const QString& dataFolder);
bool ConvertShipRecords(const QString& originalFolder, const QString& dataFolder);
bool CompleteCostItems(const QString& dataFolder);
bool WriteShipIndex(const QString& originalFolder, const QString& dataFolder);
bool WriteProductCatalogue(const QString& dataFolder);

// All seven steps in order (WriteModTexts is the sixth).
bool RunDataPreparation(const QString& originalFolder, const QString& dataFolder);

// Gives the shipped working file its layout: the Mapinguari record (2000502010) of dataFolder +
// "AirShipFull.xml" gets its cost rows in the saved form and a line break at the end of its description,
// as after a save in the editor. Run by the package build after RunDataPreparation. Returns true.
bool ShapeShippedWorkingFile(const QString& dataFolder);
