// skylathe-cli as a script or a plain shell runs it: every command still does its work and says nothing on
// stderr but its own messages.
#include "app/ProgramGeneration.h"
#include "app/Services.h"
#include "data/TextFile.h"
#include "tests/support/CliRun.h"
#include "support/ModgenFixture.h"
#include "tests/support/DataRows.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace modgentest;

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void format_data() {
        AddColumns<QByteArray, QByteArray>("input", "formatted");
        AddRow("elements", QByteArray("<A><B/></A>"), QByteArray("<A>\r\n\t<B/>\r\n</A>\r\n"));
        AddRow("mine list",
               QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><GasMines><GasMine GUID=\"1010304\" "
                          "Name=\"Kohlenmine\" Status=\"false\"/></GasMines>"),
               QByteArray("<?xml version=\"1.0\"?>\r\n<GasMines>\r\n\t<GasMine "
                          "GUID=\"1010304\" Name=\"Kohlenmine\" Status=\"false\"/>\r\n</GasMines>\r\n"));
    }

    void format() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, formatted);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("small.xml"));
        WriteFileAtomically(file, input);
        const CliRun run = runCli({QStringLiteral("format"), file});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(ReadFileBytes(file), formatted);
    }

    void formatFailureSaysOnlyWhy() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("broken.xml"));
        WriteFileAtomically(file, "<A>");
        const CliRun run = runCli({QStringLiteral("format"), file});
        QCOMPARE(run.exitCode, 1);
        const QList<QByteArray> lines = run.err.trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains("broken.xml"), run.err.constData());
    }

    void unpack() {
        QTemporaryDir program;
        const CliRun run = runCli({QStringLiteral("unpack"), program.path()});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(program.filePath(QStringLiteral("XMLD/AirShipFull.xml"))));
    }

    // The whole mod, byte for byte as the program's own generation run writes it (the header's time line
    // aside), pictures included.
    void generate() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString cliData = dir.filePath(QStringLiteral("cli/XMLD/"));
        const QString ownData = dir.filePath(QStringLiteral("own/XMLD/"));
        copyFixtureData(cliData);
        copyFixtureData(ownData);

        const CliRun run =
            runCli({QStringLiteral("generate"), cliData, dir.filePath(QStringLiteral("cli/mods"))});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(
            CreateModification(ProgramGenerationContext(ownData, dir.filePath(QStringLiteral("own/mods")))));

        const auto cli = snapshot(dir.filePath(QStringLiteral("cli")));
        const auto own = snapshot(dir.filePath(QStringLiteral("own")));
        QCOMPARE(cli.keys(), own.keys());
        const QString assets = kMod + QStringLiteral("data/config/export/main/asset/assets.xml");
        QVERIFY(cli.contains(assets));
        for (const QString& name : cli.keys()) {
            if (name != assets) {
                QVERIFY2(cli.value(name) == own.value(name), qPrintable(name));
            }
        }
        QStringList cliLines = ReadTextLines(dir.filePath(QStringLiteral("cli/") + assets));
        const QStringList ownLines = ReadTextLines(dir.filePath(QStringLiteral("own/") + assets));
        QCOMPARE(cliLines.size(), ownLines.size());
        cliLines[3] = ownLines[3];
        QCOMPARE(cliLines, ownLines);
    }

    void usageAndUnknownCommand() {
        const CliRun help = runCli({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("skylathe-cli generate"));
        QCOMPARE(help.err, QByteArray());

        const CliRun unknown = runCli({QStringLiteral("draw")});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.err.startsWith("Unbekannter Befehl „draw“."));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
