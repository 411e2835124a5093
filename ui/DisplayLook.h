#pragma once

#include <QColor>
#include <QPalette>

// The program's fixed look. Its colours belong to the windows' design (parchment, brown text, white boxes),
// so they must not come from the desktop: a dark system theme would otherwise put brown text on grey.

inline const QColor kParchment(236, 210, 164);
inline const QColor kDisplayText(65, 55, 40);

// A palette with every role of every colour group set, with `window` as the window background.
QPalette DisplayPalette(const QColor& window = kParchment);

// Makes the fixed look the application's: the Fusion style (drawn from the palette on every platform), the
// palette above for the application and its tool tips. Runs before the first window is created.
void InstallDisplayLook();
