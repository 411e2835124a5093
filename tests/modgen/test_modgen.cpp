#include "data/Error.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "modgen/AssetLines.h"
#include "modgen/CreateModification.h"
#include "modgen/ModInfo.h"
#include "support/ModgenFixture.h"
#include "tests/support/DataRows.h"

#include <QBuffer>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace modgentest;

namespace {

const QString kAssets = kMod + QStringLiteral("data/config/export/main/asset/assets.xml");
const QString kTexts = kMod + QStringLiteral("data/config/gui/texts_german.xml");
const QString kModInfo = kMod + QStringLiteral("modinfo.json");
const QString kYard = QStringLiteral("mods/[Air Ships] Aerolune Yard");
const QString kDateLine = QStringLiteral("@DATE@"); // stands for header line 4 in expected files

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Stand-in pictures: every name is "stored" at 64 × 40 in its own colour and scaled to the icon size.
ModPictures testPictures() {
    ModPictures pictures;
    pictures.iconPng = [](const QString& name) {
        QImage stored(64, 40, QImage::Format_ARGB32);
        stored.fill(QColor::fromRgb(qHash(name) & 0xFFFFFF));
        return pngOf(stored.scaled(128, 128));
    };
    pictures.storedPng = [](const QString& name) {
        if (name != QLatin1String("AeroluneYard")) {
            return QByteArray();
        }
        QImage yard(128, 128, QImage::Format_ARGB32);
        yard.fill(QColor(236, 210, 164));
        return pngOf(yard);
    };
    return pictures;
}

QString headerTime(const QDateTime& time) {
    const QLocale locale = QLocale::system();
    return locale.toString(time.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(time.time(), QLocale::LongFormat);
}

bool updateExpected() {
    return qEnvironmentVariableIntValue("SKYLATHE_UPDATE_EXPECTED") == 1;
}

// Compares a generated file with an expected file line by line; `ignore` maps a line index to the text the
// expected file holds in its place. With SKYLATHE_UPDATE_EXPECTED=1 the expected file is rewritten.
void compareWithExpected(const QString& generated, const QString& expectedName,
                         const QMap<int, QString>& ignore) {
    QStringList actual = ReadTextLines(generated);
    for (auto it = ignore.begin(); it != ignore.end(); ++it) {
        QVERIFY2(it.key() < actual.size(), qPrintable(generated));
        actual[it.key()] = it.value();
    }
    const QString expectedPath = QStringLiteral(SKYLATHE_TEST_DATA "/expected/") + expectedName;
    if (updateExpected()) {
        WriteTextLines(expectedPath, actual);
        return;
    }
    QVERIFY2(QFileInfo::exists(expectedPath), qPrintable(expectedPath + QStringLiteral(" fehlt")));
    const QStringList expected = ReadTextLines(expectedPath);
    for (int i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i]) {
            QFAIL(qPrintable(QStringLiteral("%1, Zeile %2:\n  erzeugt:  %3\n  erwartet: %4")
                                 .arg(expectedName)
                                 .arg(i + 1)
                                 .arg(actual[i], expected[i])));
        }
    }
    QCOMPARE(actual.size(), expected.size());
}

QStringList trimmedLines(const QString& path) {
    QStringList lines = ReadTextLines(path);
    for (QString& line : lines) {
        line = line.trimmed();
    }
    return lines;
}

