#include "app/FindGameFolder.h"
#include "app/Services.h"
#include "data/Folders.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct RecordingUi : GameFolderUi {
    QString browseAnswer;
    QStringList shown;
    int browsed = 0;
    void showStartError(const QString& caption, const QString& text) override {
        shown << caption + "|" + text;
    }
    QString browseForGameFolder(const QString& description) override {
        ++browsed;
        description == GameFolderTexts::browserDescription() ? void() : void(shown << "wrong description");
        return browseAnswer;
    }
};

void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

void MakeGame(const QString& folder) {
    WriteFile(folder + "/Bin/Win64/Velmora.exe", "MZ");
}

} // namespace

class TestDiscovery : public QObject {
    Q_OBJECT
    QTemporaryDir m_runtime;

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8()); }

    void discovery_data();
    void discovery();
    void secondCopyRefused();
};

// Placeholders in the rows: @ = the case's temporary root.
void TestDiscovery::discovery_data() {
    QTest::addColumn<QString>("storedKey"); // program key file content ("" = no key)
    QTest::addColumn<QString>("publisher"); // InstallDir of key 1 ("-" = no key file)
    QTest::addColumn<QString>("launcher");  // InstallDir of key 2
    QTest::addColumn<QString>("gameAt");    // where the game executable exists ("" = nowhere)
    QTest::addColumn<QString>("browse");    // the browser's answer
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("mods");
    QTest::addColumn<int>("browsed");
    QTest::addColumn<QString>("message");

    const QString wrong = GameFolderTexts::startErrorCaption() + "|" + GameFolderTexts::notTheGameFolder();
    QTest::newRow("stored location valid, mods folder gone")
        << "GameLocation=@/stored\nModLocation=@/gone/mods/\nExtra=1\n"
        << "@/pub"
        << "@/la/"
        << "@/stored"
        << "" << true << "@/stored"
        << "@/gone/mods/" << 0 << "";
    QTest::newRow("stored location invalid: key deleted, publisher key")
        << "GameLocation=@/old\nModLocation=@/old/mods/\n"
        << "@/pub"
        << "@/la/"
        << ""
        << "" << true << "@/pub"
        << "@/pub/mods/" << 0 << "";
    QTest::newRow("publisher key with backslashes, no trailing separator")
        << ""
        << "@\\Spiele\\Velmora"
        << "-"
        << ""
        << "" << true << "@/Spiele/Velmora"
        << "@/Spiele/Velmora/mods/" << 0 << "";
    QTest::newRow("launcher key: last character dropped") << ""
                                                          << ""
                                                          << "@/Spiele/X/"
                                                          << ""
                                                          << "" << true << "@/Spiele/X"
                                                          << "@/Spiele/X/mods/" << 0 << "";
    QTest::newRow("both keys empty: browser picks the game") << ""
                                                             << ""
                                                             << ""
                                                             << "@/chosen"
                                                             << "@/chosen/" << true << "@/chosen"
                                                             << "@/chosen/mods/" << 1 << "";
    QTest::newRow("no key files at all: browser cancelled") << ""
                                                            << "-"
                                                            << "-"
                                                            << ""
                                                            << "" << false << ""
                                                            << "" << 1 << wrong;
    QTest::newRow("browser picks a folder without the game") << ""
                                                             << ""
                                                             << ""
                                                             << "@/elsewhere"
                                                             << "@/other" << false << ""
                                                             << "" << 1 << wrong;
}

