#pragma once

#include "app/FindGameFolder.h"

#include <QDialog>

class QFileSystemModel;
class QPushButton;
class QTreeView;

// The folder browser of the game discovery: the description text above a tree of folders only, starting
// at the user's home folder with nothing selected, and the buttons "OK" and "Abbrechen". There is no
// button for making a new folder.
class GameFolderBrowser : public QDialog {
    Q_OBJECT
public:
    explicit GameFolderBrowser(const QString& descriptionText, QWidget* parent = nullptr);

    // The folder selected in the tree; empty while nothing is selected.
    QString selectedFolder() const;

private:
    void updateOkButton();

    QFileSystemModel* m_model;
    QTreeView* m_tree;
    QPushButton* m_okButton;
};

// The discovery's user interface with the program's windows: critical message boxes and the browser.
class DialogGameFolderUi : public GameFolderUi {
public:
    explicit DialogGameFolderUi(QWidget* owner = nullptr) : m_owner(owner) {}
    void showStartError(const QString& caption, const QString& text) override;
    QString browseForGameFolder(const QString& descriptionText) override;

private:
    QWidget* m_owner;
};