// Blocks D to I as listed for the mod, written out independently of the generator's tables: the fixed
// lines are kept in expected/fixed_blocks.txt, the helium buff in expected/helium_buff.txt, whose line
// "@TARGETS@" stands for the enabled mines.
QStringList expectedFixedBlocks(const QStringList& enabledMines) {
    const QString expected = QStringLiteral(SKYLATHE_TEST_DATA "/expected/");
    QStringList lines = ReadTextLines(expected + QStringLiteral("fixed_blocks.txt"));
    lines.removeAll(QString());
    if (!enabledMines.isEmpty()) {
        const QMap<QString, QString> names{{QStringLiteral("1010304"), QStringLiteral("Kohlenmine")},
                                           {QStringLiteral("1010305"), QStringLiteral("Eisenmine")},
                                           {QStringLiteral("1010307"), QStringLiteral("Zinkmine")},
                                           {QStringLiteral("1010308"), QStringLiteral("Kupfermine")},
                                           {QStringLiteral("101311"), QStringLiteral("Goldmine")}};
        for (const QString& line : ReadTextLines(expected + QStringLiteral("helium_buff.txt"))) {
            if (line != QStringLiteral("@TARGETS@")) {
                lines << line;
                continue;
            }
            for (const QString& guid : enabledMines) {
                lines << QStringLiteral("<!-- %1 -->").arg(names.value(guid)) << QStringLiteral("<Item>")
                      << QStringLiteral("<GUID>%1</GUID>").arg(guid) << QStringLiteral("</Item>");
            }
        }
        lines.removeAll(QString());
        for (const QString& guid : enabledMines) {
            lines << QStringLiteral("<ModOp Type=\"merge\" GUID=\"%1\" Path=\"/Values\">").arg(guid)
                  << QStringLiteral("<UpgradeList>") << QStringLiteral("<DefaultBuff>143565</DefaultBuff>")
                  << QStringLiteral("</UpgradeList>") << QStringLiteral("</ModOp>");
        }
    }
    lines << QStringLiteral("</ModOps>");
    return lines;
}

QStringList fixedBlocksOf(const QString& assetsPath) {
    const QStringList lines = trimmedLines(assetsPath);
    return lines.mid(lines.indexOf(QStringLiteral("<!-- Aerolune Trigger -->")));
}

// The GUIDs of the records in the ship block, in order.
QStringList shipBlockGuids(const QString& assetsPath) {
    const XmlDocument doc = XmlDocument::load(assetsPath);
    QStringList guids;
    for (const XmlNode& guid :
         doc.selectAll(QStringLiteral("/ModOps/ModOp[@GUID=\"114166\"]/Asset/Values/Standard/GUID"))) {
        guids << guid.text();
    }
    return guids;
}

} // namespace

class TestModgen : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* m_dir = nullptr;
    QString m_root;
    GenerationContext m_context;

    QString path(const QString& relative) const { return m_root + QLatin1Char('/') + relative; }
    QString data() const { return m_root + QStringLiteral("/XMLD/"); }

    // A fresh data folder from the source tree and an empty place for the mods folder.
    void prepare(const QString& source = fixtureData()) {
        delete m_dir;
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_root = m_dir->path();
        if (source == fixtureData()) {
            copyFixtureData(m_root + QStringLiteral("/XMLD"));
        } else {
            copyTree(source, m_root + QStringLiteral("/XMLD"));
        }
        m_context = GenerationContext{};
        m_context.dataFolder = data();
        m_context.modFolder = m_root + QStringLiteral("/mods/");
        m_context.gameRunning = [] { return false; };
        m_context.now = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
        m_context.userName = QStringLiteral("  Testnutzer ");
        m_context.version = QStringLiteral("18.3.7.3");
        m_context.pictures = testPictures();
    }

    void writeWorkingFile(const QByteArray& content) {
        WriteFileAtomically(data() + "AirShipFull.xml", content);
    }

    // The header lines 4 (time) and 5 (user) of the generated assets.xml.
    QStringList headerLines() const { return ReadTextLines(path(kAssets)).mid(3, 2); }

