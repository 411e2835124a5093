#include "data/TextFile.h"
#include "tools/Commands.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QStringList printed;
}

void PrintError(const QString& message) {
    printed << message;
}

// The makedata and format commands of skylathe-cli: exit codes and messages.
class TestDataCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { printed.clear(); }

    void makedata() {
        QTemporaryDir dir;
        const QString game = QStringLiteral(SKYLATHE_TEST_DATA "/preparation/game");
        const QString data = dir.filePath(QStringLiteral("a/b/XMLD"));
        QCOMPARE(RunMakeDataCommand({game, data}), 0);
        QVERIFY(printed.isEmpty());
        QCOMPARE(QDir(data).entryList(QDir::Files),
                 (QStringList{"AirShipFull.xml", "AirShipFullOrg.xml", "AirShipShort.xml", "ProductList.xml",
                              "texts_german.xml"}));

        QCOMPARE(RunMakeDataCommand({dir.filePath(QStringLiteral("none")), data}), 1);
        QVERIFY(printed.value(0).contains(QStringLiteral("none")));

        printed.clear();
        QCOMPARE(RunMakeDataCommand({dir.path(), data}), 1);
        QVERIFY2(printed.value(0).contains(QStringLiteral("AirShip.xml")), qPrintable(printed.value(0)));

        printed.clear();
        QCOMPARE(RunMakeDataCommand({game}), 1);
        QVERIFY(printed.value(0).startsWith(QStringLiteral("Aufruf:")));
    }

    void format() {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.xml"));
        const QString bad = dir.filePath(QStringLiteral("bad.xml"));
        const QString last = dir.filePath(QStringLiteral("last.xml"));
        WriteFileAtomically(good, "<A><B/></A>");
        WriteFileAtomically(bad, "<A>");
        WriteFileAtomically(last, "<C><D/></C>");

        QCOMPARE(RunFormatCommand({good}), 0);
        QCOMPARE(ReadFileBytes(good), QByteArray("<A>\r\n\t<B/>\r\n</A>\r\n"));

        // The first failure stops the command; later files stay untouched.
        QCOMPARE(RunFormatCommand({good, bad, last}), 1);
        QVERIFY2(printed.value(0).contains(QStringLiteral("bad.xml")), qPrintable(printed.value(0)));
        QCOMPARE(ReadFileBytes(bad), QByteArray("<A>"));
        QCOMPARE(ReadFileBytes(last), QByteArray("<C><D/></C>"));

        printed.clear();
        QCOMPARE(RunFormatCommand({}), 1);
        QCOMPARE(printed.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDataCommands)
#include "test_datapreparation_commands.moc"
