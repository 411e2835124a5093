#include "app/DataPackage.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "tests/support/DataRows.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtEndian>
#include <QtTest>

namespace {

const QString kFixtures = QStringLiteral(SKYLATHE_TEST_DATA "/package/");
const QString kTree = QStringLiteral(SKYLATHE_BINARY_DIR "/package/XMLD/");
const QString kYard = QStringLiteral("[Air Ships] Aerolune Yard");

struct Report {
    QString caption;
    QString text;
};

// Every file and folder below `folder`, relative, folders with a trailing "/", sorted.
QStringList Listing(const QString& folder) {
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out << QDir(folder).relativeFilePath(path) +
                   (it.fileInfo().isDir() ? QStringLiteral("/") : QString());
    }
    out.sort();
    return out;
}

QStringList ExpectedDataFolder() {
    QStringList files = {
        QStringLiteral("Active.png"),         QStringLiteral("AirShipFull.xml"),
        QStringLiteral("AirShipFullOrg.xml"), QStringLiteral("AirShipShort.xml"),
        QStringLiteral("GasMines.xml"),       QStringLiteral("Help.html"),
        QStringLiteral("Help.xml"),           QStringLiteral("ProductList.xml"),
        QStringLiteral("Properties.xml"),     QStringLiteral("texts_german.xml"),
    };
    const QStringList yard = {
        QStringLiteral("/"),
        QStringLiteral("/data/"),
        QStringLiteral("/data/config/"),
        QStringLiteral("/data/config/export/"),
        QStringLiteral("/data/config/export/main/"),
        QStringLiteral("/data/config/export/main/asset/"),
        QStringLiteral("/data/config/export/main/asset/assets.xml"),
        QStringLiteral("/data/config/gui/"),
        QStringLiteral("/data/config/gui/texts_german.xml"),
        QStringLiteral("/data/graphic/"),
        QStringLiteral("/data/graphic/aerolune_flag.cfg"),
        QStringLiteral("/data/graphic/aerolune_flag.fc"),
        QStringLiteral("/data/graphic/aerolune_flag.ifo"),
        QStringLiteral("/data/graphic/aerolune_yard_arctic.bfg"),
        QStringLiteral("/data/graphic/aerolune_yard_arctic.cfg"),
        QStringLiteral("/data/graphic/aerolune_yard_arctic.fc"),
        QStringLiteral("/data/graphic/aerolune_yard_arctic.ifo"),
        QStringLiteral("/data/graphic/aerolune_yard_helium.bfg"),
        QStringLiteral("/data/graphic/aerolune_yard_helium.cfg"),
        QStringLiteral("/data/graphic/aerolune_yard_helium.fc"),
        QStringLiteral("/data/graphic/aerolune_yard_helium.ifo"),
        QStringLiteral("/data/icon/"),
        QStringLiteral("/data/icon/AeroluneYard.png"),
        QStringLiteral("/data/maps/"),
        QStringLiteral("/data/maps/aerolune_flag_diff_0.dds"),
        QStringLiteral("/data/maps/aerolune_flag_metal_0.dds"),
        QStringLiteral("/data/maps/aerolune_flag_norm_0.dds"),
        QStringLiteral("/data/maps/aerolune_yard_arctic_diff_0.dds"),
        QStringLiteral("/data/maps/aerolune_yard_arctic_metal_0.dds"),
        QStringLiteral("/data/maps/aerolune_yard_arctic_norm_0.dds"),
        QStringLiteral("/data/maps/aerolune_yard_ground_diff_0.dds"),
        QStringLiteral("/data/maps/aerolune_yard_helium_diff_0.dds"),
        QStringLiteral("/data/maps/aerolune_yard_helium_metal_0.dds"),
        QStringLiteral("/data/maps/aerolune_yard_helium_norm_0.dds"),
        QStringLiteral("/modinfo.json"),
    };
    for (const QString& entry : yard) {
        files << kYard + entry;
    }
    files.sort();
    return files;
}

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder the process cannot create anything in, also when it runs as root: its parent is a file.
QString UncreatableFolder(const QTemporaryDir& dir) {
    WriteFileAtomically(dir.filePath(QStringLiteral("blocker")), "x");
    return dir.filePath(QStringLiteral("blocker/Programm/"));
}

} // namespace

