#pragma once

#include <QIcon>

// The application's icon, drawn from its SVG at the usual sizes: the windows' icon, the same picture the
// icon theme gets at installation.
QIcon ApplicationIcon();

// The desktop file name (without ".desktop") that launchers and the desktop's portal know the program by.
QString ApplicationId();
