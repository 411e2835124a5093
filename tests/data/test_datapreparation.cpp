#include "data/DataPreparation.h"
#include "data/Error.h"
#include "data/ModTexts.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "tests/support/DataRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The data preparation steps on a small game extract: two editor ships in "AirShip.xml" (one of them the
// arctic explorer copy 114166), one armed ship in "WarAirShip.xml", and one asset of the removal list in
// each file.
class TestDataPreparation : public QObject {
    Q_OBJECT

private:
    static QString fixture(const QString& name) {
        return QStringLiteral(SKYLATHE_TEST_DATA "/preparation/") + name;
    }

    // A writable copy of the fixture's game folder.
    static QString copyGame(const QTemporaryDir& dir) {
        const QString game = dir.filePath(QStringLiteral("ORG")) + QLatin1Char('/');
        QDir().mkpath(game);
        for (const QString& name : {QStringLiteral("AirShip.xml"), QStringLiteral("WarAirShip.xml"),
                                    QStringLiteral("texts_german.xml")}) {
            WriteFileAtomically(game + name, ReadFileBytes(fixture(QStringLiteral("game/")) + name));
        }
        return game;
    }

    static void replaceInFile(const QString& path, const QByteArray& from, const QByteArray& to) {
        QByteArray bytes = ReadFileBytes(path);
        QVERIFY2(bytes.contains(from), from.constData());
        bytes.replace(from, to);
        WriteFileAtomically(path, bytes);
    }

    static XmlNode record(const XmlDocument& doc, const QString& guid) {
        return doc.selectSingle(QStringLiteral("//Asset/Values[Standard/GUID=\"%1\"]").arg(guid));
    }

private Q_SLOTS:
    // The whole command over the fixture gives exactly the expected data files.
    void runBuildsExpectedFiles_data() {
        QTest::addColumn<QString>("file");
        AddRow("working asset file", QStringLiteral("AirShipFull.xml"));
        AddRow("ship index", QStringLiteral("AirShipShort.xml"));
        AddRow("mod texts", QStringLiteral("texts_german.xml"));
        AddRow("product catalogue with BOM and trailing blanks", QStringLiteral("ProductList.xml"));
    }

