#pragma once

#include <QString>

// Writes the mod's text file dataFolder + "texts_german.xml" from every record of dataFolder +
// "AirShipFull.xml" (name and description of each ship), then re-indents it. Returns true.
bool WriteModTexts(const QString& dataFolder);