void TestDiscovery::discovery() {
    QFETCH(QString, storedKey);
    QFETCH(QString, publisher);
    QFETCH(QString, launcher);
    QFETCH(QString, gameAt);
    QFETCH(QString, browse);
    QFETCH(bool, ok);
    QFETCH(QString, game);
    QFETCH(QString, mods);
    QFETCH(int, browsed);
    QFETCH(QString, message);

    QTemporaryDir tmp;
    const QString root = tmp.path() + "/root";
    QDir().mkpath(root);
    const auto at = [&](QString s) { return s.replace('@', root); };
    qputenv("XDG_CONFIG_HOME", (tmp.path() + "/home").toUtf8());
    qputenv("XDG_CONFIG_DIRS", (tmp.path() + "/none:" + tmp.path() + "/sys").toUtf8());
    const QString keyFile = tmp.path() + "/home/Skylathe/ProgramKey.ini";
    if (!storedKey.isEmpty()) {
        WriteFile(keyFile, at(storedKey).toUtf8());
    }
    if (publisher != "-") {
        WriteFile(tmp.path() + "/sys/Kestrow/Velmora.ini",
                  ("[Velmora]\r\nInstallDir=" + at(publisher) + "\r\n").toUtf8());
    }
    if (launcher != "-") {
        WriteFile(tmp.path() + "/sys/Kestrow/Launcher/Installs/4553.ini",
                  ("InstallDir=" + at(launcher) + "\n").toUtf8());
    }
    if (!gameAt.isEmpty()) {
        MakeGame(at(gameAt));
    }
    const QStringList before = QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    AppFolders() = Folders::ForProgramFolder(tmp.path() + "/prog");
    RecordingUi ui;
    ui.browseAnswer = at(browse);
    QCOMPARE(FindGameFolder(ui), ok);
    QCOMPARE(ui.browsed, browsed);
    QCOMPARE(ui.shown.join(";"), message);

    if (!ok) {
        // Nothing was created and the stale key stays deleted.
        QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(!QFile::exists(keyFile));
        return;
    }
    QCOMPARE(AppFolders().GameFolder, at(game));
    QCOMPARE(AppFolders().ModFolder, at(mods));
    if (storedKey.isEmpty() || gameAt != storedKey.section('\n', 0, 0).section('=', 1)) {
        QVERIFY2(QFileInfo(at(mods)).isDir(), qPrintable(at(mods)));
    } else {
        QVERIFY(!QFileInfo(at(mods)).exists()); // a trusted stored location is not checked or repaired
    }

    QFile f(keyFile);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString expected =
        "[Skylathe]\nGameLocation=" + at(game) + "\nModLocation=" + at(mods) +
        "\nModLoader=0.9.4\nPrgPath=" + tmp.path() + "/prog/\nHelp=0\nDPVer=" + GetProgramVersion() +
        "\nCompany=Skylathe-Projekt\nTimeStamp=" +
        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat) + "\nDeleteYard=0\n";
    QCOMPARE(QString::fromUtf8(f.readAll()), expected);
    QVERIFY(QDir(tmp.path() + "/home/Skylathe").entryList(QDir::Files) == QStringList{"ProgramKey.ini"});
}

void TestDiscovery::secondCopyRefused() {
    // This process is the first copy: it takes the guard with a valid stored location.
    QTemporaryDir tmp;
    qputenv("XDG_CONFIG_HOME", (tmp.path() + "/home").toUtf8());
    qputenv("XDG_CONFIG_DIRS", (tmp.path() + "/sys").toUtf8());
    MakeGame(tmp.path() + "/game");
    WriteFile(tmp.path() + "/home/Skylathe/ProgramKey.ini",
              ("GameLocation=" + tmp.path() + "/game\n").toUtf8());
    RecordingUi ui;
    QVERIFY(FindGameFolder(ui));
    const QByteArray keyAfterFirst = [&] {
        QFile f(tmp.path() + "/home/Skylathe/ProgramKey.ini");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    const QString probe = QStringLiteral(SHELL_DISCOVERY_PROBE);
    for (int round = 0; round < 2; ++round) {
        QProcess second;
        second.start(probe, {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(second.readAllStandardOutput()).trimmed(),
                 GameFolderTexts::startErrorCaption() + "|" + GameFolderTexts::alreadyRunning());
        QFile f(tmp.path() + "/home/Skylathe/ProgramKey.ini");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), keyAfterFirst); // the second copy touched nothing
    }

    // With its own runtime folder the same probe is a first copy and starts.
    QTemporaryDir otherRuntime;
    QProcess alone;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", otherRuntime.path());
    alone.setProcessEnvironment(env);
    alone.start(probe, {});
    QVERIFY(alone.waitForFinished(20000));
    QCOMPARE(alone.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
