#include "app/platform/LutrisGameFile.h"
#include "app/platform/SmallFile.h"
#include "app/platform/SteamLibraryFile.h"
#include "app/platform/WinePrefixPath.h"
#include "app/platform/WineRegistry.h"
#include "tests/support/DataRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The readers of Steam's, Wine's and Lutris' files. Every input file below gamesources/ is a case: its
// ".expected" file beside it holds the result (one line per library folder; "(none)" for no value). A
// file that ever broke a reader is kept there.
class TestGameSources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readers_data();
    void readers();
    void prefixPaths_data();
    void prefixPaths();
    void smallFile();
};

namespace {
QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

QString RunReader(const QString& kind, const QByteArray& input) {
    const std::string_view text(input.constData(), static_cast<size_t>(input.size()));
    if (kind == "registry") {
        const auto value =
            platform::WineRegistryString(text, "Software\\Wow6432Node\\Kestrow\\Velmora", "InstallDir");
        return value ? QString::fromStdString(*value) + "\n" : QStringLiteral("(none)\n");
    }
    if (kind == "vdf") {
        QString out;
        for (const std::string& path : platform::SteamLibraryPaths(text))
            out += QString::fromStdString(path) + "\n";
        return out;
    }
    const std::string prefix = platform::LutrisWinePrefix(text, "/home/me");
    return prefix.empty() ? QString() : QString::fromStdString(prefix) + "\n";
}
} // namespace

void TestGameSources::readers_data() {
    AddColumns<QString, QString>("kind", "input");
    const QString root = QStringLiteral(SKYLATHE_TEST_DATA "/gamesources");
    for (const QString& kind : QStringList{"registry", "vdf", "lutris"}) {
        const QDir dir(root + "/" + kind);
        const QStringList inputs = dir.entryList(QDir::Files).filter(QRegularExpression("\\.(reg|vdf|yml)$"));
        QVERIFY(!inputs.isEmpty());
        for (const QString& input : inputs)
            AddRow(qPrintable(kind + "/" + input), kind, dir.filePath(input));
    }
}

void TestGameSources::readers() {
    QFETCH(QString, kind);
    QFETCH(QString, input);
    const QString expected = QString::fromUtf8(Read(input.section('.', 0, -2) + ".expected"));
    QCOMPARE(RunReader(kind, Read(input)), expected);
}

// "@" is the prefix folder of the case.
void TestGameSources::prefixPaths_data() {
    AddTextRowsFromFile(QStringLiteral(SKYLATHE_TEST_DATA "/cases/prefix_paths.json"));
}

void TestGameSources::prefixPaths() {
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QTemporaryDir prefix;
    QVERIFY(QDir().mkpath(prefix.path() + "/drive_c/Games/Velmora"));
    QVERIFY(QDir().mkpath(prefix.path() + "/dosdevices"));
    QVERIFY(QFile::link("../drive_c", prefix.path() + "/dosdevices/c:"));
    QVERIFY(QFile::link("/", prefix.path() + "/dosdevices/z:"));
    QVERIFY(QFile::link("/nowhere/at/all", prefix.path() + "/dosdevices/e:"));
    const QString canonical = QFileInfo(prefix.path()).canonicalFilePath();
    QCOMPARE(QString::fromStdString(platform::MapPrefixPath(prefix.path().toStdString(), path.toStdString())),
             QString(folder).replace('@', canonical));
}

void TestGameSources::smallFile() {
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString();
    QFile f(dir.path() + "/ten");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0123456789");
    f.close();
    QCOMPARE(platform::ReadSmallFile(base + "/ten", 10).value_or("(none)"), std::string("0123456789"));
    QVERIFY(!platform::ReadSmallFile(base + "/ten", 9));
    QCOMPARE(platform::ReadSmallFile(base + "/ten", 1 << 20).value_or("(none)"), std::string("0123456789"));
    QVERIFY(!platform::ReadSmallFile(base + "/missing", 100));
    QVERIFY(!platform::ReadSmallFile(base, 100)); // a folder
    QVERIFY(::mkfifo((base + "/fifo").c_str(), 0644) == 0);
    QVERIFY(!platform::ReadSmallFile(base + "/fifo", 100)); // no writer: must not block
    QVERIFY(QFile::link(dir.path() + "/loop", dir.path() + "/loop"));
    QVERIFY(!platform::ReadSmallFile(base + "/loop", 100));
}

QTEST_GUILESS_MAIN(TestGameSources)
#include "test_gamesources.moc"
