#include "tests/support/DataRows.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// What a desktop sees of the program: the launcher entry, the AppStream metadata, the installed files,
// and the answers to --version and --help without a display.
class TestDesktopFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void validators_data();
    void validators();
    void informationOptions_data();
    void informationOptions();
    void installedFiles();
};

namespace {
const QString kDesktopDir = QStringLiteral(SKYLATHE_SOURCE_DIR "/app/desktop/");

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run RunProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Run run;
    if (!process.waitForStarted() || !process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
} // namespace

void TestDesktopFiles::validators_data() {
    AddColumns<QString, QStringList>("tool", "arguments");
    AddRow("desktop file", "desktop-file-validate",
           QStringList{kDesktopDir + "org.skylathe.Skylathe.desktop"});
    AddRow("AppStream metadata", "appstreamcli",
           QStringList{"validate", "--no-net", kDesktopDir + "org.skylathe.Skylathe.metainfo.xml"});
}

void TestDesktopFiles::validators() {
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const QString program = QStandardPaths::findExecutable(tool);
    QVERIFY2(!program.isEmpty(), qPrintable(tool + " is missing; scripts/install-deps installs it"));
    const Run run = RunProgram(program, arguments, QProcessEnvironment::systemEnvironment());
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    QVERIFY2(!run.out.contains("error") && !run.err.contains("error"), qPrintable(run.out + run.err));
}

void TestDesktopFiles::informationOptions_data() {
    AddColumns<QString, QString, QString>("program", "option", "firstLine");
    const QString editor = QStringLiteral(SKYLATHE_BINARY_DIR "/app/Skylathe");
    const QString cli = QStringLiteral(SKYLATHE_BINARY_DIR "/tools/skylathe-cli");
    AddRow("editor --version", editor, "--version", "Skylathe 18.3.7.3");
    AddRow("editor --help", editor, "--help", "Aufruf: Skylathe [--version | --help]");
    AddRow("editor -h", editor, "-h", "Aufruf: Skylathe [--version | --help]");
    AddRow("cli --version", cli, "--version", "Skylathe 18.3.7.3");
    AddRow("cli --help", cli, "--help", "Skylathe – Kommandozeile");
}

void TestDesktopFiles::informationOptions() {
    QFETCH(QString, program);
    QFETCH(QString, option);
    QFETCH(QString, firstLine);
    // No display of any kind, and no platform chosen for Qt.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        env.remove(QString::fromLatin1(name));
    const Run run = RunProgram(program, {option}, env);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out.section('\n', 0, 0), firstLine);
    QVERIFY(run.out.endsWith('\n'));
    if (option == "--version")
        QCOMPARE(run.out, firstLine + "\n");
}

void TestDesktopFiles::installedFiles() {
    QTemporaryDir prefix;
    const QString cmake = QStandardPaths::findExecutable("cmake");
    QVERIFY(!cmake.isEmpty());
    const Run run = RunProgram(cmake, {"--install", SKYLATHE_BINARY_DIR, "--prefix", prefix.path()},
                               QProcessEnvironment::systemEnvironment());
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));

    QStringList files;
    for (QDirIterator it(prefix.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(prefix.path()).relativeFilePath(it.next());
    files.sort();
    QCOMPARE(files, (QStringList{"bin/Skylathe", "bin/skylathe-cli",
                                 "share/applications/org.skylathe.Skylathe.desktop",
                                 "share/icons/hicolor/128x128/apps/org.skylathe.Skylathe.png",
                                 "share/icons/hicolor/256x256/apps/org.skylathe.Skylathe.png",
                                 "share/icons/hicolor/48x48/apps/org.skylathe.Skylathe.png",
                                 "share/icons/hicolor/scalable/apps/org.skylathe.Skylathe.svg",
                                 "share/man/man1/skylathe-cli.1.gz",
                                 "share/metainfo/org.skylathe.Skylathe.metainfo.xml"}));
    for (const int size : {48, 128, 256}) {
        const QImage icon(prefix.path() +
                          QString("/share/icons/hicolor/%1x%1/apps/org.skylathe.Skylathe.png").arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);                 // a shaped icon, not a square
        QCOMPARE(icon.pixelColor(size / 2, size / 2).alpha(), 255); // the picture in the middle
    }
    // The launcher starts what was installed and shows the installed icon.
    QFile entry(prefix.path() + "/share/applications/org.skylathe.Skylathe.desktop");
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n');
    QVERIFY(lines.contains("Exec=Skylathe"));
    QVERIFY(QFileInfo(prefix.path() + "/bin/Skylathe").isExecutable());
    QVERIFY(lines.contains("Icon=org.skylathe.Skylathe"));
    QVERIFY(lines.contains("Categories=Game;Utility;"));

    const Run version = RunProgram(prefix.path() + "/bin/skylathe-cli", {"--version"},
                                   QProcessEnvironment::systemEnvironment());
    QCOMPARE(version.out, QStringLiteral("Skylathe 18.3.7.3\n"));
}

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "test_desktop_files.moc"
