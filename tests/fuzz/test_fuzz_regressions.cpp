// Every input the fuzzers start from and every input that once broke a parser, through the fuzzers' checks.
#include "tests/fuzz/FuzzChecks.h"
#include "tests/support/DataRows.h"

#include "data/AtomicFile.h"

#include <QDirIterator>
#include <QtTest>

class TestFuzzRegressions : public QObject {
    Q_OBJECT

private:
    static void addInputs(const QString& kind, const QStringList& folders) {
        for (const QString& folder : folders) {
            QDirIterator it(QStringLiteral(SKYLATHE_TEST_DATA) + QLatin1Char('/') + folder, QDir::Files);
            QStringList files;
            while (it.hasNext()) {
                files << it.next();
            }
            files.sort();
            for (const QString& file : files) {
                if (kind == QLatin1String("zip") && !file.endsWith(QLatin1String(".zip"))) {
                    continue;
                }
                AddRow(qPrintable(folder + QLatin1Char('/') + QFileInfo(file).fileName()), file);
            }
        }
    }

private Q_SLOTS:
    void xmlInputs_data() {
        QTest::addColumn<QString>("file");
        addInputs(QStringLiteral("xml"), {QStringLiteral("xml/corpus"), QStringLiteral("xml/regressions")});
    }

    void xmlInputs() {
        QFETCH(QString, file);
        const QString problem = CheckXmlInput(ReadFileBytes(file));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void zipInputs_data() {
        QTest::addColumn<QString>("file");
        // The archives that once broke the reader are the data package test's fixtures.
        addInputs(QStringLiteral("zip"), {QStringLiteral("zip/corpus"), QStringLiteral("../app/package")});
    }

    void zipInputs() {
        QFETCH(QString, file);
        const QString problem = CheckZipInput(ReadFileBytes(file));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "test_fuzz_regressions.moc"
