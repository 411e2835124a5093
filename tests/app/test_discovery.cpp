#include "app/FindGameFolder.h"
#include "app/Services.h"
#include "data/Folders.h"
#include "tests/support/DataRows.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

struct RecordingUi : GameFolderUi {
    QString browseAnswer;
    QStringList shown;
    QStringList startFolders;
    int browsed = 0;
    void showStartError(const QString& caption, const QString& text) override {
        shown << caption + "|" + text;
    }
    QString browseForGameFolder(const QString& description, const QString& startFolder) override {
        startFolders << startFolder;
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
    QTemporaryDir m_emptyHome;

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        // The player's real Steam and Wine folders are never looked at.
        qputenv("HOME", m_emptyHome.path().toUtf8());
        qunsetenv("WINEPREFIX");
        qunsetenv("XDG_DATA_HOME");
    }

    void discovery_data();
    void discovery();
    void secondCopyRefused();
    void playerHome_data();
    void playerHome();
};

// Placeholders in the rows: @ = the case's temporary root.
void TestDiscovery::discovery_data() {
    QTest::addColumn<QString>("storedKey"); // program key file content ("" = no key)
    QTest::addColumn<QString>("publisher"); // InstallDir of key 1 ("-" = no key file)
    QTest::addColumn<QString>("launcher");  // InstallDir of key 2
    QTest::addColumn<QString>("gameAt");    // where the game executable exists ("" = nowhere)
    QTest::addColumn<QString>("browse");    // the browser's answer
    AddColumns<bool, QString, QString, int, QString>("ok", "game", "mods", "browsed", "message");

    const QString wrong = GameFolderTexts::startErrorCaption() + "|" + GameFolderTexts::notTheGameFolder();
    AddRow("stored location valid, mods folder gone",
           "GameLocation=@/stored\nModLocation=@/gone/mods/\nExtra=1\n", "@/pub", "@/la/", "@/stored", "",
           true, "@/stored", "@/gone/mods/", 0, "");
    AddRow("stored location invalid: key deleted, publisher key",
           "GameLocation=@/old\nModLocation=@/old/mods/\n", "@/pub", "@/la/", "", "", true, "@/pub",
           "@/pub/mods/", 0, "");
    AddRow("publisher key with backslashes, no trailing separator", "", "@\\Spiele\\Velmora", "-", "", "",
           true, "@/Spiele/Velmora", "@/Spiele/Velmora/mods/", 0, "");
    AddRow("launcher key: last character dropped", "", "", "@/Spiele/X/", "", "", true, "@/Spiele/X",
           "@/Spiele/X/mods/", 0, "");
    AddRow("stored location without mods folder value: lookup goes on", "GameLocation=@/stored\n", "@/pub",
           "-", "@/stored", "", true, "@/pub", "@/pub/mods/", 0, "");
    AddRow("stored relative mods folder: lookup goes on", "GameLocation=@/stored\nModLocation=mods/\n", "-",
           "@/la/", "@/stored", "", true, "@/la", "@/la/mods/", 0, "");
    AddRow("launcher key without trailing separator keeps its last letter", "", "", "@/Spiele/X", "", "",
           true, "@/Spiele/X", "@/Spiele/X/mods/", 0, "");
    AddRow("relative key values count as missing", "", "Spiele/Velmora", "C:\\Spiele\\Velmora\\", "@/chosen",
           "@/chosen", true, "@/chosen", "@/chosen/mods/", 1, "");
    AddRow("both keys empty: browser picks the game", "", "", "", "@/chosen", "@/chosen/", true, "@/chosen",
           "@/chosen/mods/", 1, "");
    AddRow("no key files at all: browser cancelled", "", "-", "-", "", "", false, "", "", 1, wrong);
    AddRow("browser picks a folder without the game", "", "", "", "@/elsewhere", "@/other", false, "", "", 1,
           wrong);
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
    if (storedKey.isEmpty() || game != storedKey.section('\n', 0, 0).section('=', 1)) {
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
              ("GameLocation=" + tmp.path() + "/game\nModLocation=" + tmp.path() + "/game/mods/\n").toUtf8());
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

namespace {

// Builds a fixture home from lines "<kind> <path>[|<argument>]"; "@" is the case's root, "%" the root as
// a Windows path below Z: with the backslashes doubled as in a registry file, "\n" a line break.
//   F path|content     a file          L path|target   a symbolic link
//   D path             a folder        P path          a FIFO
//   H path|bytes       a sparse file of that size      X path|age   the game's executable, age in days
//   M path             a file nobody may read
void BuildHome(const QStringList& lines, const QString& root) {
    QString windowsRoot = root;
    windowsRoot.replace('/', "\\\\");
    for (QString line : lines) {
        line.replace('@', root).replace('%', "Z:" + windowsRoot).replace("\\n", "\n");
        const QChar kind = line.at(0);
        const QString path = line.mid(2).section('|', 0, 0);
        const QString argument = line.mid(2).section('|', 1);
        QDir().mkpath(QFileInfo(path).path());
        if (kind == 'F' || kind == 'M') {
            WriteFile(path, argument.toUtf8());
            if (kind == 'M') {
                QFile(path).setPermissions(QFileDevice::Permissions());
            }
        } else if (kind == 'L') {
            QVERIFY2(QFile::link(argument, path), qPrintable(line));
        } else if (kind == 'D') {
            QDir().mkpath(path);
        } else if (kind == 'P') {
            QVERIFY(::mkfifo(path.toLocal8Bit().constData(), 0644) == 0);
        } else if (kind == 'H') {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(argument.toLongLong()));
        } else if (kind == 'X') {
            MakeGame(path);
            QFile exe(GameExecutableIn(path));
            QVERIFY(exe.open(QIODevice::ReadWrite));
            QVERIFY(exe.setFileTime(QDateTime::currentDateTime().addDays(-argument.toInt()),
                                    QFileDevice::FileModificationTime));
        }
    }
}

QString Registry(const QString& key, const QString& value) {
    return "F @/PREFIX/system.reg|WINE REGISTRY Version 2\n;; All keys relative to "
           "\\\\Machine\n\n#arch=win64\n\n"
           "[Software\\\\Wow6432Node\\\\Kestrow\\\\" +
           key +
           "] 1733900000\n#time=1d94b1c2a3e4f50\n"
           "\"InstallDir\"=\"" +
           value + "\"\n\"Version\"=dword:00000012\n";
}

// A registry file of a prefix: "@/PREFIX" in the line is the prefix folder.
QString RegistryIn(const QString& prefix, const QString& key, const QString& value) {
    return Registry(key, value).replace("@/PREFIX", prefix);
}

QString Vdf(const QStringList& libraries) {
    QString vdf = "F @/home/.local/share/Steam/steamapps/libraryfolders.vdf|\"libraryfolders\"\n{\n";
    for (int i = 0; i < libraries.size(); ++i) {
        vdf += QString("\t\"%1\"\n\t{\n\t\t\"path\"\t\t\"%2\"\n\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n"
                       "\t\t\t\"228980\"\t\t\"0\"\n\t\t}\n\t}\n")
                   .arg(i)
                   .arg(libraries[i]);
    }
    return vdf + "}\n";
}

} // namespace

