// skylathe-cli generate, run as a user would: a separate process, the real process list as the game check.
#include "app/Services.h"
#include "data/TextFile.h"
#include "tests/support/CliRun.h"
#include "support/ModgenFixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace modgentest;

namespace {

CliRun runGenerate(const QString& dataFolder, const QString& modFolder) {
    return runCli({QStringLiteral("generate"), dataFolder, modFolder});
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
        QVERIFY2(QString::fromUtf8(running.err).contains(QStringLiteral("Velmora läuft gerade")),
                 running.err.constData());
        QCOMPARE(snapshot(data), dataBefore);
        QCOMPARE(snapshot(mods), modsBefore);

        // Once the game has ended, the same call writes the whole mod.
        QTRY_VERIFY(!IsGameRunning(QStringLiteral("Velmora.exe")));
        const CliRun ended = runGenerate(data, mods);
        QVERIFY2(ended.exitCode == 0, ended.err.constData());
        QCOMPARE(ended.err, QByteArray());
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
