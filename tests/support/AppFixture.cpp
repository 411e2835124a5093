#include "tests/support/AppFixture.h"

#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "data/Folders.h"
#include "ui/ErrorBoundary.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(it.filePath());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else {
            QFile::copy(it.filePath(), target);
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

AppFixture::AppFixture(Data data) : m_root(std::make_unique<QTemporaryDir>()) {
    m_oldConfigHome = qgetenv("XDG_CONFIG_HOME");
    m_oldConfigDirs = qgetenv("XDG_CONFIG_DIRS");
    m_oldRuntimeDir = qgetenv("XDG_RUNTIME_DIR");
    m_oldHome = qgetenv("HOME");
    m_oldDataHome = qgetenv("XDG_DATA_HOME");
    const QString root = m_root->path();
    QDir().mkpath(root + QStringLiteral("/program"));
    QDir().mkpath(root + QStringLiteral("/config"));
    QDir().mkpath(root + QStringLiteral("/configdirs"));
    QDir().mkpath(root + QStringLiteral("/runtime"));
    writeFile(gameFolder() + QStringLiteral("/Bin/Win64/Velmora.exe"), QByteArray());
    QDir().mkpath(gameFolder() + QStringLiteral("/mods"));
    writeFile(root + QStringLiteral("/config/Skylathe/ProgramKey.ini"),
              (QStringLiteral("GameLocation=") + gameFolder() + QStringLiteral("\nModLocation=") +
               modFolder() + QStringLiteral("\n"))
                  .toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_CONFIG_DIRS", (root + QStringLiteral("/configdirs")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/runtime")).toUtf8());
    // Steam and Wine of the real home are never looked at; an installed start keeps its data in here.
    qputenv("HOME", (root + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/home/.local/share")).toUtf8());

    if (data == Data::Package)
        copyTree(QStringLiteral(SKYLATHE_BINARY_DIR "/package/XMLD"), dataFolder());
    else if (data == Data::EmptyFolder)
        QDir().mkpath(dataFolder());

    TMainForm::SetProgramFolderForTests(programFolder());
    TMainForm::SetGameRunningCheckForTests([](const QString&) { return false; });
    ErrorBoundary::setCollecting(true);
    ErrorBoundary::takeCollected();
}

AppFixture::~AppFixture() {
    stop();
    TMainForm::SetProgramFolderForTests(QString());
    TMainForm::SetGameRunningCheckForTests({});
    ErrorBoundary::setCollecting(false);
    qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    qputenv("XDG_CONFIG_DIRS", m_oldConfigDirs);
    qputenv("XDG_RUNTIME_DIR", m_oldRuntimeDir);
    qputenv("HOME", m_oldHome);
    if (m_oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_oldDataHome);
}

bool AppFixture::start() {
    const bool created = CreateApplicationWindows();
    m_started = created;
    if (created) {
        MainForm->show();
        if (!QTest::qWaitForWindowExposed(MainForm))
            qWarning("main window not exposed");
        QTest::qWait(20); // the window settles its outer size once shown
    }
    return created;
}

void AppFixture::stop() {
    if (m_started) {
        DestroyApplicationWindows();
        m_started = false;
    }
    AppFolders() = Folders();
}

QString AppFixture::programFolder() const {
    return m_root->path() + QStringLiteral("/program/");
}
QString AppFixture::dataFolder() const {
    return programFolder() + QStringLiteral("XMLD/");
}
QString AppFixture::gameFolder() const {
    return m_root->path() + QStringLiteral("/game");
}
QString AppFixture::modFolder() const {
    return gameFolder() + QStringLiteral("/mods/");
}

QStringList AppFixture::takeErrors() {
    return ErrorBoundary::takeCollected();
}

QWidget* AppFixture::findWidget(const QString& name) {
    if (!MainForm)
        return nullptr;
    // The main window's own control: the dialogs it owns hold controls of the same names.
    for (QWidget* candidate : MainForm->findChildren<QWidget*>(name)) {
        if (candidate->window() == MainForm)
            return candidate;
    }
    return nullptr;
}

void AppFixture::click(const QString& name) {
    click(findWidget(name));
}

void AppFixture::click(QWidget* widget) {
    if (!widget)
        return;
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void AppFixture::hover(QWidget* widget, QPoint pos) {
    if (!widget)
        return;
    QTest::mouseMove(widget, pos == QPoint(-1, -1) ? widget->rect().center() : pos);
}

namespace {

int& pendingModalActions() {
    static int pending = 0;
    return pending;
}

int& modalGeneration() {
    static int generation = 0;
    return generation;
}

} // namespace

void AppFixture::onNextModal(std::function<void(QWidget*)> action) {
    ++pendingModalActions();
    const int generation = modalGeneration();
    auto poll = std::make_shared<std::function<void()>>();
    auto waited = std::make_shared<int>(0);
    *poll = [action, generation, poll, waited] {
        if (generation != modalGeneration()) {
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
        --pendingModalActions();
        action(modal);
        *poll = nullptr;
    };
    QTimer::singleShot(10, *poll);
}

void AppFixture::answerNextModal(const QString& buttonName, QMap<QString, QString>* texts) {
    onNextModal([buttonName, texts](QWidget* modal) {
        if (texts) {
            for (QLabel* l : modal->findChildren<QLabel*>()) {
                texts->insert(l->objectName(), l->text());
            }
            for (QPushButton* b : modal->findChildren<QPushButton*>()) {
                texts->insert(b->objectName(), b->text());
            }
            texts->insert(QStringLiteral("window"), modal->objectName());
        }
        QAbstractButton* button = modal->findChild<QAbstractButton*>(buttonName);
        if (!button) {
            for (QAbstractButton* candidate : modal->findChildren<QAbstractButton*>()) {
                if (candidate->text().remove(QLatin1Char('&')) == buttonName) {
                    button = candidate;
                    break;
                }
            }
        }
        if (button) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            modal->close();
        }
    });
}

int AppFixture::dropPendingModalActions() {
    const int left = pendingModalActions();
    pendingModalActions() = 0;
    ++modalGeneration();
    return left;
}
