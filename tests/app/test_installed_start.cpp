#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "app/platform/Platform.h"
#include "data/Folders.h"
#include "tests/support/AppFixture.h"
#include "tests/support/WindowTestMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <sched.h>
#include <sys/mount.h>

// An installed program: its folder is read-only (a read-only bind mount in a private mount namespace of
// this test process, so that nothing outside changes). The data goes to the user's data location.
class TestInstalledStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsFromReadOnlyFolder();
    void windowCarriesIcon();
};

namespace {

// Collects and closes every message box that opens while the test runs.
class BoxWatch : public QObject {
public:
    QStringList texts;
    BoxWatch() {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                    texts << box->windowTitle() + "|" + box->text();
                    box->close();
                }
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

QString MakeReadOnly(const QString& folder) {
    if (::unshare(CLONE_NEWNS) != 0)
        return QStringLiteral("no private mount namespace: ") + QString::fromLocal8Bit(strerror(errno));
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return QStringLiteral("mounts cannot be made private: ") + QString::fromLocal8Bit(strerror(errno));
    const QByteArray path = folder.toLocal8Bit();
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return QStringLiteral("no read-only bind mount: ") + QString::fromLocal8Bit(strerror(errno));
    return {};
}

} // namespace

void TestInstalledStart::startsFromReadOnlyFolder() {
    AppFixture app(AppFixture::Data::Unpack);
    QTemporaryDir user;
    qputenv("XDG_DATA_HOME", (user.path() + "/data").toUtf8());
    const QString reason = MakeReadOnly(app.programFolder());
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    // Undone before the fixture removes its folders.
    struct Unmount {
        QByteArray path;
        ~Unmount() { ::umount2(path.constData(), MNT_DETACH); }
    } unmount{app.programFolder().toLocal8Bit()};
    QFile probe(app.programFolder() + "probe");
    QVERIFY(!probe.open(QIODevice::WriteOnly)); // the folder really is read-only

    BoxWatch boxes;
    QVERIFY(app.start());
    QCOMPARE(boxes.texts, QStringList());
    QCOMPARE(app.takeErrors(), QStringList());

    const QString programFolder = user.path() + "/data/Skylathe/";
    QCOMPARE(AppFolders().ProgramFolder, programFolder);
    QCOMPARE(AppFolders().DataFolder, programFolder + "XMLD/");
    QVERIFY(QFileInfo(programFolder + "XMLD/AirShipFull.xml").isFile());
    QVERIFY(!QFile::exists(programFolder + "XMLD.zip"));
    QCOMPARE(QDir(app.programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(AppFixture::find<QTreeWidget>("ShipView")->topLevelItemCount() > 0);
    QCOMPARE(QString::fromStdString(platform::ReadProgramValue("PrgPath")), programFolder);
    app.stop();
    qunsetenv("XDG_DATA_HOME");
}

// The main window shows the same picture the icon theme gets installed.
void TestInstalledStart::windowCarriesIcon() {
    AppFixture app;
    QVERIFY(app.start());
    const QImage shown =
        MainForm->windowIcon().pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage installed = QImage(SKYLATHE_BINARY_DIR "/desktop/icons/48x48/org.skylathe.Skylathe.png")
                                 .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shown.size(), QSize(48, 48));
    QCOMPARE(shown, installed);
}

SKYLATHE_WINDOW_TEST_MAIN(TestInstalledStart)
#include "test_installed_start.moc"
