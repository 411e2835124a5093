#pragma once

#include <QString>

// The names of the files in the data folder, for every part of the program that reads or writes them.
namespace DataFile {
inline const QString Working = QStringLiteral("AirShipFull.xml");     // the ship records being edited
inline const QString Original = QStringLiteral("AirShipFullOrg.xml"); // the ship records as shipped
inline const QString ShipIndex = QStringLiteral("AirShipShort.xml");  // the ship list's lines
inline const QString Products = QStringLiteral("ProductList.xml");    // the product catalogue
inline const QString Mines = QStringLiteral("GasMines.xml");          // the mines' extra helium
inline const QString HelpTexts = QStringLiteral("Help.xml");          // the hover-help records
inline const QString HelpPage = QStringLiteral("Help.html");          // the information window's page
inline const QString Properties = QStringLiteral("Properties.xml");   // the mod's properties block
inline const QString Texts = QStringLiteral("texts_german.xml");      // the mod's German texts
inline const QString Assets = QStringLiteral("assets.xml");           // the generated assets, before deployment
} // namespace DataFile
