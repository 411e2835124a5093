#pragma once

#include <QString>

// What the game discovery needs from the user interface, so that the discovery itself runs headless.
class GameFolderUi {
public:
    virtual ~GameFolderUi() = default;
    // An error message with an error icon, shown before the program ends or when a start step failed.
    virtual void showStartError(const QString& caption, const QString& text) = 0;
    // Lets the user pick the game's main folder, showing the description text and starting in
    // `startFolder`; empty when cancelled.
    virtual QString browseForGameFolder(const QString& descriptionText, const QString& startFolder) = 0;
};

// The game's executable below its folder; a folder is the game folder exactly when it holds this file.
QString GameExecutableIn(const QString& gameFolder);

// Makes sure this is the only running copy, finds the game's folder (stored location, the publisher's
// installation key, the launcher's installation key, the Steam libraries, the user's choice) and
// rewrites the program key. A stored or key value that is not an absolute folder counts as missing.
// On true, AppFolders().GameFolder and ModFolder are set. On false a message has been shown and the
// program must end.
bool FindGameFolder(GameFolderUi& ui);

// The fixed texts of the discovery, with real line breaks.
namespace GameFolderTexts {
QString startErrorCaption();
QString alreadyRunning();
QString browserDescription();
QString notTheGameFolder();
} // namespace GameFolderTexts
