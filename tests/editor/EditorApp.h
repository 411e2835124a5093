#pragma once

#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "data/Folders.h"
#include "ui/ErrorBoundary.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

// The program with all six windows on a private copy of the built data package, a stand-in game folder
// with an empty mods folder and private settings folders.
class EditorApp {
public:
    EditorApp() {
        root = m_dir.path() + QLatin1Char('/');
        programFolder = root + QStringLiteral("program/");
        dataFolder = programFolder + QStringLiteral("XMLD/");
        gameFolder = root + QStringLiteral("game");
        modFolder = gameFolder + QStringLiteral("/mods/");
        copyTree(QStringLiteral(SKYLATHE_BINARY_DIR "/package/XMLD"), dataFolder);
        QDir().mkpath(modFolder);
        QDir().mkpath(gameFolder + QStringLiteral("/Bin/Win64"));
        QFile exe(gameFolder + QStringLiteral("/Bin/Win64/Velmora.exe"));
        exe.open(QIODevice::WriteOnly);
        exe.close();
        QDir().mkpath(root + QStringLiteral("config/Skylathe"));
        QFile key(root + QStringLiteral("config/Skylathe/ProgramKey.ini"));
        key.open(QIODevice::WriteOnly);
        key.write(QStringLiteral("GameLocation=%1\nModLocation=%2\n").arg(gameFolder, modFolder).toUtf8());
        key.close();
        QDir().mkpath(root + QStringLiteral("runtime"));
        qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("config")).toUtf8());
        qputenv("XDG_CONFIG_DIRS", (root + QStringLiteral("configdirs")).toUtf8());
        qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("runtime")).toUtf8());
        // Steam and Wine of the real home are never looked at.
        qputenv("HOME", (root + QStringLiteral("home")).toUtf8());
        qputenv("XDG_DATA_HOME", (root + QStringLiteral("home/.local/share")).toUtf8());

        TMainForm::SetProgramFolderForTests(programFolder);
        TMainForm::SetGameRunningCheckForTests([](const QString&) { return false; });
        ErrorBoundary::setCollecting(true);
        ErrorBoundary::takeCollected();
        m_created = CreateApplicationWindows();
        if (AppFolders().ModFolder.isEmpty()) {
            AppFolders().GameFolder = gameFolder;
            AppFolders().ModFolder = modFolder;
        }
        if (MainForm) {
            MainForm->show();
            if (!QTest::qWaitForWindowExposed(MainForm)) {
                qWarning("the main window was not exposed");
            }
            QTest::qWait(20); // the window settles its outer size once shown
        }
    }

    ~EditorApp() {
        DestroyApplicationWindows();
        ErrorBoundary::setCollecting(false);
        AppFolders() = Folders();
    }

    EditorApp(const EditorApp&) = delete;
    EditorApp& operator=(const EditorApp&) = delete;

    bool created() const { return m_created; }

    static void copyTree(const QString& from, const QString& to) {
        QDir().mkpath(to);
        QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString target = to + QDir(from).relativeFilePath(path);
            if (it.fileInfo().isDir()) {
                QDir().mkpath(target);
            } else {
                QFile::copy(path, target);
                QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
            }
        }
    }

    QString root;
    QString programFolder;
    QString dataFolder;
    QString gameFolder;
    QString modFolder;

private:
    QTemporaryDir m_dir;
    bool m_created = false;
};

template <typename T = QWidget> T* control(QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (!found) {
        qWarning("control %s not found", qPrintable(name));
    }
    return found;
}

// Modal answers still waiting for their window; a test ends with none left (DropPendingModalActions).
inline int& PendingModalActions() {
    static int pending = 0;
    return pending;
}
inline int& ModalGeneration() {
    static int generation = 0;
    return generation;
}
// Forgets waiting answers (they never touch a later test) and returns how many were left.
inline int DropPendingModalActions() {
    const int left = PendingModalActions();
    PendingModalActions() = 0;
    ++ModalGeneration();
    return left;
}

// Runs `action` on the next modal window as soon as it is open.
inline void OnNextModal(std::function<void(QWidget*)> action) {
    ++PendingModalActions();
    const int generation = ModalGeneration();
    auto poll = std::make_shared<std::function<void()>>();
    auto waited = std::make_shared<int>(0);
    *poll = [action, generation, poll, waited] {
        if (generation != ModalGeneration()) {
            *poll = nullptr;
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        // A user acts on a dialog once it is shown and active; windows that fill themselves on activation
        // are only complete then. Give activation a moment, but never wait forever.
        if (!modal || !modal->isVisible() || (!modal->isActiveWindow() && ++*waited < 50)) {
            QTimer::singleShot(10, *poll);
            return;
        }
        --PendingModalActions();
        action(modal);
        *poll = nullptr;
    };
    QTimer::singleShot(10, *poll);
}

// Answers the next modal dialog by clicking its button `button`; `texts` receives the texts of its labels
// and buttons by object name.
inline void AnswerNextModal(const QString& button, QMap<QString, QString>* texts = nullptr) {
    OnNextModal([button, texts](QWidget* modal) {
        if (texts) {
            for (QLabel* l : modal->findChildren<QLabel*>()) {
                texts->insert(l->objectName(), l->text());
            }
            for (QPushButton* b : modal->findChildren<QPushButton*>()) {
                texts->insert(b->objectName(), b->text());
            }
            texts->insert(QStringLiteral("window"), modal->objectName());
        }
        if (auto* target = modal->findChild<QPushButton*>(button)) {
            QTest::mouseClick(target, Qt::LeftButton);
        } else {
            modal->close();
        }
    });
}