void TestDiscovery::playerHome_data() {
    QTest::addColumn<QStringList>("home");    // the fixture, see BuildHome
    QTest::addColumn<QString>("winePrefix");  // $WINEPREFIX ("" = unset)
    QTest::addColumn<QString>("game");        // the folder found ("" = none: the browser is cancelled)
    QTest::addColumn<QString>("browseStart"); // where the browser opened ("" = not shown)

    const QString steam = "@/home/.local/share/Steam";
    const QString lib2 = "@/mnt/games/SteamLibrary";
    const QString protonPfx = steam + "/steamapps/compatdata/2239550/pfx";
    const QStringList proton = {"L " + protonPfx + "/dosdevices/c:|../drive_c",
                                "L " + protonPfx + "/dosdevices/z:|/"};

    AddRow("native Steam with a second library",
           QStringList{Vdf({steam, lib2}), "X " + lib2 + "/steamapps/common/Velmora|1",
                       "D " + steam + "/steamapps/common/Other Game"},
           "", lib2 + "/steamapps/common/Velmora", "");
    AddRow("Flatpak Steam",
           QStringList{"X "
                       "@/home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/"
                       "Velmora|1"},
           "", "@/home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Velmora", "");
    AddRow("Snap Steam through ~/.steam/steam",
           QStringList{"L @/home/.steam/steam|@/home/snap/steam/common/.local/share/Steam",
                       "X @/home/snap/steam/common/.local/share/Steam/steamapps/common/Velmora|1"},
           "", "@/home/snap/steam/common/.local/share/Steam/steamapps/common/Velmora", "");
    AddRow("Proton prefix: publisher key, game in drive_c",
           (QStringList{RegistryIn(protonPfx, "Velmora", "C:\\\\Program Files (x86)\\\\Kestrow\\\\Velmora"),
                        "X " + protonPfx + "/drive_c/Program Files (x86)/Kestrow/Velmora|1"} +
            proton),
           "", protonPfx + "/drive_c/Program Files (x86)/Kestrow/Velmora", "");
    AddRow(
        "~/.wine: launcher key ending in a backslash, other letter case",
        QStringList{RegistryIn("@/home/.wine", "Launcher\\\\Installs\\\\4553", "C:\\\\GAMES\\\\velmora\\\\"),
                    "L @/home/.wine/dosdevices/c:|../drive_c", "X @/home/.wine/drive_c/Games/Velmora|1"},
        "", "@/home/.wine/drive_c/Games/Velmora", "");
    AddRow("$WINEPREFIX: a Z: path, escaped characters",
           QStringList{RegistryIn("@/pfx", "Velmora", "%\\\\Spiele\\\\M\\xfcnze"), "L @/pfx/dosdevices/z:|/",
                       "X @/Spiele/Münze|1"},
           "@/pfx", "@/Spiele/Münze", "");
    AddRow("Lutris game prefix",
           QStringList{"F @/home/.config/lutris/games/velmora-1700000000.yml|game:\n  exe: x.exe\n  prefix: "
                       "~/Games/velmora\nwine:\n  version: lutris-7.2\n",
                       RegistryIn("@/home/Games/velmora", "Velmora", "C:\\\\Velmora"),
                       "L @/home/Games/velmora/dosdevices/c:|../drive_c",
                       "X @/home/Games/velmora/drive_c/Velmora|1"},
           "", "@/home/Games/velmora/drive_c/Velmora", "");
    AddRow("Lutris game of a newer Lutris, launcher key",
           QStringList{"F @/home/.local/share/lutris/games/velmora.yml|wine:\n  prefix: '@/Lutris Prefix'\n",
                       RegistryIn("@/Lutris Prefix", "Launcher\\\\Installs\\\\4553", "C:\\\\Velmora\\\\"),
                       "L @/Lutris Prefix/dosdevices/c:|../drive_c", "D @/Lutris Prefix/drive_c"},
           "", "@/Lutris Prefix/drive_c/Velmora", "");
    AddRow("several Steam libraries: the newest executable",
           QStringList{Vdf({steam, lib2}), "X " + steam + "/steamapps/common/Velmora|30",
                       "X " + lib2 + "/steamapps/common/Velmora|2",
                       "X " + lib2 + "/steamapps/common/Velmora Old|9"},
           "", lib2 + "/steamapps/common/Velmora", "");
    AddRow("several prefixes: the one holding the game",
           (QStringList{RegistryIn("@/home/.wine", "Velmora", "C:\\\\Old\\\\Velmora"),
                        "L @/home/.wine/dosdevices/c:|../drive_c",
                        RegistryIn(protonPfx, "Velmora", "C:\\\\Velmora"),
                        "X " + protonPfx + "/drive_c/Velmora|1"} +
            proton),
           "", protonPfx + "/drive_c/Velmora", "");
    AddRow("publisher key before the launcher key and the Steam libraries",
           (QStringList{RegistryIn(protonPfx, "Launcher\\\\Installs\\\\4553", "C:\\\\Launcher\\\\"),
                        RegistryIn("@/home/.wine", "Velmora", "C:\\\\Velmora"),
                        "L @/home/.wine/dosdevices/c:|../drive_c", "D @/home/.wine/drive_c",
                        "X " + steam + "/steamapps/common/Velmora|1"} +
            proton),
           "", "@/home/.wine/drive_c/Velmora", "");
    AddRow("unmapped drive, relative and device values: lookup goes on",
           QStringList{RegistryIn("@/home/.wine", "Velmora", "D:\\\\Velmora"),
                       "L @/home/.wine/dosdevices/c:|../drive_c", RegistryIn("@/pfx", "Velmora", "Velmora"),
                       "F @/sys/Kestrow/Velmora.ini|InstallDir=C:\\Program Files (x86)\\Kestrow\\Velmora",
                       "F @/sys/Kestrow/Launcher/Installs/4553.ini|InstallDir=Games/Velmora/",
                       "X @/home/.local/share/Steam/steamapps/common/Velmora|1"},
           "@/pfx", "@/home/.local/share/Steam/steamapps/common/Velmora", "");
    AddRow("nothing found: browser in the first Steam library",
           QStringList{Vdf({lib2}), "D " + lib2 + "/steamapps/common", "D " + steam + "/steamapps"}, "", "",
           lib2 + "/steamapps/common");
    AddRow("nothing found, no Steam: browser in the home folder", QStringList{"D @/home/.wine"}, "", "",
           "@/home");

    // Files that are damaged, empty, huge, unreadable or loop: skipped without a word.
    const QString found = "X @/home/snap/steam/common/.local/share/Steam/steamapps/common/Velmora|1";
    const QString foundAt = "@/home/snap/steam/common/.local/share/Steam/steamapps/common/Velmora";
    AddRow("damaged files",
           QStringList{"F " + steam +
                           "/steamapps/libraryfolders.vdf|\"libraryfolders\" { \"0\" { \"path\" "
                           "\"@/nowhere\" } } } \"",
                       "F @/home/.wine/system.reg|WINE REGISTRY Version "
                       "2\n[Software\\\\Wow6432Node\\\\Kestrow\\\\Velmora\n"
                       "\"InstallDir\"=\"C:\\\\Velmora",
                       "F "
                       "@/pfx/"
                       "system.reg|REGEDIT4\n[Software\\\\Wow6432Node\\\\Kestrow\\\\Velmora]\n\"InstallDir\"="
                       "\"C:\\\\V\"",
                       "F @/home/.config/lutris/games/broken.yml|game: [\n  prefix: \"@/home/.wine", found},
           "@/pfx", foundAt, "");
    AddRow("empty files",
           QStringList{"F " + steam + "/steamapps/libraryfolders.vdf|", "F @/home/.wine/system.reg|",
                       "F @/home/.config/lutris/games/empty.yml|", found},
           "", foundAt, "");
    AddRow("huge files",
           QStringList{"H " + steam + "/steamapps/libraryfolders.vdf|1073741824",
                       "H @/home/.wine/system.reg|4294967296", found},
           "", foundAt, "");
    AddRow("unreadable files",
           QStringList{"D " + steam + "/steamapps/libraryfolders.vdf", "P @/home/.wine/system.reg",
                       "M @/pfx/system.reg|WINE REGISTRY Version 2\n",
                       "P @/home/.config/lutris/games/fifo.yml", found},
           "@/pfx", foundAt, "");
    AddRow("symbolic link loops",
           QStringList{"L @/home/.steam/steam|@/home/.steam/steam",
                       "L @/home/.steam/root|@/home/.steam/loop2", "L @/home/.steam/loop2|@/home/.steam/root",
                       Vdf({"@/home/.steam/steam", steam + "/steamapps/common/loop"}),
                       "L " + steam + "/steamapps/common/loop|loop",
                       "L " + steam + "/steamapps/compatdata/1/pfx|pfx", "L @/home/.wine|@/home/.wine",
                       found},
           "", foundAt, "");
}

