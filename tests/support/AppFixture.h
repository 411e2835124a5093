#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

// A complete program start in temporary folders, for window tests: a program folder with the built data
// package tree (or none, so that start-up unpacks), a fake game folder with "Bin/Win64/Velmora.exe" and
// "mods", the settings folders pointed at temporary places with the program key naming the fake game,
// and general errors collected instead of shown. Nothing touches the user's real settings or home.
class AppFixture {
public:
    enum class Data { Package, Unpack, EmptyFolder };

    explicit AppFixture(Data data = Data::Package);
    ~AppFixture();

    // Creates the six windows (runs start-up) and shows the main window. Returns what
    // CreateApplicationWindows returned.
    bool start();
    // Destroys the windows again (also done by the destructor).
    void stop();

    QString programFolder() const; // ends with "/"
    QString dataFolder() const;    // programFolder() + "XMLD/"
    QString gameFolder() const;    // no trailing "/"
    QString modFolder() const;     // gameFolder() + "/mods/"

    // The general errors collected since the last call.
    QStringList takeErrors();

    // The main window's control with that object name (nullptr when there is none).
    template <typename T = QWidget> static T* find(const QString& name);
    static QWidget* findWidget(const QString& name);

    // A left click in the middle of the control (a picture label or a button), the way a user clicks.
    static void click(const QString& name);
    static void click(QWidget* widget);
    // Moves the mouse to `pos` inside the control (default: its middle).
    static void hover(QWidget* widget, QPoint pos = QPoint(-1, -1));

    // Arms a one-shot answer: as soon as a modal dialog is open, its button named `buttonName` (OKBtn,
    // AbortBtn, CloseBtn …, or a QMessageBox button by its text) is clicked. Returns at once.
    static void answerNextModal(const QString& buttonName, int timeoutMs = 5000);

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QByteArray m_oldConfigHome, m_oldConfigDirs, m_oldRuntimeDir, m_oldHome, m_oldDataHome;
    bool m_started = false;
};

template <typename T> T* AppFixture::find(const QString& name) {
    return qobject_cast<T*>(findWidget(name));
}