class TestDataPackage : public QObject {
    Q_OBJECT

private:
    QList<Report> m_reports;
    PackageReporter reporter() {
        return [this](const QString& caption, const QString& text) { m_reports.append({caption, text}); };
    }

private Q_SLOTS:
    void init() { m_reports.clear(); }

    void readerInflatesStoredAndDeflatedMembers() {
        const ZipArchive zip(ReadFileBytes(kFixtures + QStringLiteral("good.zip")),
                             QStringLiteral("good.zip"));
        QStringList names;
        for (const ZipMember& m : zip.members()) {
            names << m.name;
        }
        QCOMPARE(names, QStringList({QStringLiteral("XMLD/"), QStringLiteral("XMLD/stored.txt"),
                                     QStringLiteral("XMLD/sub/"), QStringLiteral("XMLD/sub/deflated.txt")}));
        QVERIFY(zip.members().at(0).isDirectory);
        QCOMPARE(zip.members().at(1).method, quint16(0));
        QCOMPARE(zip.members().at(3).method, quint16(8));
        QCOMPARE(zip.read(zip.members().at(1)), QByteArray("Hallo Werft\r\n"));
        QCOMPARE(zip.read(zip.members().at(3)), QByteArray("Luftschiff ").repeated(200));
    }

    void readerRefusesDamagedArchives_data() {
        AddTextRowsFromFile(QStringLiteral(SKYLATHE_TEST_DATA "/cases/damaged_archives.json"));
    }

    void readerRefusesDamagedArchives() {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        QTemporaryDir target;
        const QByteArray bytes = file.isEmpty() ? QByteArray() : ReadFileBytes(kFixtures + file);
        try {
            const ZipArchive zip(bytes, file);
            ExtractZipArchive(zip, target.path() + QLatin1Char('/'));
            QFAIL("a damaged archive was accepted");
        } catch (const PackageError& e) {
            QCOMPARE(e.typeName(), QStringLiteral("EZipError"));
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
            QVERIFY2(e.message().contains(file), qPrintable(e.message()));
        }
        // Verification comes before writing: not even the sound members are there.
        QCOMPARE(Listing(target.path()), QStringList());
    }

    void unsafeMembersAreRefusedAndNothingIsWritten_data() {
        QTest::addColumn<QString>("file");
        AddRow("dot dot", "slip_dotdot.zip");
        AddRow("absolute", "slip_absolute.zip");
        AddRow("drive letter", "slip_drive.zip");
        AddRow("backslashes", "slip_backslash.zip");
        AddRow("NUL byte", "slip_nul.zip");
        AddRow("file and folder of one name", "clash_file_folder.zip");
        AddRow("file below a file", "clash_file_under_file.zip");
        AddRow("two members of one path", "clash_duplicate.zip");
        AddRow("names differing in letter case", "clash_letter_case.zip");
        AddRow("name too long for the file system", "name_too_long.zip");
    }