private Q_SLOTS:
    void cleanup() {
        delete m_dir;
        m_dir = nullptr;
    }

    void wholeOutputs_data() {
        AddColumns<QString, QString, QStringList>("source", "prefix", "enabled");
        const QStringList all{QStringLiteral("1010304"), QStringLiteral("1010305"), QStringLiteral("1010307"),
                              QStringLiteral("1010308"), QStringLiteral("101311")};
        const QStringList gold{QStringLiteral("101311")};
        for (const auto& [source, prefix] : {std::pair{packageData(), QStringLiteral("shipped")},
                                             std::pair{fixtureData(), QStringLiteral("fixture")}}) {
            AddRow(qPrintable(prefix + QStringLiteral(" no mine")), source, prefix, QStringList());
            AddRow(qPrintable(prefix + QStringLiteral(" gold mine")), source, prefix, gold);
            AddRow(qPrintable(prefix + QStringLiteral(" all five")), source, prefix, all);
        }
    }

    // The whole mod against reviewed expected files (header time aside), and its fixed blocks against the
    // listing written out above.
    void wholeOutputs() {
        QFETCH(QString, source);
        QFETCH(QString, prefix);
        QFETCH(QStringList, enabled);
        if (!QFileInfo::exists(source + QStringLiteral("/AirShipFull.xml"))) {
            QSKIP("Das Datenpaket ist in diesem Build nicht gebaut.");
        }
        prepare(source);
        QMap<QString, QString> states;
        for (const QString& guid : enabled) {
            states.insert(guid, QStringLiteral("true"));
        }
        setMineStates(data(), states);
        QVERIFY(CreateModification(m_context));

        const QString mines = enabled.isEmpty()     ? QStringLiteral("nomine")
                              : enabled.size() == 1 ? QStringLiteral("gold")
                                                    : QStringLiteral("allmines");
        compareWithExpected(path(kAssets),
                            prefix + QStringLiteral("_assets_") + mines + QStringLiteral(".xml"),
                            {{3, kDateLine}});
        QCOMPARE(headerLines(), QStringList({headerTime(m_context.now), QStringLiteral("Testnutzer")}));
        if (!updateExpected()) {
            QCOMPARE(fixedBlocksOf(path(kAssets)), expectedFixedBlocks(enabled));
        }
        if (enabled.isEmpty()) {
            compareWithExpected(path(kTexts), prefix + QStringLiteral("_texts_german.xml"), {});
            compareWithExpected(path(kModInfo), QStringLiteral("modinfo.json"),
                                {{42, QStringLiteral("@IMAGE@")}});
        }
    }

    void shippedShipBlockHoldsAllSixteenWithStarIcons() {
        if (!QFileInfo::exists(packageData() + QStringLiteral("/AirShipFull.xml"))) {
            QSKIP("Das Datenpaket ist in diesem Build nicht gebaut.");
        }
        prepare(packageData());
        const QByteArray before = ReadFileBytes(data() + "AirShipFull.xml");
        QVERIFY(CreateModification(m_context));
        QCOMPARE(shipBlockGuids(path(kAssets)).size(), 16);
        const XmlDocument doc = XmlDocument::load(path(kAssets));
        QSet<QString> icons;
        for (const XmlNode& icon :
             doc.selectAll(QStringLiteral("/ModOps/ModOp[@GUID=\"114166\"]//IconFilename"))) {
            icons << icon.text();
        }
        QSet<QString> expected;
        for (int i = 0; i < 6; ++i) {
            expected << QStringLiteral("data/icon/") + kIcons[i] + QStringLiteral(".png");
        }
        QCOMPARE(icons, expected);
        // The icon paths change in the mod only, never in the working file.
        QCOMPARE(ReadFileBytes(data() + "AirShipFull.xml"), before);
    }

    void starIconPath_data() {
        AddTextRowsFromFile(QStringLiteral(SKYLATHE_TEST_DATA "/cases/star_icon_paths.json"));
    }

    void starIconPath() {
        QFETCH(QString, icon);
        QFETCH(QString, expected);
        QCOMPARE(StarIconPath(icon), expected);
    }

    void headerTextCannotBreakTheComment_data() {
        AddTextRowsFromFile(QStringLiteral(SKYLATHE_TEST_DATA "/cases/header_texts.json"));
    }

    void headerTextCannotBreakTheComment() {
        QFETCH(QString, user);
        QFETCH(QString, line);
        prepare();
        m_context.userName = user;
        m_context.version = QStringLiteral("18.3.7.3--");
        QVERIFY(CreateModification(m_context));
        const QStringList lines = ReadTextLines(path(kAssets));
        QCOMPARE(lines.mid(0, 8),
                 QStringList({QStringLiteral("<!--"), QString(115, QLatin1Char('*')),
                              QStringLiteral("Skylathe Modifikation"), headerTime(m_context.now), line,
                              QStringLiteral("Skylathe 18.3.7.3- - "), QString(115, QLatin1Char('*')),
                              QStringLiteral("-->")}));
        QVERIFY(XmlDocument::load(path(kAssets)).hasRoot());
    }

    // Fewer or more records than sixteen: the ship block holds exactly them, the fixed blocks still name
    // all sixteen editor ships.
    void recordCount_data() {
        QTest::addColumn<int>("count");
        AddRow("none", 0);
        AddRow("one", 1);
        AddRow("seventeen", 17);
    }

    void recordCount() {
        QFETCH(int, count);
        prepare();
        QByteArray file("<AssetList>");
        QStringList guids;
        for (int i = 0; i < count; ++i) {
            guids << QString::number(2000502100 + i);
            file += "<Asset><Values><Standard><Name>S</Name><IconFilename>i.png</IconFilename>"
                    "<InfoDescription>1</InfoDescription><InfoDescriptionText>d</InfoDescriptionText><GUID>" +
                    guids.last().toLatin1() + "</GUID></Standard></Values></Asset>";
        }
        writeWorkingFile(file + "</AssetList>");
        QVERIFY(CreateModification(m_context));
        QCOMPARE(shipBlockGuids(path(kAssets)), guids);
        QCOMPARE(fixedBlocksOf(path(kAssets)), expectedFixedBlocks({}));
    }

    void mineStates_data() {
        AddColumns<QString, QStringList>("gasMines", "enabled");
        const auto file = [](const char* rows) {
            return QStringLiteral("<GasMines>%1</GasMines>").arg(QLatin1String(rows));
        };
        AddRow("only exact true counts", file(R"(<GasMine GUID="1010304" Name="Kohlenmine" Status="True"/>
                       <GasMine GUID="1010305" Name="Eisenmine" Status=" true"/>
                       <GasMine GUID="1010307" Name="Zinkmine" Status="true "/>
                       <GasMine GUID="1010308" Name="Kupfermine" Status="TRUE"/>
                       <GasMine GUID="101311" Name="Goldmine" Status="true"/>)"),
               QStringList{QStringLiteral("101311")});
        AddRow("sixth mine changes nothing",
               file(R"(<GasMine GUID="1010304" Name="Kohlenmine" Status="false"/>
                       <GasMine GUID="1010309" Name="Zementmine" Status="true"/>)"),
               QStringList());
        AddRow("missing rows count as off",
               file(R"(<GasMine GUID="1010308" Name="Kupfermine" Status="true"/>)"),
               QStringList{QStringLiteral("1010308")});
        AddRow("status taken by position", file(R"(<GasMine GUID="1010304" Status="true" Name="Kohlenmine"/>
                       <GasMine Name="true" GUID="1010305" Status="false"/>
                       <GasMine GUID="1010307" Name="Zinkmine" Status="true"/>
                       <GasMine GUID="101311" Name="Goldmine"/>)"),
               QStringList{QStringLiteral("1010307")});
        AddRow("emission in table order", file(R"(<GasMine GUID="101311" Name="Goldmine" Status="true"/>
                       <GasMine GUID="1010308" Name="Kupfermine" Status="true"/>
                       <GasMine GUID="1010304" Name="Kohlenmine" Status="true"/>)"),
               QStringList{QStringLiteral("1010304"), QStringLiteral("1010308"), QStringLiteral("101311")});
    }

    void mineStates() {
        QFETCH(QString, gasMines);
        QFETCH(QStringList, enabled);
        prepare();
        WriteFileAtomically(data() + "GasMines.xml", gasMines.toUtf8());
        QVERIFY(CreateModification(m_context));
        QCOMPARE(fixedBlocksOf(path(kAssets)), expectedFixedBlocks(enabled));
    }

    void specialCharactersStayWellFormed() {
        prepare();
        QVERIFY(CreateModification(m_context));
        const XmlDocument assets = XmlDocument::load(path(kAssets));
        QVERIFY2(assets.hasRoot(), qPrintable(assets.errorText()));
        QCOMPARE(assets
                     .selectSingle(
                         QStringLiteral("//Asset[Values/Standard/GUID=\"2000502011\"]/Values/Standard/Name"))
                     .text(),
                 QStringLiteral("Kolibri & Söhne <leicht>"));
        const XmlDocument texts = XmlDocument::load(path(kTexts));
        QVERIFY2(texts.hasRoot(), qPrintable(texts.errorText()));
        QCOMPARE(texts.selectSingle(QStringLiteral("//Text[GUID=\"2000502011\"]/Text")).text(),
                 QStringLiteral("Kolibri & Söhne <leicht>"));
    }

    // Broken inputs stop the run before anything is written, with a message naming the file (and record).
    void brokenInputsWriteNothing_data() {
        AddColumns<QString, QByteArray, QStringList>("file", "content", "messageParts");
        AddRow(
            "record without icon", "AirShipFull.xml",
            QByteArray("<AssetList><Asset><Values><Standard><Name>A</Name><IconFilename>a.png</IconFilename>"
                       "<GUID>2000502018</GUID></Standard></Values></Asset><Asset><Values><Standard><Name>B"
                       "</Name><GUID>2000502011</GUID></Standard></Values></Asset></AssetList>"),
            QStringList{"AirShipFull.xml", "2000502011", "IconFilename"});
        AddRow("record without icon and GUID", "AirShipFull.xml",
               QByteArray("<AssetList><Asset><Values/></Asset></AssetList>"),
               QStringList{"AirShipFull.xml", "1. Datensatz", "IconFilename"});
        AddRow("malformed working file", "AirShipFull.xml", QByteArray("<AssetList><Asset>"),
               QStringList{"AirShipFull.xml"});
        AddRow("missing working file", "AirShipFull.xml", QByteArray(),
               QStringList{"AirShipFull.xml", "fehlt"});
        AddRow("malformed mine list", "GasMines.xml", QByteArray("<GasMines><GasMine GUID=\"1\""),
               QStringList{"GasMines.xml"});
        AddRow("missing mine list", "GasMines.xml", QByteArray(), QStringList{"GasMines.xml", "fehlt"});
    }

    void brokenInputsWriteNothing() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, messageParts);
        prepare();
        // A mod from an earlier run stays as it is.
        QVERIFY(CreateModification(m_context));
        if (content.isEmpty()) {
            QVERIFY(QFile::remove(data() + file));
        } else {
            WriteFileAtomically(data() + file, content);
        }
        const auto before = snapshot(m_root);
        try {
            CreateModification(m_context);
            QFAIL("Der Lauf hätte abbrechen müssen.");
        } catch (const SkylatheError& error) {
            for (const QString& part : messageParts) {
                QVERIFY2(error.message().contains(part), qPrintable(error.message()));
            }
        }
        QCOMPARE(snapshot(m_root), before);
    }

    void missingPictureWritesNothing() {
        prepare();
        m_context.pictures.storedPng = [](const QString&) { return QByteArray(); };
        const auto before = snapshot(m_root);
        QVERIFY_THROWS_EXCEPTION(SkylatheError, CreateModification(m_context));
        QCOMPARE(snapshot(m_root), before);
    }

    void gameRunningWritesNothing() {
        prepare();
        m_context.gameRunning = [] { return true; };
        QFile::remove(data() + "AirShipFull.xml"); // not even read
        const auto before = snapshot(m_root);
        QCOMPARE(CreateModification(m_context), false);
        QCOMPARE(snapshot(m_root), before);
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("mods"))));
    }

    // Mods folder absent: the whole path is created. Afterwards the data folder holds no assets.xml but the
    // new texts and preview picture; the mod holds exactly the described files.
    void layoutOfAFreshMod() {
        prepare();
        WriteFileAtomically(data() + "ActiveIcon.png", "old");
        QVERIFY(CreateModification(m_context));

        QCOMPARE(snapshot(path(kMod)).keys(), freshModLayout());

        QVERIFY(!QFileInfo::exists(data() + "assets.xml"));
        QVERIFY(!QFileInfo::exists(data() + "ActiveIcon.png"));
        QCOMPARE(ReadFileBytes(data() + "Active.png"),
                 m_context.pictures.storedPng(QStringLiteral("AeroluneYard")));
        QCOMPARE(ReadFileBytes(path(kTexts)), ReadFileBytes(data() + "texts_german.xml"));
        QCOMPARE(snapshot(path(kYard)), snapshot(data() + "[Air Ships] Aerolune Yard"));

        for (const QString& icon : kIcons) {
            QImageReader reader(path(kMod + QStringLiteral("data/icon/") + icon + QStringLiteral(".png")));
            QCOMPARE(reader.format(), QByteArray("png"));
            QCOMPARE(reader.size(), QSize(128, 128));
        }
    }

    // A second run: the asset folder is wiped, other folders keep foreign files, the installed yard mod is
    // replaced, the switched-off copies stay untouched.
    void rerunReplacesWhatItOwns() {
        prepare();
        QVERIFY(CreateModification(m_context));
        const QString assetFolder = path(kMod + QStringLiteral("data/config/export/main/asset/"));
        WriteFileAtomically(assetFolder + "extra.xml", "x");
        QDir().mkpath(assetFolder + "old/deeper");
        WriteFileAtomically(assetFolder + "old/deeper/f.txt", "x");
        WriteFileAtomically(path(kMod + QStringLiteral("data/icon/mine.png")), "own icon");
        WriteFileAtomically(path(kMod + QStringLiteral("data/config/gui/texts_english.xml")), "en");
        WriteFileAtomically(path(kMod + QStringLiteral("readme.txt")), "r");
        WriteFileAtomically(path(kYard + QStringLiteral("/stale.txt")), "s");
        WriteFileAtomically(path(kYard + QStringLiteral("/modinfo.json")), "edited");
        QDir().mkpath(path(QStringLiteral("mods/-[Air Ships] Aerolune Yard/data")));
        WriteFileAtomically(path(QStringLiteral("mods/-[Air Ships] Aerolune Yard/data/f.txt")), "off");
        QDir().mkpath(path(QStringLiteral("mods/-[Air Ships] Aerolune")));
        WriteFileAtomically(path(QStringLiteral("mods/-[Air Ships] Aerolune/modinfo.json")), "off");
        const auto switchedOffYard = snapshot(path(QStringLiteral("mods/-[Air Ships] Aerolune Yard")));
        const auto switchedOffMod = snapshot(path(QStringLiteral("mods/-[Air Ships] Aerolune")));

        QVERIFY(CreateModification(m_context));
        QCOMPARE(snapshot(assetFolder).keys(), QStringList{QStringLiteral("assets.xml")});
        QCOMPARE(ReadFileBytes(path(kMod + QStringLiteral("data/icon/mine.png"))), QByteArray("own icon"));
        QVERIFY(QFileInfo::exists(path(kMod + QStringLiteral("data/config/gui/texts_english.xml"))));
        QVERIFY(QFileInfo::exists(path(kMod + QStringLiteral("readme.txt"))));
        QCOMPARE(snapshot(path(kYard)), snapshot(data() + "[Air Ships] Aerolune Yard"));
        QCOMPARE(snapshot(path(QStringLiteral("mods/-[Air Ships] Aerolune Yard"))), switchedOffYard);
        QCOMPARE(snapshot(path(QStringLiteral("mods/-[Air Ships] Aerolune"))), switchedOffMod);
    }

    void yardModMissingFromDataFolder() {
        prepare();
        QVERIFY(CreateModification(m_context));
        QVERIFY(QFileInfo::exists(path(kYard)));
        QVERIFY(QDir(data() + "[Air Ships] Aerolune Yard").removeRecursively());
        QVERIFY(CreateModification(m_context));
        QVERIFY(!QFileInfo::exists(path(kYard)));
        QVERIFY(QFileInfo::exists(path(kModInfo)));
    }

    // A FIFO, a socket-like special file or a link out of the tree in the data folder's yard mod: the run
    // neither blocks nor follows them; the mod's copy holds only the regular files.
    void yardCopySkipsSpecialFilesAndLinks() {
        prepare();
        const QString yard = data() + "[Air Ships] Aerolune Yard/";
        const QString outside = path(QStringLiteral("outside"));
        QVERIFY(QDir().mkpath(outside));
        WriteFileAtomically(outside + QStringLiteral("/secret.txt"), "geheim");
        QCOMPARE(::mkfifo(QFile::encodeName(yard + QStringLiteral("data/pipe")).constData(), 0644), 0);
        QVERIFY(QFile::link(outside, yard + QStringLiteral("data/linked_folder")));
        QVERIFY(
            QFile::link(outside + QStringLiteral("/secret.txt"), yard + QStringLiteral("linked_file.txt")));
        QVERIFY(CreateModification(m_context));
        const auto copied = snapshot(path(kYard));
        QVERIFY(copied.contains(QStringLiteral("modinfo.json")));
        for (const QString& name : {QStringLiteral("data/pipe"), QStringLiteral("data/linked_folder"),
                                    QStringLiteral("linked_file.txt")}) {
            QVERIFY2(!copied.contains(name), qPrintable(name));
        }
        for (const QByteArray& content : copied) {
            QVERIFY(content != "geheim");
        }
        // Replacing the installed copy removes the links as links, never what they point to.
        QVERIFY(QFile::link(outside, path(kYard + QStringLiteral("/link_out"))));
        QVERIFY(CreateModification(m_context));
        QCOMPARE(ReadFileBytes(outside + QStringLiteral("/secret.txt")), QByteArray("geheim"));
    }

    void twoRunsGiveIdenticalFiles() {
        prepare();
        QVERIFY(CreateModification(m_context));
        const auto first = snapshot(m_root);
        QVERIFY(CreateModification(m_context));
        QCOMPARE(snapshot(m_root), first);
    }

    void modInfoFile() {
        prepare();
        QVERIFY(CreateModification(m_context));
        const QByteArray bytes = ReadFileBytes(path(kModInfo));
        QVERIFY(bytes.startsWith("{\r\n"));
        QVERIFY(bytes.endsWith("}\r\n"));
        QCOMPARE(bytes.count("\r\n"), 44);
        QCOMPARE(bytes.count('\n'), 44);
        QJsonParseError error;
        const QJsonObject json = QJsonDocument::fromJson(bytes, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(json.value("Version").toString(), QStringLiteral("18.3.7.3"));
        const QByteArray png = QByteArray::fromBase64(json.value("Image").toString().toLatin1());
        QCOMPARE(png, ReadFileBytes(data() + "Active.png"));
        QImage image;
        QVERIFY(image.loadFromData(png, "PNG"));
        QCOMPARE(image.size(), QSize(128, 128));
    }

    void encodeFileBase64_data() {
        AddColumns<QByteArray, QString>("content", "encoded");
        AddRow("empty", QByteArray(), "");
        AddRow("one fill", QByteArray("fo"), "Zm8=");
        AddRow("two fills", QByteArray("f"), "Zg==");
        AddRow("no fill", QByteArray("foo"), "Zm9v");
        AddRow("high bytes, one line", QByteArray(100, '\xFB'), QString(QByteArray(100, '\xFB').toBase64()));
    }

    void encodeFileBase64() {
        QFETCH(QByteArray, content);
        QFETCH(QString, encoded);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("f.bin"));
        WriteFileAtomically(file, content);
        QCOMPARE(EncodeFileBase64(file), encoded);
        QVERIFY(!EncodeFileBase64(file).contains(QLatin1Char('\n')));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, EncodeFileBase64(dir.filePath(QStringLiteral("none.bin"))));
    }
};

QTEST_MAIN(TestModgen)
#include "test_modgen.moc"
