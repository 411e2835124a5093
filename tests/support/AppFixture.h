#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
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

    // Creates the six windows (runs start-up), shows the main window and waits until it has settled its
    // outer size. Returns what CreateApplicationWindows returned.
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

    // The one way of answering modal dialogs. Arms a one-shot action: as soon as the next modal window is
    // shown and active, as a user would see it, `action` runs on it. Returns at once.
    static void onNextModal(std::function<void(QWidget*)> action);
    // Answers the next modal dialog by clicking its button `buttonName` (OKBtn, AbortBtn, CloseBtn …, or a
    // QMessageBox button by its text; without such a button the window is closed). `texts` receives the
    // texts of its labels and buttons by object name, and the window's object name as "window".
    static void answerNextModal(const QString& buttonName, QMap<QString, QString>* texts = nullptr);
    // Forgets the armed actions that found no window (they never touch a later test) and returns how many.
    static int dropPendingModalActions();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QByteArray m_oldConfigHome, m_oldConfigDirs, m_oldRuntimeDir, m_oldHome, m_oldDataHome;
    bool m_started = false;
};

template <typename T> T* AppFixture::find(const QString& name) {
    return qobject_cast<T*>(findWidget(name));
}
