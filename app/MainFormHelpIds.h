#pragma once

#include <QHash>
#include <QString>

// The help id of every main-window control that has hover help, by object name. Controls not listed
// (labels, the icons and markers inside the panels, most buttons) leave the help panel unchanged.
QHash<QString, int> MainFormHelpIds();
