#include "app/Services.h"
#include "app/platform/ProcFs.h"
#include "app/platform/ProcessMatch.h"
#include "tests/support/DataRows.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestShellProcess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A fake /proc with one process: its comm and its cmdline (arguments separated by "|").
    void matching_data() {
        AddColumns<QByteArray, QByteArray, QString, bool>("comm", "cmdline", "wanted", "running");

        AddRow("exact comm", QByteArray("Velmora.exe\n"), QByteArray(), "Velmora.exe", true);
        AddRow("letter case", QByteArray("VELMORA.EXE\n"), QByteArray(), "velmora.exe", true);
        AddRow("only a-z folded", QByteArray("VELMORÄ.EXE\n"), QByteArray(), "velmorä.exe", false);
        AddRow("wine, C: path argument", QByteArray("wine64-preload\n"),
               QByteArray("wine64-preloader|C:\\Games\\Velmora\\Bin\\Win64\\Velmora.exe"), "Velmora.exe",
               true);
        AddRow("proton, Z: path as argv0", QByteArray("Main\n"),
               QByteArray("Z:\\home\\u\\Velmora\\Bin\\Win64\\VELMORA.exe|-dx12"), "Velmora.exe", true);
        AddRow("linux path argv0", QByteArray("x\n"), QByteArray("/opt/v/Velmora.exe"), "Velmora.exe", true);
        AddRow("backup copy", QByteArray("Velmora.exe.bak\n"), QByteArray("/x/Velmora.exe.bak"),
               "Velmora.exe", false);
        AddRow("name containing the game", QByteArray("NotVelmora.exe\n"), QByteArray("NotVelmora.exe"),
               "Velmora.exe", false);
        AddRow("non-exe argument naming the game", QByteArray("editor\n"),
               QByteArray("editor|Velmora.exe.txt"), "Velmora.exe", false);
        AddRow("comm cut to 15 characters, full name in cmdline", QByteArray("VelmoraLauncher\n"),
               QByteArray("/g/VelmoraLauncher.exe"), "VelmoraLauncher.exe", true);
        AddRow("comm cut to 15 characters, no cmdline", QByteArray("VelmoraLauncher\n"), QByteArray(),
               "VelmoraLauncher.exe", false);
        AddRow("proton, kernel name and C: path as argv0", QByteArray("Velmora.exe\n"),
               QByteArray("C:\\Games\\Velmora\\Bin\\Win64\\Velmora.exe"), "Velmora.exe", true);
        AddRow(
            "wine loader with its own options before the program", QByteArray("wine64-preload\n"),
            QByteArray("/usr/lib/wine/wine64-preloader|/usr/lib/wine/wine64|Z:\\g\\Bin\\Win64\\Velmora.exe"),
            "Velmora.exe", true);
        AddRow("wine loader starting another program", QByteArray("wine64-preload\n"),
               QByteArray("wine64-preloader|C:\\Tools\\Patcher.exe|Velmora.exe"), "Velmora.exe", false);
        AddRow("editor opened on the game's file", QByteArray("vim\n"),
               QByteArray("vim|/home/me/Games/Velmora/Bin/Win64/Velmora.exe"), "Velmora.exe", false);
        AddRow("script given the game's name", QByteArray("python3\n"),
               QByteArray("python3|tool.py|Velmora.exe"), "Velmora.exe", false);
        AddRow("proton's launcher naming the game", QByteArray("steam.exe\n"),
               QByteArray("C:\\windows\\system32\\steam.exe|Z:\\g\\Bin\\Win64\\Velmora.exe"), "Velmora.exe",
               false);
    }

    void matching() {
        QFETCH(QByteArray, comm);
        QFETCH(QByteArray, cmdline);
        QFETCH(QString, wanted);
        QFETCH(bool, running);

        QTemporaryDir proc;
        QDir(proc.path()).mkpath("4711");
        QDir(proc.path()).mkpath("self"); // not a process folder
        QDir(proc.path()).mkpath("12");   // a process that ended while reading: no files
        QFile c(proc.path() + "/4711/comm");
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.write(comm);
        c.close();
        QFile a(proc.path() + "/4711/cmdline");
        QVERIFY(a.open(QIODevice::WriteOnly));
        a.write(cmdline.isEmpty() ? QByteArray() : cmdline.replace('|', '\0') + '\0');
        a.close();
        QFile other(proc.path() + "/self/comm");
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write(wanted.toUtf8()); // must not be looked at

        const auto names = platform::ExecutableNamesFromProc(proc.path().toStdString());
        QCOMPARE(platform::AnyExecutableMatches(names, wanted.toStdString()), running);
    }

    void realProcess() {
        // A copy of sleep named like the game shows up in the real process list while it runs.
        QTemporaryDir dir;
        const QString exe = dir.path() + "/Velmora.exe";
        QVERIFY(QFile::copy("/bin/sleep", exe));
        QVERIFY(QFile::setPermissions(exe, QFileDevice::ExeOwner | QFileDevice::ReadOwner));
        QVERIFY(!IsGameRunning("Velmora.exe"));
        QProcess game;
        game.start(exe, {"30"});
        QVERIFY(game.waitForStarted());
        QTRY_VERIFY(IsGameRunning("VELMORA.exe"));
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 20; ++i) {
            IsGameRunning("Velmora.exe");
        }
        qInfo("one game check over the real process list: %.2f ms", timer.nsecsElapsed() / 20e6);
        game.kill();
        game.waitForFinished();
        QTRY_VERIFY(!IsGameRunning("Velmora.exe"));
    }

    void realProcessWatched() {
        // The watch of the main window follows the same process from start to end.
        QTemporaryDir dir;
        const QString exe = dir.path() + "/Velmora.exe";
        QVERIFY(QFile::copy("/bin/sleep", exe));
        QVERIFY(QFile::setPermissions(exe, QFileDevice::ExeOwner | QFileDevice::ReadOwner));
        QVERIFY(!IsGameRunningWatched("Velmora.exe"));
        QProcess game;
        game.start(exe, {"30"});
        QVERIFY(game.waitForStarted());
        QTRY_VERIFY(IsGameRunningWatched("Velmora.exe"));
        game.kill();
        game.waitForFinished();
        QTRY_VERIFY(!IsGameRunningWatched("Velmora.exe"));
    }

    void version() {
        QCOMPARE(GetProgramVersion(), QStringLiteral("18.3.7.3"));
        QVERIFY(!GetCurrentUserName().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestShellProcess)
#include "test_shell_process.moc"