    void unsafeMembersAreRefusedAndNothingIsWritten() {
        QFETCH(QString, file);
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("a/b/Programm/"));
        QVERIFY(QDir().mkpath(program));
        UnpackDataPackage(program, reporter(), kFixtures + file);
        QCOMPARE(m_reports.size(), 1);
        QCOMPARE(m_reports.at(0).caption, QStringLiteral("Programmabbruch"));
        QVERIFY2(
            m_reports.at(0).text.startsWith(QStringLiteral("EZipErrorDas Archiv enthält den unzulässigen")),
            qPrintable(m_reports.at(0).text));
        // Neither the harmless member nor the escaping one exists anywhere; the zip itself is gone.
        QCOMPARE(Listing(root.path()), QStringList({QStringLiteral("a/"), QStringLiteral("a/b/"),
                                                    QStringLiteral("a/b/Programm/")}));
    }

    void memberPathRules_data() {
        AddColumns<QString, bool>("name", "safe");
        AddRow("file", "XMLD/Help.xml", true);
        AddRow("folder", "XMLD/[Air Ships] Aerolune Yard/", true);
        AddRow("dots inside a name", "XMLD/a..b.txt", true);
        AddRow("umlaut", "XMLD/Übersicht.txt", true);
        AddRow("empty", "", false);
        AddRow("parent at the end", "XMLD/..", false);
        AddRow("current folder", "XMLD/./x", false);
        AddRow("double slash", "XMLD//x", false);
        AddRow("root", "/", false);
        AddRow("drive relative", "C:x", false);
        AddRow("UNC", "\\\\server\\share\\x", false);
        AddRow("control character", "XMLD/a\tb", false);
    }

    void memberPathRules() {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(UnsafeMemberReason(name).isEmpty(), safe);
    }

    void unpacksTheEmbeddedPackageToExactlyTheInventory() {
        QTemporaryDir program;
        QVERIFY(UnpackDataPackage(program.path(), reporter()));
        QCOMPARE(m_reports.size(), 0);
        QStringList expected = ExpectedDataFolder();
        for (QString& entry : expected) {
            entry.prepend(QStringLiteral("XMLD/"));
        }
        expected.prepend(QStringLiteral("XMLD/"));
        QCOMPARE(Listing(program.path()), expected);
        // The embedded archive is the built tree, byte for byte.
        for (const QString& entry : ExpectedDataFolder()) {
            if (!entry.endsWith(QLatin1Char('/'))) {
                QVERIFY2(ReadFileBytes(program.filePath(QStringLiteral("XMLD/") + entry)) ==
                             ReadFileBytes(kTree + entry),
                         qPrintable(entry));
            }
        }
    }

    void archiveHasADirectoryEntryForEveryFolder() {
        const ZipArchive zip(ReadResource(QString::fromLatin1(kDataPackageResource)),
                             QStringLiteral("XMLD.zip"));
        QSet<QString> folders, parents;
        for (const ZipMember& m : zip.members()) {
            QVERIFY2(m.name.startsWith(QStringLiteral("XMLD/")), qPrintable(m.name));
            QCOMPARE(m.method, quint16(m.isDirectory ? 0 : 8));
            if (m.isDirectory) {
                folders.insert(m.name);
            }
            const QString parent = m.name.left(m.name.lastIndexOf(QLatin1Char('/'), -2) + 1);
            if (!parent.isEmpty()) {
                parents.insert(parent);
            }
        }
        QCOMPARE(folders.size(), 11);
        QVERIFY(parents.subtract(folders).isEmpty());
    }

    void staleZipIsReplacedAndRemoved() {
        QTemporaryDir program;
        WriteFileAtomically(program.filePath(QStringLiteral("XMLD.zip")), "kein Archiv");
        QVERIFY(UnpackDataPackage(program.path(), reporter()));
        QCOMPARE(m_reports.size(), 0);
        QVERIFY(!QFile::exists(program.filePath(QStringLiteral("XMLD.zip"))));
        QVERIFY(QFile::exists(program.filePath(QStringLiteral("XMLD/AirShipFull.xml"))));
    }

    void eachStepReportsOnItsOwnAndTheNextRuns() {
        // Package unreadable: step 1 fails, step 2 finds no zip, step 3 has nothing to delete.
        QTemporaryDir program;
        QVERIFY(!UnpackDataPackage(program.path(), reporter(), program.filePath(QStringLiteral("none.zip"))));
        QCOMPARE(m_reports.size(), 3);
        QVERIFY(m_reports.at(0).text.startsWith(QStringLiteral("EResourceErrorDas eingebettete Datenpaket")));
        QVERIFY(m_reports.at(1).text.startsWith(QStringLiteral("EFileErrorDie Datei")));
        QVERIFY(m_reports.at(1).text.contains(QStringLiteral("XMLD.zip")));
        QVERIFY(m_reports.at(2).text.startsWith(QStringLiteral("EFileErrorDie Datei")));
        QVERIFY(m_reports.at(2).text.contains(QStringLiteral("gelöscht")));

        // Damaged package: only the extraction fails, and the zip is still deleted.
        m_reports.clear();
        QVERIFY(!UnpackDataPackage(program.path(), reporter(), kFixtures + QStringLiteral("bad_crc.zip")));
        QCOMPARE(m_reports.size(), 1);
        QVERIFY(m_reports.at(0).text.startsWith(QStringLiteral("EZipError")));
        QCOMPARE(Listing(program.path()), QStringList());
    }

    void programFolderThatCannotBeWrittenGivesThreeReports() {
        QTemporaryDir root;
        QString program = UncreatableFolder(root);
        QTemporaryDir locked;
        const bool chmodWorks = [&] {
            QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner);
            QFile probe(locked.filePath(QStringLiteral("probe")));
            const bool written = probe.open(QIODevice::WriteOnly);
            probe.remove();
            return !written;
        }();
        QStringList cases = {program};
        if (chmodWorks) {
            cases << locked.path();
        } else {
            qInfo("Write protection is not effective for this user (root); checked with an uncreatable "
                  "folder.");
        }
        for (const QString& folder : cases) {
            m_reports.clear();
            QVERIFY(!UnpackDataPackage(folder, reporter()));
            QCOMPARE(m_reports.size(), 3);
            for (const Report& r : m_reports) {
                QCOMPARE(r.caption, QStringLiteral("Programmabbruch"));
                QVERIFY2(r.text.startsWith(QStringLiteral("EFileError")), qPrintable(r.text));
            }
            QVERIFY(!QFile::exists(folder + QStringLiteral("/XMLD")));
        }
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void commandLineUnpacks() {
        const QString cli = QStringLiteral(SKYLATHE_BINARY_DIR "/tools/skylathe-cli");
        QTemporaryDir program;
        QProcess run;
        run.start(cli, {QStringLiteral("unpack"), program.path()});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(QFile::exists(program.filePath(QStringLiteral("XMLD/Help.xml"))));
        QVERIFY(!QFile::exists(program.filePath(QStringLiteral("XMLD.zip"))));

        run.start(cli, {QStringLiteral("unpack"), UncreatableFolder(program)});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 1);
        const QString err = QString::fromUtf8(run.readAllStandardError());
        QCOMPARE(err.count(QStringLiteral("Programmabbruch: EFileError")), 3);
    }

    void helpTextsFollowTheHelpTable_data() {
        AddColumns<QString, QString, QString>("id", "header", "paragraphs");
        const QList<std::tuple<const char*, const char*, const char*>> rows = {
            {"0", "", ""},
            {"100", "Arktis Gas", "1"},
            {"101", "Helium", "1"},
            {"102", "Luftschiffsauswahl", "12"},
            {"103", "Schiffsname", "1"},
            {"104", "Schiffsbeschreibung", "1"},
            {"105", "Originaldatenanzeige", "1"},
            {"106", "Originaldatenanzeige", "1"},
            {"107", "Speichern", "12"},
            {"108", "Modifikation erzeugen", "12"},
            {"205", "Baukosten", "12"},
            {"206", "Baurohstoffe", "12"},
            {"207", "Steuerelemente", "12"},
            {"208", "Einflusspunkte", "1"},
            {"209", "Bauzeit", "1"},
            {"210", "Ladekammern", "1"},
            {"211", "Itemsockel", "1"},
            {"212", "Ladekapazität", "1"},
            {"213", "Schiffsgeschwindigkeit", "12"},
            {"214", "Frachteverlangsamung", "1"},
            {"215", "Sessionwechselgeschwindigkeit", "123"},
            {"216", "Handelspunkte", "12"},
            {"217", "Luftflottenpunkte", "1"},
            {"218", "Betriebskosten", "12"},
            {"219", "Abwurfschächte", "1"},
            {"220", "Trefferpunkte", "12"},
            {"221", "Nachladedauer", "123"},
            {"222", "Schaden pro Schuss", "12"},
            {"223", "Militärpunkte", "12"},
            {"224", "Zurücksetzen", "12"},
            {"225", "Zurücksetzen", "12"},
            {"226", "Die neue Luftschiffswerft", "12"},
            {"227", "Gaserzeugung", "1"},
        };
        for (const auto& [id, header, paragraphs] : rows) {
            AddRow(id, QString::fromUtf8(id), QString::fromUtf8(header), QString::fromUtf8(paragraphs));
        }
    }

    void helpTextsFollowTheHelpTable() {
        QFETCH(QString, id);
        QFETCH(QString, header);
        QFETCH(QString, paragraphs);
        const XmlDocument doc = XmlDocument::load(kTree + QStringLiteral("Help.xml"));
        QVERIFY2(doc.hasRoot(), qPrintable(doc.errorText()));
        const XmlNodeList records = doc.selectAll(QStringLiteral("/TextExport/Texts/Text"));
        QCOMPARE(records.size(), 33);
        const XmlNodeList matches =
            doc.selectAll(QStringLiteral("/TextExport/Texts/Text[GUID=\"%1\"]").arg(id));
        QCOMPARE(matches.size(), 1);
        QStringList children;
        for (const XmlNode& child : matches.first().childElements()) {
            children << child.name();
        }
        QCOMPARE(children,
                 QStringList({QStringLiteral("GUID"), QStringLiteral("Header"), QStringLiteral("Text1"),
                              QStringLiteral("Text2"), QStringLiteral("Text3")}));
        QCOMPARE(matches.first().selectSingle(QStringLiteral("Header")).text(), header);
        for (int i = 1; i <= 3; ++i) {
            const QString text = matches.first().selectSingle(QStringLiteral("Text%1").arg(i)).text();
            QCOMPARE(!text.trimmed().isEmpty(), paragraphs.contains(QString::number(i)));
            // The help label is 291 × 178 pixels; a paragraph should fit it comfortably.
            QVERIFY2(text.size() < 260, qPrintable(text));
        }
    }

    void helpFileLayout() {
        const QByteArray bytes = ReadFileBytes(kTree + QStringLiteral("Help.xml"));
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\"?>\r\n<TextExport>\r\n\t<Texts>\r\n\t\t<Text>\r\n"
                                 "\t\t\t<GUID>0</GUID>\r\n\t\t\t<Header/>\r\n\t\t\t<Text1/>\r\n"));
        QVERIFY(!bytes.contains("\n\n") && bytes.count('\n') == bytes.count("\r\n"));
    }

    void fixedDataFiles_data() {
        AddColumns<QString, QString>("file", "expected");
        AddRow("GasMines", "GasMines.xml", QStringLiteral(SKYLATHE_SOURCE_DIR "/tests/shared/GasMines.xml"));
        AddRow("Properties", "Properties.xml", kFixtures + QStringLiteral("expected_Properties.xml"));
    }

    void fixedDataFiles() {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QCOMPARE(ReadFileBytes(kTree + file), ReadFileBytes(expected));
    }

    void helpPageIsSelfContainedLatin1() {
        const QByteArray page = ReadFileBytes(kTree + QStringLiteral("Help.html"));
        QVERIFY(
            page.contains("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">"));
        // Latin-1 umlauts, never UTF-8 sequences.
        QVERIFY(!page.contains("\xC3"));
        const QString html = QString::fromLatin1(page);
        for (const char* part :
             {"<h1>Skylathe</h1>", "Das Traggas w", "Speichern und die Modifikation erzeugen",
              "[Air Ships] Aerolune Yard", "Der Minenknopf", "Hinweise", "Bild auf", "Pfeiltasten"}) {
            QVERIFY2(html.contains(QString::fromLatin1(part)), part);
        }
        static const QRegularExpression reference(QStringLiteral("(?:src|href)=\"([^\"]*)\""));
        int pictures = 0;
        QTextBrowser browser;
        browser.setHtml(html);
        for (auto it = reference.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(target.startsWith(QStringLiteral("data:image/png;base64,")),
                     qPrintable(target.left(60)));
            const QImage image = QImage::fromData(QByteArray::fromBase64(target.mid(22).toLatin1()), "PNG");
            QVERIFY(!image.isNull());
            // The text browser resolves the picture itself.
            const QVariant shown = browser.document()->resource(QTextDocument::ImageResource, QUrl(target));
            QVERIFY(shown.isValid());
            ++pictures;
        }
        QVERIFY(pictures >= 4);
    }

    void pngPicturesAre128Square_data() {
        QTest::addColumn<QString>("file");
        AddRow("Active.png", "Active.png");
        AddRow("yard icon", kYard + QStringLiteral("/data/icon/AeroluneYard.png"));
    }

    void pngPicturesAre128Square() {
        QFETCH(QString, file);
        const QImage image(kTree + file, "PNG");
        QCOMPARE(image.size(), QSize(128, 128));
    }

    void yardTexturesAreValidDds() {
        const QDir maps(kTree + kYard + QStringLiteral("/data/maps"));
        for (const QString& name : maps.entryList(QDir::Files)) {
            const QByteArray dds = ReadFileBytes(maps.filePath(name));
            auto u32 = [&](int at) { return qFromLittleEndian<quint32>(dds.constData() + at); };
            QVERIFY2(dds.startsWith("DDS ") && u32(4) == 124 && u32(76) == 32, qPrintable(name));
            QCOMPARE(dds.mid(84, 4), QByteArray("DXT1"));
            const quint32 height = u32(12), width = u32(16), levels = u32(28);
            QCOMPARE(QSize(int(width), int(height)), QSize(64, 64));
            QCOMPARE(levels, quint32(7));
            qsizetype expected = 128;
            for (quint32 w = width, h = height, l = 0; l < levels;
                 ++l, w = qMax(1u, w / 2), h = qMax(1u, h / 2)) {
                expected += qMax(1u, w / 4) * qMax(1u, h / 4) * 8;
            }
            QCOMPARE(dds.size(), expected);
        }
    }

    void yardModFiles() {
        const QString yard = kTree + kYard + QLatin1Char('/');
        const QByteArray modinfo = ReadFileBytes(yard + QStringLiteral("modinfo.json"));
        QVERIFY(modinfo.startsWith("{\r\n\"Version\": ") && modinfo.endsWith("}\r\n"));
        QVERIFY(modinfo.count('\n') == modinfo.count("\r\n"));
        QJsonParseError error;
        const QJsonObject info = QJsonDocument::fromJson(modinfo, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(info.value(QStringLiteral("ModID")).toString(), QStringLiteral("AirShipsYard"));

        // Each yard builds the eight ships of its gas; together all sixteen, none twice.
        const XmlDocument assets =
            XmlDocument::load(yard + QStringLiteral("data/config/export/main/asset/assets.xml"));
        QVERIFY2(assets.hasRoot(), qPrintable(assets.errorText()));
        QStringList all;
        for (const char* yardGuid : {"2000502050", "2000502051"}) {
            const XmlNode values = assets.selectSingle(
                QStringLiteral("//Asset/Values[Standard/GUID=\"%1\"]").arg(QLatin1String(yardGuid)));
            QVERIFY(values);
            QCOMPARE(values.selectAll(QStringLiteral("Shipyard/ProductionList/Item/Product")).size(), 8);
            for (const XmlNode& product :
                 values.selectAll(QStringLiteral("Shipyard/ProductionList/Item/Product"))) {
                all << product.text();
            }
        }
        all.sort();
        QStringList sixteen;
        for (int guid = 2000502010; guid <= 2000502025; ++guid) {
            sixteen << QString::number(guid);
        }
        QCOMPARE(all, sixteen);

        const XmlDocument texts =
            XmlDocument::load(yard + QStringLiteral("data/config/gui/texts_german.xml"));
        QCOMPARE(
            texts.selectAll(QStringLiteral("/ModOps/ModOp[@Type=\"add\"][@Path=\"/TextExport/Texts\"]/Text"))
                .size(),
            3);
        for (const QString& file : QDir(yard + QStringLiteral("data/graphic")).entryList(QDir::Files)) {
            if (!file.endsWith(QStringLiteral(".bfg"))) {
                QVERIFY2(XmlDocument::load(yard + QStringLiteral("data/graphic/") + file).hasRoot(),
                         qPrintable(file));
            }
        }
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestDataPackage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_datapackage.moc"
