#pragma once

#include "app/FindGameFolder.h"

class QFileDialog;
class QWidget;

// The folder browser of the game discovery: Qt's own folder dialog (the desktop's portal where one runs),
// with hidden folders shown and a field to type a path, so that Steam's and Wine's folders below the
// home folder can be reached. Where Qt draws the dialog itself, the description text stands above it
// ("DescriptionLabel"); the desktop's own dialog carries it in its title.
QFileDialog* CreateGameFolderDialog(const QString& descriptionText, const QString& startFolder,
                                    QWidget* parent = nullptr);

// The discovery's user interface with the program's windows: critical message boxes and the browser.
class DialogGameFolderUi : public GameFolderUi {
public:
    explicit DialogGameFolderUi(QWidget* owner = nullptr) : m_owner(owner) {}
    void showStartError(const QString& caption, const QString& text) override;
    QString browseForGameFolder(const QString& descriptionText, const QString& startFolder) override;

private:
    QWidget* m_owner;
};
