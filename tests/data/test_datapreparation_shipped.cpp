#include "data/DataPreparation.h"
#include "data/TextFile.h"
#include "data/Xml.h"

#include <QTemporaryDir>
#include <QtTest>

// The data files the package ships, built from the stand-in game extract exactly as the package build
// does, checked against the shipped tables.
namespace {

struct Cost {
    const char* ingredient;
    const char* amount;
};

struct ShippedShip {
    const char* guid;
    const char* name;
    const char* forwardSpeed;
    const char* cargoFullFactor;
    const char* transferFactor;
    const char* tradePoints;
    const char* airShipPoints;
    const char* militaryPoints;
    const char* maintenance;
    const char* craftingTime;
    const char* slots;
    const char* sockets;
    const char* stackLimit;
    const char* hitPoints;
    const char* damage; // nullptr: unarmed, no Attacker
    const char* reload;
    const char* shafts;
    const char* influence;
    Cost costs[4];
    // identity
    const char* baseGuid;
    const char* descriptionGuid;
    const char* baseDescriptionGuid;
    const char* icon;
    const char* gas;
    const char* pos;
};

// In file order.
const ShippedShip kShips[] = {
    {"2000502018",
     "Boreas",
     "11.7",
     "0.4",
     "1",
     "0",
     "0",
     "0",
     "1200",
     "900000",
     "4",
     "3",
     "50",
     "2400",
     nullptr,
     nullptr,
     "0",
     "6",
     {{"1010196", "9"}, {"1010210", "17"}, {"1010224", "9"}, {"112706", "14"}},
     "114166",
     "2000502030",
     "114288",
     "icon_airship_artic",
     "Arcticgas",
     "A"},
    {"2000502011",
     "Kolibri",
     "15",
     "0.4",
     "0.9",
     "0",
     "80",
     "0",
     "975",
     "720000",
     "2",
     "1",
     "50",
     "1400",
     nullptr,
     nullptr,
     "0",
     "2",
     {{"838", "25"}, {"1010210", "35"}, {"840", "20"}, {"0", "0"}},
     "1654",
     "2000502031",
     "1649",
     "icon_airship_hunter_light",
     "Heliumgas",
     "B"},
    {"2000502012",
     "Allicanto",
     "13",
     "0.4",
     "0.8",
     "0",
     "0",
     "0",
     "1300",
     "840000",
     "8",
     "3",
     "50",
     "2300",
     nullptr,
     nullptr,
     "0",
     "2",
     {{"838", "30"}, {"1010224", "10"}, {"840", "30"}, {"0", "0"}},
     "1655",
     "2000502032",
     "1650",
     "icon_airship_hunter",
     "Heliumgas",
     "C"},
    {"2000502013",
     "Atotolin",
     "5",
     "0.6",
     "1",
     "2",
     "120",
     "0",
     "900",
     "720000",
     "8",
     "3",
     "50",
     "1600",
     nullptr,
     nullptr,
     "0",
     "5",
     {{"838", "35"}, {"1010210", "45"}, {"840", "35"}, {"0", "0"}},
     "1058",
     "2000502033",
     "1666",
     "icon_airship_cargo_small",
     "Heliumgas",
     "D"},
    {"2000502014",
     "Dtundtuncan",
     "11",
     "0.7",
     "1.3",
     "5",
     "160",
     "0",
     "1500",
     "900000",
     "5",
     "3",
     "50",
     "2800",
     nullptr,
     nullptr,
     "4",
     "10",
     {{"838", "40"}, {"1010224", "20"}, {"840", "40"}, {"0", "0"}},
     "1059",
     "2000502034",
     "1664",
     "icon_airship_cargo_medium_b",
     "Heliumgas",
     "E"},
    {"2000502015",
     "Quetzalcoatl",
     "10",
     "0.8",
     "1.7",
     "8",
     "200",
     "0",
     "1800",
     "1080000",
     "8",
     "3",
     "50",
     "3500",
     nullptr,
     nullptr,
     "5",
     "18",
     {{"838", "55"}, {"1010224", "35"}, {"840", "55"}, {"0", "0"}},
     "1060",
     "2000502035",
     "1667",
     "icon_airship_cargo_large_a",
     "Heliumgas",
     "F"},
    {"2000502010",
     "Mapinguari",
     "11.7",
     "0.4",
     "1",
     "0",
     "0",
     "0",
     "1200",
     "900000",
     "4",
     "3",
     "50",
     "2400",
     nullptr,
     nullptr,
     "0",
     "6",
     {{"1010196", "10"}, {"1010210", "20"}, {"1010224", "8"}, {"840", "25"}},
     "1755",
     "2000502038",
     "114288",
     "icon_airship_artic",
     "Heliumgas",
     "A"},
    {"2000502019",
     "Harpyie",
     "15",
     "0.4",
     "0.9",
     "0",
     "80",
     "0",
     "975",
     "720000",
     "2",
     "1",
     "50",
     "1400",
     nullptr,
     nullptr,
     "0",
     "2",
     {{"838", "25"}, {"1010210", "35"}, {"112706", "10"}, {"0", "0"}},
     "1733",
     "2000502039",
     "1649",
     "icon_airship_hunter_light",
     "Arcticgas",
     "B"},
    {"2000502020",
     "Mantikor",
     "13",
     "0.4",
     "0.8",
     "0",
     "0",
     "0",
     "1300",
     "840000",
     "8",
     "3",
     "50",
     "2300",
     nullptr,
     nullptr,
     "0",
     "2",
     {{"838", "30"}, {"1010224", "10"}, {"112706", "15"}, {"0", "0"}},
     "1734",
     "2000502040",
     "1650",
     "icon_airship_hunter",
     "Arcticgas",
     "C"},
    {"2000502021",
     "Hermes",
     "5",
     "0.6",
     "1",
     "2",
     "120",
     "0",
     "900",
     "720000",
     "8",
     "3",
     "50",
     "1600",
     nullptr,
     nullptr,
     "0",
     "5",
     {{"838", "35"}, {"1010210", "45"}, {"112706", "20"}, {"0", "0"}},
     "1735",
     "2000502041",
     "1666",
     "icon_airship_cargo_small",
     "Arcticgas",
     "D"},
    {"2000502022",
     "Pegasus",
     "11",
     "0.7",
     "1.3",
     "5",
     "160",
     "0",
     "1500",
     "900000",
     "5",
     "3",
     "50",
     "2800",
     nullptr,
     nullptr,
     "4",
     "10",
     {{"838", "40"}, {"1010224", "20"}, {"112706", "25"}, {"0", "0"}},
     "1736",
     "2000502042",
     "1664",
     "icon_airship_cargo_medium_b",
     "Arcticgas",
     "E"},
    {"2000502023",
     "Zephyr",
     "10",
     "0.8",
     "1.7",
     "8",
     "200",
     "0",
     "1800",
     "1080000",
     "8",
     "3",
     "50",
     "3500",
     nullptr,
     nullptr,
     "5",
     "18",
     {{"838", "55"}, {"1010224", "35"}, {"112706", "35"}, {"0", "0"}},
     "1737",
     "2000502043",
     "1667",
     "icon_airship_cargo_large_a",
     "Arcticgas",
     "F"},
    {"2000502016",
     "Kolibri (bewaffnet)",
     "15",
     "0.4",
     "0.9",
     "0",
     "0",
     "2",
     "1125",
     "900000",
     "1",
     "3",
     "50",
     "1400",
     "55",
     "22",
     "2",
     "4",
     {{"838", "25"}, {"1010210", "35"}, {"840", "20"}, {"1010221", "20"}},
     "1054",
     "2000502044",
     "1647",
     "icon_airship_hunter_light",
     "Heliumgas",
     "G"},
    {"2000502017",
     "Allicanto (bewaffnet)",
     "13",
     "0.4",
     "0.8",
     "0",
     "0",
     "2",
     "1500",
     "1020000",
     "2",
     "3",
     "50",
     "2300",
     "130",
     "25",
     "2",
     "5",
     {{"838", "30"}, {"1010224", "10"}, {"840", "30"}, {"1010221", "40"}},
     "1056",
     "2000502045",
     "1648",
     "icon_airship_hunter",
     "Heliumgas",
     "H"},
    {"2000502024",
     "Harpyie (bewaffnet)",
     "15",
     "0.4",
     "0.9",
     "0",
     "0",
     "2",
     "1125",
     "900000",
     "1",
     "3",
     "50",
     "1400",
     "55",
     "22",
     "2",
     "4",
     {{"838", "25"}, {"1010210", "35"}, {"112706", "10"}, {"1010221", "20"}},
     "1731",
     "2000502036",
     "1647",
     "icon_airship_hunter_light",
     "Arcticgas",
     "G"},
    {"2000502025",
     "Mantikor (bewaffnet)",
     "13",
     "0.4",
     "0.8",
     "0",
     "0",
     "2",
     "1500",
     "1020000",
     "2",
     "3",
     "50",
     "2300",
     "130",
     "25",
     "2",
     "5",
     {{"838", "30"}, {"1010224", "10"}, {"112706", "15"}, {"1010221", "40"}},
     "1732",
     "2000502037",
     "1648",
     "icon_airship_hunter",
     "Arcticgas",
     "H"},
};

struct Product {
    const char* guid;
    const char* name;
    const char* icon;
    const char* category;
    const char* position;
};

const Product kProducts[] = {
    {"1010017", "Münzen", "icon_resource_money", "Ship", "0"},
    {"1010196", "Bretter", "icon_wooden_planks", "Ship", "1"},
    {"838", "Aluminiumprofile", "icon_aluminium", "Ship", "4"},
    {"1010221", "Kanonen", "icon_weapons", "Ship", "5"},
    {"1010219", "Stahl", "icon_steel", "Ship", "6"},
    {"1010204", "Messing", "icon_brass", "Ship", "7"},
    {"1010210", "Segel", "icon_sail", "Ship", "8"},
    {"114391", "Leinen", "icon_linen_fabric", "Ship", "9"},
    {"1010240", "Baumwollstoff", "icon_cotton_fur", "Ship", "10"},
    {"1010255", "Kautschuk", "icon_caoutchouc", "Ship", "11"},
    {"135129", "Farben und Lacke", "icon_lacquer", "Ship", "12"},
    {"1010224", "Dampfmaschinen", "icon_steam_machine", "Ship", "13"},
    {"5390", "Elektromotoren", "icon_motor", "Ship", "14"},
    {"6280", "Elektrokabel", "icon_electric_cable_3", "Ship", "15"},
    {"5393", "Feuerlöscher", "icon_extinguisher", "Ship", "16"},
    {"0000000", "Baukosten entfernen", "delete", "Ship", "17"},
    {"112706", "Arktisgas", "icon_gas_red", "Ship", "18"},
    {"840", "Helium", "icon_helium", "Ship", "19"},
    {"0", "keine Auswahl", "NoProduct", "notAllowed ", "0"},
};

const QStringList kValuesOrder = {
    "Standard",
    "Object",
    "Mesh",
    "Selection",
    "Walking",
    "Text",
    "CommandQueue",
    "Drifting",
    "Collector",
    "Attackable",
    "MinimapToken",
    "SoundEmitter",
    "UpgradeList",
    "QuestObject",
    "Infolayer",
    "ItemContainer",
    "FeedbackController",
    "Draggable",
    "Cost",
    "Craftable",
    "TradeRouteVehicle",
    "Locked",
    "Nameable",
    "MetaPersistent",
    "ExpeditionAttribute",
    "ShipMaintenance",
    "Sellable",
    "Stance",
    "Rentable",
    "WorldMapSound",
    "Pausable",
    "ShipIncident",
    "SoundEmitterCommandBarks",
    "ItemReplacer",
    "Bombarder",
};

const QStringList kStandardOrder = {"Name",
                                    "IconFilename",
                                    "InfoDescription",
                                    "ORGInfoDescription",
                                    "InfoDescriptionText",
                                    "OrgInfoDescriptionText",
                                    "GUID",
                                    "ORGGUID",
                                    "Armed",
                                    "Typ"};

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QStringList childNames(const XmlNode& node) {
    QStringList names;
    for (const XmlNode& child : node.childElements()) {
        names << child.name();
    }
    return names;
}

QString productName(const QString& guid) {
    for (const Product& product : kProducts) {
        if (guid == s(product.guid)) {
            return s(product.name);
        }
    }
    return QString();
}

} // namespace

