// skylathe-cli generate, run as a user would: a separate process, the real process list as the game check.
#include "app/Services.h"
#include "data/TextFile.h"
#include "support/ModgenFixture.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace modgentest;

namespace {

const QString kMod = QStringLiteral("mods/[Air Ships] Aerolune/");

struct CliRun {
    int exitCode = -1;
    QString errors;
};

CliRun runGenerate(const QString& dataFolder, const QString& modFolder) {
    QProcess cli;
    // As from a plain shell: no display, no XDG_RUNTIME_DIR.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM"}) {
        env.remove(QString::fromLatin1(name));
    }
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(SKYLATHE_CLI), {QStringLiteral("generate"), dataFolder, modFolder});
    if (!cli.waitForFinished(120000) || cli.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardError())};
}

// The generated file equals the reviewed expected file except for the header's time and user lines.
void compareAside(const QString& generated, const QString& expectedName, const QList<int>& skipped) {
    QStringList actual = ReadTextLines(generated);
    const QStringList expected =
        ReadTextLines(QStringLiteral(SKYLATHE_TEST_DATA "/expected/") + expectedName);
    QCOMPARE(actual.size(), expected.size());
    for (int line : skipped) {
        actual[line] = expected[line];
    }
    QCOMPARE(actual, expected);
}

} // namespace

class TestGenerateCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesNothingWhileTheGameRuns() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString data = dir.filePath(QStringLiteral("XMLD"));
        const QString mods = dir.filePath(QStringLiteral("mods"));
        copyFixtureData(data);
        // An earlier mod, so "writes nothing" covers an existing tree too.
        copyTree(fixtureData() + QStringLiteral("/[Air Ships] Aerolune Yard"),
                 mods + QStringLiteral("/[Air Ships] Aerolune Yard"));
        const auto dataBefore = snapshot(data);
        const auto modsBefore = snapshot(mods);

        QTemporaryDir gameDir;
        const QString exe = gameDir.filePath(QStringLiteral("Velmora.exe"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), exe));
        QVERIFY(QFile::setPermissions(exe, QFileDevice::ExeOwner | QFileDevice::ReadOwner));
        QProcess game;
        game.start(exe, {QStringLiteral("30")});
        QVERIFY(game.waitForStarted());
        QTRY_VERIFY(IsGameRunning(QStringLiteral("Velmora.exe")));

        const CliRun running = runGenerate(data, mods);
        game.kill();
        game.waitForFinished();
        QCOMPARE(running.exitCode, 3);
        QVERIFY2(running.errors.contains(QStringLiteral("Velmora läuft gerade")), qPrintable(running.errors));
        QCOMPARE(snapshot(data), dataBefore);
        QCOMPARE(snapshot(mods), modsBefore);

        // Once the game has ended, the same call writes the whole mod.
        QTRY_VERIFY(!IsGameRunning(QStringLiteral("Velmora.exe")));
        const CliRun ended = runGenerate(data, mods);
        QVERIFY2(ended.exitCode == 0, qPrintable(ended.errors));
        QCOMPARE(ended.errors, QString());
        QCOMPARE(snapshot(dir.filePath(kMod)).keys(), freshModLayout());
        compareAside(dir.filePath(kMod + QStringLiteral("data/config/export/main/asset/assets.xml")),
                     QStringLiteral("fixture_assets_nomine.xml"), {3, 4});
        QCOMPARE(
            ReadTextLines(dir.filePath(kMod + QStringLiteral("data/config/export/main/asset/assets.xml")))
                .at(4),
            GetCurrentUserName().trimmed());
        compareAside(dir.filePath(kMod + QStringLiteral("data/config/gui/texts_german.xml")),
                     QStringLiteral("fixture_texts_german.xml"), {});
        compareAside(dir.filePath(kMod + QStringLiteral("modinfo.json")), QStringLiteral("modinfo.json"),
                     {42});
        QCOMPARE(snapshot(mods + QStringLiteral("/[Air Ships] Aerolune Yard")),
                 snapshot(data + QStringLiteral("/[Air Ships] Aerolune Yard")));
        QVERIFY(QFileInfo::exists(data + QStringLiteral("/Active.png")));
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/assets.xml")));
    }
};

QTEST_GUILESS_MAIN(TestGenerateCommand)
#include "test_generate_command.moc"