void TestDiscovery::playerHome() {
    QFETCH(QStringList, home);
    QFETCH(QString, winePrefix);
    QFETCH(QString, game);
    QFETCH(QString, browseStart);

    QTemporaryDir tmp;
    const QString root = tmp.path();
    const auto at = [&](QString s) { return s.replace('@', root); };
    BuildHome(home, root);
    QDir().mkpath(root + "/home");
    QDir().mkpath(root + "/cwd");
    qputenv("HOME", (root + "/home").toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + "/home/.config").toUtf8());
    qputenv("XDG_CONFIG_DIRS", (root + "/sys").toUtf8());
    if (!winePrefix.isEmpty()) {
        qputenv("WINEPREFIX", at(winePrefix).toUtf8());
    }
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(root + "/cwd");
    AppFolders() = Folders::ForProgramFolder(root + "/prog");

    RecordingUi ui;
    const bool ok = FindGameFolder(ui);

    QDir::setCurrent(oldCurrent);
    qunsetenv("WINEPREFIX");
    qputenv("HOME", m_emptyHome.path().toUtf8());

    // Nothing is ever made relative to the working directory.
    QCOMPARE(QDir(root + "/cwd").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), {});
    QCOMPARE(ui.startFolders, browseStart.isEmpty() ? QStringList() : QStringList{at(browseStart)});
    if (game.isEmpty()) {
        QVERIFY(!ok);
        QCOMPARE(ui.shown,
                 {GameFolderTexts::startErrorCaption() + "|" + GameFolderTexts::notTheGameFolder()});
        return;
    }
    QVERIFY(ok);
    QCOMPARE(ui.shown, {});
    QCOMPARE(AppFolders().GameFolder, at(game));
    QCOMPARE(AppFolders().ModFolder, at(game) + "/mods/");
    QVERIFY(QFileInfo(at(game) + "/mods").isDir());
}

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