class TestShippedData : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_data;
    XmlDocument m_working;
    XmlDocument m_original;

private Q_SLOTS:
    void initTestCase() {
        m_data = m_dir.filePath(QStringLiteral("XMLD/"));
        QVERIFY(RunDataPreparation(QStringLiteral(SKYLATHE_SOURCE_DIR "/resources/package/game/"), m_data));
        QVERIFY(ShapeShippedWorkingFile(m_data));
        m_working = XmlDocument::load(m_data + QStringLiteral("AirShipFull.xml"));
        m_original = XmlDocument::load(m_data + QStringLiteral("AirShipFullOrg.xml"));
        QVERIFY(m_working.hasRoot());
        QVERIFY(m_original.hasRoot());
    }

    void assetFiles_data() {
        QTest::addColumn<bool>("working");
        QTest::newRow("AirShipFull.xml") << true;
        QTest::newRow("AirShipFullOrg.xml") << false;
    }

    // Every record's values, cost rows and identity, in file order, in both asset files.
    void assetFiles() {
        QFETCH(bool, working);
        const XmlDocument& doc = working ? m_working : m_original;
        const QByteArray bytes = ReadFileBytes(doc.path());
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\"?>\r\n<AssetList xmlns:xsi=\""
                                 "http://www.w3.org/2001/XMLSchema-instance\">\r\n\t<Asset>\r\n"));
        const XmlNodeList assets = doc.root().childElements();
        QCOMPARE(assets.size(), 16);
        for (int i = 0; i < 16; ++i) {
            const ShippedShip& ship = kShips[i];
            const XmlNode asset = assets[i];
            const XmlNode values = asset.require(QStringLiteral("Values"));
            const QString guid = s(ship.guid);
            const bool armed = ship.damage != nullptr;
            QCOMPARE(values.requireText(QStringLiteral("Standard/GUID")), guid);
            QCOMPARE(childNames(asset), (QStringList{"Template", "Values"}));
            QCOMPARE(asset.requireText(QStringLiteral("Template")),
                     armed ? QStringLiteral("WarAirShip") : QStringLiteral("AirShip"));
            QCOMPARE(childNames(values), armed ? kValuesOrder + QStringList{"Attacker"} : kValuesOrder);
            QCOMPARE(childNames(values.require(QStringLiteral("Standard"))), kStandardOrder);

            const QList<std::pair<const char*, const char*>> fields = {
                {"Standard/Name", ship.name},
                {"Standard/IconFilename", nullptr},
                {"Standard/InfoDescription", ship.descriptionGuid},
                {"Standard/ORGInfoDescription", ship.baseDescriptionGuid},
                {"Standard/ORGGUID", ship.baseGuid},
                {"Standard/Armed", armed ? "true" : "false"},
                {"Standard/Typ", ship.gas},
                {"Walking/ForwardSpeed", ship.forwardSpeed},
                {"Walking/CargoFullFactor", ship.cargoFullFactor},
                {"Walking/SessionTransferSpeedFactor", ship.transferFactor},
                {"CommandQueue/TradeShipPoints", ship.tradePoints},
                {"CommandQueue/AirShipPoints", ship.airShipPoints},
                {"CommandQueue/MilitaryAirShipPoints", ship.militaryPoints},
                {"ShipMaintenance/Maintenance", ship.maintenance},
                {"Craftable/CraftingTime", ship.craftingTime},
                {"ItemContainer/SlotCount", ship.slots},
                {"ItemContainer/SocketCount", ship.sockets},
                {"ItemContainer/StackLimit", ship.stackLimit},
                {"ItemContainer/SocketAllocation", "AirShip"},
                {"Attackable/MaximumHitPoints", ship.hitPoints},
                {"Bombarder/Shafts", ship.shafts},
                {"Cost/InfluenceCostPoints", ship.influence},
            };
            for (const auto& [path, expected] : fields) {
                const QString text = values.requireText(QString::fromLatin1(path));
                if (expected) {
                    QVERIFY2(text == s(expected),
                             qPrintable(guid + QLatin1Char(' ') + QString::fromLatin1(path) +
                                        QStringLiteral(": ") + text));
                }
            }
            QCOMPARE(values.requireText(QStringLiteral("Standard/IconFilename")),
                     QStringLiteral("data/ui/2kimages/main/3dicons/ships/%1.png").arg(s(ship.icon)));
            QCOMPARE(values.selectAll(QStringLiteral("Attacker/BaseDamage")).size(), armed ? 1 : 0);
            QCOMPARE(values.selectAll(QStringLiteral("Cost/InfluenceCostType")).size(), armed ? 1 : 0);
            if (armed) {
                QCOMPARE(values.requireText(QStringLiteral("Attacker/BaseDamage")), s(ship.damage));
                QCOMPARE(values.requireText(QStringLiteral("Attacker/ReloadTime")), s(ship.reload));
            }
            QVERIFY(values.selectSingle(QStringLiteral("UpgradeList/DefaultBuff")).isNull());
            QVERIFY(values.selectSingle(QStringLiteral("Cost/ItemsPerCost")).isNull() ||
                    values.requireText(QStringLiteral("Cost/ItemsPerCost")) == QLatin1String("1"));

            const QString description = values.requireText(QStringLiteral("Standard/InfoDescriptionText"));
            const QString shippedDescription =
                values.requireText(QStringLiteral("Standard/OrgInfoDescriptionText"));
            QVERIFY(!shippedDescription.isEmpty());
            const bool shaped = working && guid == QLatin1String("2000502010");
            QCOMPARE(description, shaped ? shippedDescription + QStringLiteral("\r\n") : shippedDescription);

            const XmlNode costs = values.require(QStringLiteral("Cost/Costs"));
            const XmlNodeList items = costs.selectAll(QStringLiteral("Item"));
            QCOMPARE(items.size(), 7);
            for (int row = 0; row < 4; ++row) {
                QCOMPARE(items[row].requireText(QStringLiteral("Ingredient")), s(ship.costs[row].ingredient));
                QCOMPARE(items[row].requireText(QStringLiteral("Amount")), s(ship.costs[row].amount));
            }
            for (int row = 4; row < 7; ++row) {
                QCOMPARE(items[row].outerXml(), QStringLiteral("<Item/>"));
            }
            if (shaped) {
                // The saved form: Costs last in Cost, each row Ingredient, product name, Amount.
                QCOMPARE(childNames(values.require(QStringLiteral("Cost"))).last(), QStringLiteral("Costs"));
                for (int row = 0; row < 4; ++row) {
                    const QString ingredient = s(ship.costs[row].ingredient);
                    QCOMPARE(items[row].outerXml(),
                             QStringLiteral("<Item><Ingredient>%1</Ingredient><!--%2-->"
                                            "<Amount>%3</Amount></Item>")
                                 .arg(ingredient, productName(ingredient), s(ship.costs[row].amount)));
                }
            } else {
                QCOMPARE(childNames(values.require(QStringLiteral("Cost"))).first(), QStringLiteral("Costs"));
            }
        }
    }

    // The working file differs from the original only in the Mapinguari record.
    void workingDiffersOnlyInMapinguari() {
        QVERIFY(ReadFileBytes(m_working.path()) != ReadFileBytes(m_original.path()));
        XmlDocument working = XmlDocument::load(m_working.path());
        XmlDocument original = XmlDocument::load(m_original.path());
        const QString mapinguari = QStringLiteral("//Asset[Values/Standard/GUID=\"2000502010\"]");
        working.selectSingle(mapinguari).remove();
        original.selectSingle(mapinguari).remove();
        QCOMPARE(working.toCanonicalBytes(), original.toCanonicalBytes());
        // The shipped line break ends the description's own line; the closing tag starts the next one.
        QVERIFY(ReadFileBytes(m_working.path()).contains("braucht Geduld.\r\n</InfoDescriptionText>\r\n"));
    }

    void shipIndex() {
        QStringList expected{QStringLiteral("<?xml version=\"1.0\"?>"), QStringLiteral("<AirShips>")};
        for (const ShippedShip& ship : kShips) {
            expected
                << QStringLiteral(
                       "\t<AirShip GUID=\"%1\" Name=\"%2\" Icon=\"%3\" Type=\"%4\" Armed=\"%5\" Pos=\"%6\"/>")
                       .arg(s(ship.guid), s(ship.name), s(ship.icon), s(ship.gas),
                            ship.damage ? QStringLiteral("true") : QStringLiteral("false"), s(ship.pos));
        }
        expected << QStringLiteral("</AirShips>") << QString();
        QCOMPARE(QString::fromUtf8(ReadFileBytes(m_data + QStringLiteral("AirShipShort.xml"))),
                 expected.join(QStringLiteral("\r\n")));
    }

    void productCatalogue() {
        const QByteArray bytes = ReadFileBytes(m_data + QStringLiteral("ProductList.xml"));
        QVERIFY(bytes.startsWith(
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Productlist>\r\n\t<Product "));
        QVERIFY(bytes.endsWith("\r\n</Productlist>\r\n"));
        QVERIFY(bytes.contains(" Category=\"notAllowed \" "));
        const XmlNodeList products =
            XmlDocument::load(m_data + QStringLiteral("ProductList.xml")).root().childElements();
        QCOMPARE(products.size(), 19);
        const QStringList attributeNames{"GUID", "Name", "Icon", "Category", "Position"};
        for (int i = 0; i < 19; ++i) {
            const Product& p = kProducts[i];
            QCOMPARE(products[i].name(), QStringLiteral("Product"));
            QCOMPARE(products[i].attributeCount(), 5);
            const QStringList values{s(p.guid), s(p.name), s(p.icon), s(p.category), s(p.position)};
            for (int a = 0; a < 5; ++a) {
                QCOMPARE(products[i].attributeAt(a), values[a]);
                QCOMPARE(products[i].attribute(attributeNames[a]), values[a]);
            }
        }
    }

    void shipTexts() {
        const QByteArray bytes = ReadFileBytes(m_data + QStringLiteral("texts_german.xml"));
        QVERIFY(bytes.startsWith(
            "<ModOps>\r\n\t<ModOp Type=\"add\" Path=\"/TextExport/Texts\">\r\n\t\t<Text>\r\n"));
        const XmlDocument texts = XmlDocument::load(m_data + QStringLiteral("texts_german.xml"));
        const XmlNodeList entries = texts.selectAll(QStringLiteral("/ModOps/ModOp/Text"));
        QCOMPARE(entries.size(), 32);
        for (int i = 0; i < 16; ++i) {
            const ShippedShip& ship = kShips[i];
            QCOMPARE(childNames(entries[2 * i]), (QStringList{"GUID", "Text"}));
            QCOMPARE(entries[2 * i].requireText(QStringLiteral("GUID")), s(ship.guid));
            QCOMPARE(entries[2 * i].requireText(QStringLiteral("Text")), s(ship.name));
            QCOMPARE(entries[2 * i + 1].requireText(QStringLiteral("GUID")), s(ship.descriptionGuid));
            QCOMPARE(entries[2 * i + 1].requireText(QStringLiteral("Text")),
                     m_original
                         .selectSingle(QStringLiteral("//Asset/Values[Standard/GUID=\"%1\"]/Standard/"
                                                      "InfoDescriptionText")
                                           .arg(s(ship.guid)))
                         .text());
        }
    }

    // The package stays modest in size.
    void workingFileSize() {
        const qint64 size = ReadFileBytes(m_working.path()).size();
        QVERIFY2(size > 70000 && size < 130000, qPrintable(QString::number(size)));
    }
};

QTEST_GUILESS_MAIN(TestShippedData)
#include "test_datapreparation_shipped.moc"