    void runBuildsExpectedFiles() {
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("new/XMLD/"));
        QVERIFY(RunDataPreparation(fixture(QStringLiteral("game/")), data));
        QCOMPARE(ReadFileBytes(data + file), ReadFileBytes(fixture(QStringLiteral("expected/")) + file));
        // Right after the command the original asset file equals the working one.
        QCOMPARE(ReadFileBytes(data + QStringLiteral("AirShipFullOrg.xml")),
                 ReadFileBytes(data + QStringLiteral("AirShipFull.xml")));
        // The game folder is only read.
        QCOMPARE(QDir(fixture(QStringLiteral("game"))).entryList(QDir::Files).size(), 3);
    }

    // The cost rules of step 4, row by row.
    void costItems_data() {
        AddColumns<QString, int, QString, QString>("guid", "row", "ingredient", "amount");
        AddRow("inherited index 2 gives 1010218", "2000502010", 0, "1010218", "5");
        AddRow("amount 0 clears the product", "2000502010", 1, "0", "0");
        AddRow("product kept", "2000502010", 2, "840", "25");
        AddRow("inherited index 3 gives arctic gas", "2000502016", 1, "112706", "10");
        AddRow("inherited index without amount stays empty", "2000502016", 3, "0", "0");
        AddRow("114166 row 1", "2000502018", 0, "1010196", "9");
        AddRow("114166 row 2 by inherited index", "2000502018", 1, "1010210", "17");
        AddRow("114166 row 3", "2000502018", 2, "1010224", "9");
        AddRow("114166 row 4 gets arctic gas and an amount", "2000502018", 3, "112706", "14");
    }

    void costItems() {
        QFETCH(QString, guid);
        QFETCH(int, row);
        QFETCH(QString, ingredient);
        QFETCH(QString, amount);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("XMLD/"));
        RunDataPreparation(fixture(QStringLiteral("game/")), data);
        const XmlDocument doc = XmlDocument::load(data + QStringLiteral("AirShipFull.xml"));
        const XmlNodeList items = record(doc, guid).selectAll(QStringLiteral("Cost/Costs/Item"));
        // A record with three or four rows ends with seven; the added ones are empty.
        QCOMPARE(items.size(), 7);
        for (int i = 4; i < 7; ++i) {
            QCOMPARE(items[i].outerXml(), QStringLiteral("<Item/>"));
        }
        QCOMPARE(items[row].requireText(QStringLiteral("Ingredient")), ingredient);
        QCOMPARE(items[row].requireText(QStringLiteral("Amount")), amount);
        QVERIFY(items[row].selectSingle(QStringLiteral("VectorElement")).isNull());
    }

    // Elements the game leaves out get their defaults; present ones keep the game's values.
    void defaults_data() {
        AddColumns<QString, QString, QString>("guid", "path", "expected");
        const QString bare = QStringLiteral("2000502010");
        const QString full = QStringLiteral("2000502018");
        const QList<std::tuple<const char*, const char*, const char*>> rows = {
            {"Cost/InfluenceCostPoints", "0", "6"},
            {"ItemContainer/SocketCount", "3", "2"},
            {"ItemContainer/SlotCount", "8", "4"},
            {"ItemContainer/StackLimit", "50", "40"},
            {"ItemContainer/SocketAllocation", "AirShip", "Cargo"},
            {"Walking/ForwardSpeed", "5", "11.7"},
            {"Walking/SessionTransferSpeedFactor", "1", "1.2"},
            {"Craftable/CraftingTime", "900000", "600000"},
            {"Walking/CargoFullFactor", "0.4", "0.5"},
            {"ShipMaintenance/Maintenance", "0", "1200"},
            {"TradeRouteVehicle/LoadingSpeedFactor", "1", "1.5"},
            {"CommandQueue/MilitaryAirShipPoints", "0", "3"},
            {"CommandQueue/AirShipPoints", "0", "2"},
            {"CommandQueue/TradeShipPoints", "0", "1"},
            {"Cost/ItemsPerCost", "1", nullptr},
        };
        for (const auto& [path, byDefault, fromGame] : rows) {
            QTest::addRow("default %s", path)
                << bare << QString::fromLatin1(path) << QString::fromLatin1(byDefault);
            if (fromGame) {
                QTest::addRow("game %s", path)
                    << full << QString::fromLatin1(path) << QString::fromLatin1(fromGame);
            }
        }
        AddRow("shafts default where a bombarder exists", bare, "Bombarder/Shafts", "0");
        AddRow("no shafts without bombarder", full, "Bombarder/Shafts", QString());
        AddRow("default buff removed", bare, "UpgradeList/DefaultBuff", QString());
        AddRow("no armed default for attacker", bare, "Attacker/BaseDamage", QString());
    }

    void defaults() {
        QFETCH(QString, guid);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("XMLD/"));
        RunDataPreparation(fixture(QStringLiteral("game/")), data);
        const XmlNode node =
            record(XmlDocument::load(data + QStringLiteral("AirShipFull.xml")), guid).selectSingle(path);
        if (expected.isNull()) {
            QVERIFY(node.isNull());
        } else {
            QVERIFY(!node.isNull());
            QCOMPARE(node.text(), expected);
        }
    }

    // A hyphen of the game text becomes a blank in the index only; "&" stays escaped in both files.
    void namesInRecordAndIndex() {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("XMLD/"));
        RunDataPreparation(fixture(QStringLiteral("game/")), data);
        const XmlDocument assets = XmlDocument::load(data + QStringLiteral("AirShipFull.xml"));
        const XmlDocument index = XmlDocument::load(data + QStringLiteral("AirShipShort.xml"));
        QCOMPARE(record(assets, QStringLiteral("2000502010")).requireText(QStringLiteral("Standard/Name")),
                 QStringLiteral("Mapinguari-Gross"));
        QCOMPARE(index.root().require(QStringLiteral("AirShip[@GUID=\"2000502010\"]")).attributeAt(1),
                 QStringLiteral("Mapinguari Gross"));
        QCOMPARE(index.root().require(QStringLiteral("AirShip[@GUID=\"2000502016\"]")).attributeAt(1),
                 QStringLiteral("Kolibri & Co"));
    }

    // Every bad input stops the command with a message naming the file and the fault, and the data
    // folder keeps what it held.
    void badInputsWriteNothing_data() {
        AddColumns<QString, QByteArray, QByteArray, QStringList>("file", "from", "to", "messageParts");

        AddRow("missing AirShip.xml", "AirShip.xml", QByteArray(), QByteArray(),
               QStringList{"AirShip.xml", "fehlt"});
        AddRow("missing WarAirShip.xml", "WarAirShip.xml", QByteArray(), QByteArray(),
               QStringList{"WarAirShip.xml", "fehlt"});
        AddRow("missing game texts", "texts_german.xml", QByteArray(), QByteArray(),
               QStringList{"texts_german.xml", "fehlt"});
        AddRow("malformed AirShip.xml", "AirShip.xml", QByteArray("</Walking>"), QByteArray(),
               QStringList{"AirShip.xml", "keine gültige XML-Datei"});
        AddRow("closing root not on its own last line", "AirShip.xml",
               QByteArray("\t</Asset>\r\n</AssetList>"), QByteArray("\t</Asset></AssetList>"),
               QStringList{"AirShip.xml", "</AssetList>"});
        AddRow("war list without declaration line", "WarAirShip.xml",
               QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"), QByteArray(),
               QStringList{"WarAirShip.xml", "Deklaration"});
        AddRow("missing parent element", "AirShip.xml",
               QByteArray("\t\t\t<TradeRouteVehicle>\r\n\t\t\t\t<RouteType>Air</RouteType>\r\n"
                          "\t\t\t</TradeRouteVehicle>\r\n"),
               QByteArray(), QStringList{"GUID 1755", "Values/TradeRouteVehicle"});
        AddRow("element other than an asset in the root", "WarAirShip.xml",
               QByteArray("\t<Asset>\r\n\t\t<Template>WarAirShip</Template>"),
               QByteArray("\t<Group/>\r\n\t<Asset>\r\n\t\t<Template>WarAirShip</Template>"),
               QStringList{"WarAirShip.xml", "„Group“"});
        AddRow("unknown base ship", "AirShip.xml", QByteArray("<GUID>1755</GUID>"),
               QByteArray("<GUID>1999</GUID>"), QStringList{"1999", "sechzehn"});
        AddRow("game text of a name missing", "texts_german.xml", QByteArray("<GUID>114166</GUID>"),
               QByteArray("<GUID>114167</GUID>"), QStringList{"texts_german.xml", "114166"});
        AddRow("114166 row without amount", "AirShip.xml", QByteArray("\t\t\t\t\t\t<Amount>8</Amount>\r\n"),
               QByteArray(), QStringList{"2000502018", "Amount", "3"});
        AddRow("no lift gas left in the costs", "AirShip.xml",
               QByteArray("<Ingredient>840</Ingredient>\r\n\t\t\t\t\t\t<Amount>25</Amount>"),
               QByteArray("<Ingredient>840</Ingredient>\r\n\t\t\t\t\t\t<Amount>0</Amount>"),
               QStringList{"2000502010", "Traggas"});
        AddRow("no icon", "AirShip.xml",
               QByteArray("\t\t\t\t<IconFilename>data/ui/2kimages/main/3dicons/ships/icon_airship_artic.png</"
                          "IconFilename>\r\n\t\t\t\t<InfoDescription>114288</InfoDescription>\r\n\t\t\t</"
                          "Standard>\r\n\t\t\t<Walking>\r\n\t\t\t\t<ForwardSpeed>"),
               QByteArray("\t\t\t\t<InfoDescription>114288</InfoDescription>\r\n\t\t\t</Standard>\r\n\t\t\t<"
                          "Walking>\r\n\t\t\t\t<ForwardSpeed>"),
               QStringList{"2000502018", "IconFilename"});
    }

    void badInputsWriteNothing() {
        QFETCH(QString, file);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QStringList, messageParts);
        QTemporaryDir dir;
        const QString game = copyGame(dir);
        if (from.isEmpty()) {
            QVERIFY(QFile::remove(game + file));
        } else {
            replaceInFile(game + file, from, to);
        }
        const QString data = dir.filePath(QStringLiteral("XMLD/"));
        QDir().mkpath(data);
        const QByteArray previous("<AssetList/>\r\n");
        WriteFileAtomically(data + QStringLiteral("AirShipFull.xml"), previous);

        QString message;
        try {
            RunDataPreparation(game, data);
        } catch (const SkylatheError& error) {
            message = error.message();
        }
        for (const QString& part : messageParts) {
            QVERIFY2(message.contains(part), qPrintable(message));
        }
        QCOMPARE(QDir(data).entryList(QDir::Files), QStringList{QStringLiteral("AirShipFull.xml")});
        QCOMPARE(ReadFileBytes(data + QStringLiteral("AirShipFull.xml")), previous);
    }

    // The merge step alone: a missing list writes nothing; otherwise one list with all assets in file order.
    void mergeStep() {
        QTemporaryDir dir;
        const QString game = copyGame(dir);
        const QString data = dir.filePath(QStringLiteral("XMLD/"));
        QDir().mkpath(data);
        QVERIFY(MergeGameAssetFiles(game, data));
        const XmlDocument merged = XmlDocument::load(data + QStringLiteral("AirShipFull.xml"));
        QStringList guids;
        for (const XmlNode& guid :
             merged.selectAll(QStringLiteral("/AssetList/Asset/Values/Standard/GUID"))) {
            guids << guid.text();
        }
        QCOMPARE(guids, (QStringList{"1755", "103293", "114166", "4386", "1054"}));
        QVERIFY(ReadFileBytes(data + QStringLiteral("AirShipFull.xml"))
                    .startsWith("<?xml version=\"1.0\"?>\r\n"));

        QVERIFY(RemoveOtherAssets(data));
        QCOMPARE(XmlDocument::load(data + QStringLiteral("AirShipFull.xml"))
                     .selectAll(QStringLiteral("//Asset"))
                     .size(),
                 3);

        QFile::remove(data + QStringLiteral("AirShipFull.xml"));
        QFile::remove(game + QStringLiteral("WarAirShip.xml"));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, MergeGameAssetFiles(game, data));
        QVERIFY(QDir(data).isEmpty());
    }

    // The mod text writer escapes markup characters, keeps line breaks and stays well-formed.
    void modTexts() {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("XMLD/"));
        RunDataPreparation(fixture(QStringLiteral("game/")), data);
        const QString assetsPath = data + QStringLiteral("AirShipFull.xml");
        XmlDocument assets = XmlDocument::load(assetsPath);
        XmlNode ship = record(assets, QStringLiteral("2000502018"));
        ship.require(QStringLiteral("Standard/Name")).setText(QStringLiteral("Boreas <Eis> & Schnee"));
        ship.require(QStringLiteral("Standard/InfoDescriptionText"))
            .setText(QStringLiteral("Zeile 1\r\nZeile 2\r\n"));
        assets.save(assetsPath);

        QVERIFY(WriteModTexts(data));
        const QByteArray bytes = ReadFileBytes(data + QStringLiteral("texts_german.xml"));
        QVERIFY(bytes.contains(
            "\t\t\t<GUID>2000502018</GUID>\r\n\t\t\t<Text>Boreas &lt;Eis&gt; &amp; Schnee</Text>\r\n"));
        QVERIFY(
            bytes.contains("\t\t\t<GUID>2000502030</GUID>\r\n\t\t\t<Text>Zeile 1\r\nZeile 2\r\n</Text>\r\n"));
        const XmlDocument texts = XmlDocument::load(data + QStringLiteral("texts_german.xml"));
        QCOMPARE(texts.selectAll(QStringLiteral("/ModOps/ModOp/Text")).size(), 6);
        QCOMPARE(texts.selectSingle(QStringLiteral("//Text[GUID=\"2000502018\"]/Text")).text(),
                 QStringLiteral("Boreas <Eis> & Schnee"));
    }

    void modTextsRefuseIncompleteRecord_data() {
        QTest::addColumn<QString>("element");
        AddRow("name", QStringLiteral("Values/Standard/Name"));
        AddRow("description id", QStringLiteral("Values/Standard/InfoDescription"));
        AddRow("description", QStringLiteral("Values/Standard/InfoDescriptionText"));
    }

    void modTextsRefuseIncompleteRecord() {
        QFETCH(QString, element);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("XMLD/"));
        RunDataPreparation(fixture(QStringLiteral("game/")), data);
        const QString assetsPath = data + QStringLiteral("AirShipFull.xml");
        XmlDocument assets = XmlDocument::load(assetsPath);
        assets.selectSingle(QStringLiteral("//Asset[Values/Standard/GUID=\"2000502016\"]/") + element)
            .remove();
        assets.save(assetsPath);
        const QByteArray before = ReadFileBytes(data + QStringLiteral("texts_german.xml"));

        QString message;
        try {
            WriteModTexts(data);
        } catch (const SkylatheError& error) {
            message = error.message();
        }
        QVERIFY2(message.contains(QStringLiteral("2000502016")) && message.contains(element) &&
                     message.contains(QStringLiteral("AirShipFull.xml")),
                 qPrintable(message));
        QCOMPARE(ReadFileBytes(data + QStringLiteral("texts_german.xml")), before);
    }
};

QTEST_GUILESS_MAIN(TestDataPreparation)
#include "test_datapreparation.moc"
