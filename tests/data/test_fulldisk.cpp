// Every writer on a real full disk (a tiny tmpfs in a private mount namespace): the operation fails with the
// system's reason in German, and every file that existed is byte-identical afterwards; no temporary stays.
#include "data/AtomicFile.h"
#include "data/Error.h"
#include "data/ValueFields.h"
#include "data/Xml.h"
#include "editor/ShipSave.h"
#include "tests/modgen/support/ModgenFixture.h"
#include "tests/support/CliRun.h"
#include "tests/support/FullDisk.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kFull = QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
const QString kPackage = QStringLiteral(SKYLATHE_BINARY_DIR "/package/XMLD/");
const QString kGame = QStringLiteral(SKYLATHE_SOURCE_DIR "/tests/data/preparation/game/");

// Everything below the folder but the filler.
QMap<QString, QByteArray> diskSnapshot(const QString& folder) {
    return ::snapshot(folder, {QStringLiteral(".filler")});
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QStringList m_mounts;

    // skylathe-cli with `arguments` on a full disk: it fails, names the disk's reason and leaves `folder` as
    // it was.
    static void refusedOnAFullDisk(const QString& folder, const QStringList& arguments) {
        const auto before = diskSnapshot(folder);
        const CliRun run = runCli(arguments);
        QVERIFY(run.exitCode != 0);
        QVERIFY2(QString::fromUtf8(run.err).contains(kFull), run.err.constData());
        QCOMPARE(diskSnapshot(folder), before);
    }

    // A fresh folder on its own tiny disk.
    QString disk(const QString& name, qint64 bytes) {
        const QString folder = m_root.filePath(name);
        QDir().mkpath(folder);
        const QString problem = fulldisk::mountTinyDisk(folder, bytes);
        if (!problem.isEmpty()) {
            return QString();
        }
        m_mounts << folder;
        return folder;
    }

private Q_SLOTS:
    void initTestCase() {
        if (!fulldisk::namespaceProblem().isEmpty()) {
            QSKIP(qPrintable(QStringLiteral("Kein privater Mount-Namensraum: ") +
                             fulldisk::namespaceProblem()));
        }
        const QString probe = disk(QStringLiteral("probe"), 65536);
        if (probe.isEmpty()) {
            QSKIP("Im privaten Namensraum lässt sich kein tmpfs einhängen.");
        }
    }

    void cleanup() {
        for (const QString& folder : std::as_const(m_mounts)) {
            fulldisk::unmount(folder);
        }
        m_mounts.clear();
    }

    void writeFileKeepsTheOldFile() {
        const QString folder = disk(QStringLiteral("write"), 65536);
        const QString path = folder + QStringLiteral("/f.txt");
        WriteFileAtomically(path, "alter Inhalt");
        fulldisk::fill(folder);
        const auto before = diskSnapshot(folder);
        try {
            WriteFileAtomically(path, QByteArray(20000, 'x'));
            QFAIL("writing on a full disk was reported as success");
        } catch (const SkylatheError& e) {
            QVERIFY2(e.message().contains(kFull), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("Die bisherige Datei ist unverändert.")),
                     qPrintable(e.message()));
        }
        QCOMPARE(diskSnapshot(folder), before);
    }

    void formatCommand() {
        const QString folder = disk(QStringLiteral("format"), 65536);
        const QString path = folder + QStringLiteral("/f.xml");
        WriteFileAtomically(path, "<A><B>" + QByteArray(3000, 'x') + "</B><C/></A>");
        fulldisk::fill(folder);
        refusedOnAFullDisk(folder, {QStringLiteral("format"), path});
    }

    void shipSave() {
        const QString data = disk(QStringLiteral("save"), 2 * 1024 * 1024);
        modgentest::copyTree(kPackage, data);
        fulldisk::fill(data);
        const auto before = diskSnapshot(data);
        ShipEdits edits;
        edits.name = QStringLiteral("Neuer Name");
        edits.description = QStringLiteral("Neue Beschreibung");
        edits.influenceCostPoints = QStringLiteral("3");
        for (const ValueField* field : ValueFieldsInSaveOrder()) {
            edits.values.insert(field->box, QStringLiteral("1"));
        }
        try {
            SaveShip(data + QLatin1Char('/'), QStringLiteral("2000502018"), edits);
            QFAIL("saving on a full disk was reported as success");
        } catch (const SkylatheError& e) {
            QVERIFY2(e.message().contains(kFull), qPrintable(e.message()));
        }
        QCOMPARE(diskSnapshot(data), before);
    }

    void mineToggle() {
        const QString data = disk(QStringLiteral("mines"), 65536);
        WriteFileAtomically(data + QStringLiteral("/GasMines.xml"),
                            ReadFileBytes(kPackage + QStringLiteral("GasMines.xml")));
        fulldisk::fill(data);
        const auto before = diskSnapshot(data);
        XmlDocument mines = XmlDocument::load(data + QStringLiteral("/GasMines.xml"));
        mines.selectSingle(QStringLiteral("//GasMine[@GUID=\"101311\"]"))
            .setAttributeAt(2, QStringLiteral("true"));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, mines.save(data + QStringLiteral("/GasMines.xml")));
        QCOMPARE(diskSnapshot(data), before);
    }

    void makedata() {
        const QString data = disk(QStringLiteral("makedata"), 2 * 1024 * 1024);
        modgentest::copyTree(kPackage, data);
        fulldisk::fill(data);
        refusedOnAFullDisk(data, {QStringLiteral("makedata"), kGame, data});
    }

    // Room for the package file but not for all of its members: the data folder is not created at all.
    void unpackingAtFirstStart() {
        const QString program = disk(QStringLiteral("program"), 256 * 1024);
        WriteFileAtomically(program + QStringLiteral("/Skylathe"), "programm");
        fulldisk::fill(program);
        fulldisk::makeRoom(program);
        WriteFileAtomically(program + QStringLiteral("/.filler"), QByteArray(256 * 1024 - 160 * 1024, 'f'));
        refusedOnAFullDisk(program, {QStringLiteral("unpack"), program});
    }

    void generationIntoAFullModsFolder() {
        QTemporaryDir dataDir;
        const QString data = dataDir.filePath(QStringLiteral("XMLD"));
        modgentest::copyTree(kPackage, data);
        const QString mods = disk(QStringLiteral("mods"), 4 * 1024 * 1024);
        QCOMPARE(runCli({QStringLiteral("generate"), data, mods}).exitCode, 0);

        // The next version names the ship differently; the disk is full before it is written.
        const QString working = data + QStringLiteral("/AirShipFull.xml");
        WriteFileAtomically(working, ReadFileBytes(working).replace("<Name>", "<Name>Neu "));
        fulldisk::fill(mods);
        refusedOnAFullDisk(mods, {QStringLiteral("generate"), data, mods});

        // With room again the mod is the complete new version.
        fulldisk::makeRoom(mods);
        QCOMPARE(runCli({QStringLiteral("generate"), data, mods}).exitCode, 0);
        const QByteArray texts =
            ReadFileBytes(mods + QStringLiteral("/[Air Ships] Aerolune/data/config/gui/texts_german.xml"));
        QVERIFY(texts.contains("Neu "));
        QVERIFY(ReadFileBytes(mods + QStringLiteral("/[Air Ships] Aerolune/modinfo.json")).endsWith("}\r\n"));
        const auto after = diskSnapshot(mods);
        for (auto it = after.begin(); it != after.end(); ++it) {
            QVERIFY2(!it.key().contains(QLatin1String(".skylathe")), qPrintable(it.key()));
        }
    }

    void generationWithAFullDataFolder() {
        const QString data = disk(QStringLiteral("data"), 2 * 1024 * 1024);
        modgentest::copyTree(kPackage, data);
        QTemporaryDir modsDir;
        fulldisk::fill(data);
        refusedOnAFullDisk(data, {QStringLiteral("generate"), data, modsDir.path()});
        QCOMPARE(diskSnapshot(modsDir.path()), (QMap<QString, QByteArray>()));
    }
};

int main(int argc, char* argv[]) {
    fulldisk::enterPrivateMountNamespace();
    QCoreApplication app(argc, argv);
    TestFullDisk test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_fulldisk.moc"
