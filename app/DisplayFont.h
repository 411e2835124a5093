#pragma once

#include <QString>

class QWidget;

// Registers the embedded display font for this process only and gives the main window its font: the
// display font, bold, 10 point, text colour RGB(65, 55, 40). When the font cannot be registered, the
// user is told and a serif font of the system is used instead. Returns whether the registration worked.
bool InstallDisplayFont(QWidget* mainWindow);

// The family the windows name for their display texts: the embedded font's family once registered,
// otherwise the fallback serif family.
QString DisplayFontFamily();

// The text colour of the main window's font.
inline constexpr int kDisplayTextRed = 65, kDisplayTextGreen = 55, kDisplayTextBlue = 40;
