#include "data/DataPreparation.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "tests/support/DataRows.h"

#include <QTemporaryDir>
#include <QtTest>

// The data files the package ships, built from the stand-in game extract exactly as the package build
// does, checked against the golden files of the shipped records and products (shipped/*.tsv).
namespace {

struct Cost {
    QString ingredient;
    QString amount;
};

// A shipped record as the golden file shipped/ships.tsv lists it; damage and reload are empty for an
// unarmed ship.
struct ShippedShip {
    QString guid;
    QString name;
    QString forwardSpeed;
    QString cargoFullFactor;
    QString transferFactor;
    QString tradePoints;
    QString airShipPoints;
    QString militaryPoints;
    QString maintenance;
    QString craftingTime;
    QString slots;
    QString sockets;
    QString stackLimit;
    QString hitPoints;
    QString damage;
    QString reload;
    QString shafts;
    QString influence;
    Cost costs[4];
    // identity
    QString baseGuid;
    QString descriptionGuid;
    QString baseDescriptionGuid;
    QString icon;
    QString gas;
    QString pos;
};

struct Product {
    QString guid;
    QString name;
    QString icon;
    QString category;
    QString position;
};

// The rows of a tab-separated golden file below shipped/, without its header line; "-" stands for
// "none".
QList<QStringList> goldenRows(const QString& file, qsizetype columns) {
    const QString text =
        QString::fromUtf8(ReadFileBytes(QStringLiteral(SKYLATHE_TEST_DATA "/shipped/") + file));
    QList<QStringList> rows;
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringList fields = lines[i].split(QLatin1Char('\t'));
        if (fields.size() != columns) {
            qFatal("%s line %d: %d fields instead of %d", qPrintable(file), int(i + 1), int(fields.size()),
                   int(columns));
        }
        for (QString& field : fields) {
            if (field == QLatin1String("-")) {
                field.clear();
            }
        }
        rows << fields;
    }
    return rows;
}

// In file order.
const QList<ShippedShip>& shippedShips() {
    static const QList<ShippedShip> ships = [] {
        QList<ShippedShip> list;
        for (const QStringList& f : goldenRows(QStringLiteral("ships.tsv"), 32)) {
            list << ShippedShip{f[0],
                                f[1],
                                f[2],
                                f[3],
                                f[4],
                                f[5],
                                f[6],
                                f[7],
                                f[8],
                                f[9],
                                f[10],
                                f[11],
                                f[12],
                                f[13],
                                f[14],
                                f[15],
                                f[16],
                                f[17],
                                {{f[18], f[19]}, {f[20], f[21]}, {f[22], f[23]}, {f[24], f[25]}},
                                f[26],
                                f[27],
                                f[28],
                                f[29],
                                f[30],
                                f[31]};
        }
        return list;
    }();
    return ships;
}

const QList<Product>& shippedProducts() {
    static const QList<Product> products = [] {
        QList<Product> list;
        for (const QStringList& f : goldenRows(QStringLiteral("products.tsv"), 5)) {
            list << Product{f[0], f[1], f[2], f[3], f[4]};
        }
        return list;
    }();
    return products;
}

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

QString s(const QString& text) {
    return text;
}

QStringList childNames(const XmlNode& node) {
    QStringList names;
    for (const XmlNode& child : node.childElements()) {
        names << child.name();
    }
    return names;
}

QString productName(const QString& guid) {
    for (const Product& product : shippedProducts()) {
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
        AddRow("AirShipFull.xml", true);
        AddRow("AirShipFullOrg.xml", false);
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
        QCOMPARE(shippedShips().size(), 16);
        for (int i = 0; i < 16; ++i) {
            const ShippedShip& ship = shippedShips()[i];
            const XmlNode asset = assets[i];
            const XmlNode values = asset.require(QStringLiteral("Values"));
            const QString guid = s(ship.guid);
            const bool armed = !ship.damage.isEmpty();
            QCOMPARE(values.requireText(QStringLiteral("Standard/GUID")), guid);
            QCOMPARE(childNames(asset), (QStringList{"Template", "Values"}));
            QCOMPARE(asset.requireText(QStringLiteral("Template")),
                     armed ? QStringLiteral("WarAirShip") : QStringLiteral("AirShip"));
            QCOMPARE(childNames(values), armed ? kValuesOrder + QStringList{"Attacker"} : kValuesOrder);
            QCOMPARE(childNames(values.require(QStringLiteral("Standard"))), kStandardOrder);

            const QList<std::pair<const char*, QString>> fields = {
                {"Standard/Name", ship.name},
                {"Standard/IconFilename", QString()},
                {"Standard/InfoDescription", ship.descriptionGuid},
                {"Standard/ORGInfoDescription", ship.baseDescriptionGuid},
                {"Standard/ORGGUID", ship.baseGuid},
                {"Standard/Armed", armed ? QStringLiteral("true") : QStringLiteral("false")},
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
                {"ItemContainer/SocketAllocation", QStringLiteral("AirShip")},
                {"Attackable/MaximumHitPoints", ship.hitPoints},
                {"Bombarder/Shafts", ship.shafts},
                {"Cost/InfluenceCostPoints", ship.influence},
            };
            for (const auto& [path, expected] : fields) {
                const QString text = values.requireText(QString::fromLatin1(path));
                if (!expected.isNull()) {
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
        for (const ShippedShip& ship : shippedShips()) {
            expected
                << QStringLiteral(
                       "\t<AirShip GUID=\"%1\" Name=\"%2\" Icon=\"%3\" Type=\"%4\" Armed=\"%5\" Pos=\"%6\"/>")
                       .arg(s(ship.guid), s(ship.name), s(ship.icon), s(ship.gas),
                            !ship.damage.isEmpty() ? QStringLiteral("true") : QStringLiteral("false"),
                            s(ship.pos));
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
        QCOMPARE(shippedProducts().size(), 19);
        const QStringList attributeNames{"GUID", "Name", "Icon", "Category", "Position"};
        for (int i = 0; i < 19; ++i) {
            const Product& p = shippedProducts()[i];
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
            const ShippedShip& ship = shippedShips()[i];
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
