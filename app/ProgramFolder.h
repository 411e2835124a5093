#pragma once

#include <QString>

// The program folder of a run from `executableFolder`: that folder itself when the program may write
// there (a portable copy), otherwise the user's data location "$XDG_DATA_HOME/Skylathe/" (default
// "~/.local/share/Skylathe/"), where an installed program keeps its data folder. Ends with "/".
QString ProgramFolderFor(const QString& executableFolder);
