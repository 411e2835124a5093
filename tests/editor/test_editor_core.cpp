#include "data/Error.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "editor/ProductCatalogue.h"
#include "editor/ShipIndex.h"
#include "editor/ShipRecord.h"
#include "editor/ShipReset.h"
#include "editor/ShipSave.h"
#include "tests/support/DataRows.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kFixture = QStringLiteral(SKYLATHE_TEST_DATA "/fixture/");
const QString kExpected = QStringLiteral(SKYLATHE_TEST_DATA "/expected/");
const QString kKolibri = QStringLiteral("2000502011");
const QString kBoreas = QStringLiteral("2000502018");
const QString kKolibriArmed = QStringLiteral("2000502016");

// A data folder holding copies of the fixture files.
struct DataFolder {
    QTemporaryDir dir;
    QString path;
    DataFolder() : path(dir.path() + QLatin1Char('/')) {
        for (const QString& name : QDir(kFixture).entryList(QDir::Files)) {
            QFile::copy(kFixture + name, path + name);
            QFile::setPermissions(path + name, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    QString file(const QString& name) const { return path + name; }
    QByteArray bytes(const QString& name) const { return ReadFileBytes(file(name)); }
};

// Kolibri as the detail view would hand it over: every box filled, some rows changed.
ShipEdits kolibriEdits() {
    ShipEdits e;
    e.name = QStringLiteral("Kolibri <Neu> & schnell");
    e.description = QStringLiteral("Erste Zeile\nZweite Zeile\n");
    e.costs[0] = {QStringLiteral("838"), QStringLiteral("30")};
    e.costs[1] = {QStringLiteral("1010210"), QString()}; // emptied amount box
    e.costs[2] = {QStringLiteral("840"), QStringLiteral("20")};
    e.costs[3] = {QStringLiteral("0"), QStringLiteral("5")}; // product removed
    e.costs[4] = {QStringLiteral("1010219"), QStringLiteral("12")};
    e.influenceCostPoints = QStringLiteral("3");
    e.values = {{QStringLiteral("ForwardSpeed"), QStringLiteral("11,7")},
                {QStringLiteral("CargoFullFactor"), QStringLiteral("0.5")},
                {QStringLiteral("SessionTransferSpeedFactor"), QStringLiteral("1,2")},
                {QStringLiteral("TradeShipPoints"), QStringLiteral("4")},
                {QStringLiteral("AirShipPoints"), QStringLiteral("90")},
                {QStringLiteral("MilitaryAirShipPoints"), QStringLiteral("0")},
                {QStringLiteral("ShipMaintenance"), QStringLiteral("1000")},
                {QStringLiteral("CraftingTime"), QStringLiteral("720")},
                {QStringLiteral("SlotCount"), QStringLiteral("3")},
                {QStringLiteral("SocketCount"), QStringLiteral("2")},
                {QStringLiteral("StackLimit"), QStringLiteral("60")},
                {QStringLiteral("WeaponMaxHitpoints"), QStringLiteral("1500")},
                {QStringLiteral("BombarderShafts"), QStringLiteral("1")},
                {QStringLiteral("WeaponBaseDamage"), QStringLiteral("99")},
                {QStringLiteral("WeaponReloadTime"), QStringLiteral("20")}};
    return e;
}

QString recordText(const DataFolder& data, const QString& guid, const QString& path) {
    const XmlDocument doc = XmlDocument::load(data.file(QStringLiteral("AirShipFull.xml")));
    return SelectShipRecord(doc, guid, true).requireText(path);
}

QStringList assetOrder(const QString& file) {
    QStringList guids;
    for (const XmlNode& n :
         XmlDocument::load(file).selectAll(QStringLiteral("/AssetList/Asset/Values/Standard/GUID"))) {
        guids.append(n.text());
    }
    return guids;
}

} // namespace

class TestEditorCore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void shipIndexFiltersByGasInFileOrder() {
        const XmlDocument index = XmlDocument::load(kFixture + QStringLiteral("AirShipShort.xml"));
        const QList<ShipIndexEntry> helium = ReadShipIndex(index, QStringLiteral("Heliumgas"));
        QStringList names;
        for (const ShipIndexEntry& e : helium) {
            names.append(e.name + QLatin1Char('/') + e.pos);
        }
        QCOMPARE(names,
                 QStringList({"Kolibri/B", "Allicanto/C", "Atotolin/D", "Dtundtuncan/E", "Quetzalcoatl/F",
                              "Mapinguari/A", "Kolibri (bewaffnet)/G", "Allicanto (bewaffnet)/H"}));
        QCOMPARE(helium[0].guid, kKolibri);
        QCOMPARE(helium[0].icon, QStringLiteral("icon_airship_hunter_light"));
        QCOMPARE(ReadShipIndex(index, QStringLiteral("Arcticgas")).size(), 8);

        const ShipIndexInfo info = ReadShipIndexInfo(index, kKolibriArmed);
        QCOMPARE(info.icon, QStringLiteral("icon_airship_hunter_light"));
        QCOMPARE(info.armed, QStringLiteral("true"));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, ReadShipIndexInfo(index, QStringLiteral("2000502099")));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, ReadShipIndexInfo(index, QStringLiteral("1\"] | //*[\"")));
        // Attributes are read by position: a short entry is an error, not a silent blank.
        const XmlDocument shortEntry = XmlDocument::parse(
            QStringLiteral("<AirShips><AirShip GUID=\"1\" Type=\"Heliumgas\"/></AirShips>"));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, ReadShipIndex(shortEntry, QStringLiteral("Heliumgas")));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, ReadShipIndex(XmlDocument(), QStringLiteral("Heliumgas")));
    }

    void productLookupIsNumeric_data() {
        AddColumns<QString, QString, QString>("guid", "name", "icon");
        AddRow("plain", "1010196", "Bretter", "icon_wooden_planks");
        AddRow("0 finds 0000000 first", "0", "Baukosten entfernen", "delete");
        AddRow("leading zeros", "00838", "Aluminiumprofile", "icon_aluminium");
        AddRow("unknown", "999", QString(), QString());
        AddRow("not a number", "1 or 1=1", QString(), QString());
        AddRow("empty", "", QString(), QString());
    }

    void productLookupIsNumeric() {
        QFETCH(QString, guid);
        QFETCH(QString, name);
        QFETCH(QString, icon);
        const XmlDocument catalogue = XmlDocument::load(kFixture + QStringLiteral("ProductList.xml"));
        if (name.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(SkylatheError, LookupProduct(catalogue, guid));
            return;
        }
        const Product p = LookupProduct(catalogue, guid);
        QCOMPARE(p.name, name);
        QCOMPARE(p.icon, icon);
    }

    void pickerOffersAllButTheLiftGases() {
        const QList<Product> products =
            PickerProducts(XmlDocument::load(kFixture + QStringLiteral("ProductList.xml")));
        QCOMPARE(products.size(), 16);
        QCOMPARE(products.first().name, QStringLiteral("Münzen"));
        QCOMPARE(products.last().guid, QStringLiteral("0000000"));
        for (const Product& p : products) {
            QVERIFY(!IsLiftGasGuid(p.guid));
            QVERIFY(p.guid != QLatin1String("0"));
        }
        QVERIFY(PickerProducts(
                    XmlDocument::parse(QStringLiteral(
                        "<Productlist><Product GUID=\"1\" Name=\"a\" Icon=\"i\" Category=\"Ship\"/>"
                        "<Product GUID=\"2\" Name=\"b\" Icon=\"i\" Category=\"Ship\"/></Productlist>")))
                    .isEmpty());
    }

    void recordValuesInBothLocales_data() {
        AddColumns<bool, QString, QString, QString, QString, QString>("point", "speed", "cargo", "maxKnots",
                                                                      "minKnots", "orgMaxKnots");
        AddRow("comma", false, "11,7", "0,4", "ca. 30,4 kn.", "ca. 9,4 kn.", "ca. 30,42 kn.");
        AddRow("point", true, "11.7", "0.4", "ca. 30.4 kn.", "ca. 9.4 kn.", "ca. 30.42 kn.");
    }

    void recordValuesInBothLocales() {
        QFETCH(bool, point);
        QFETCH(QString, speed);
        QFETCH(QString, cargo);
        QFETCH(QString, maxKnots);
        QFETCH(QString, minKnots);
        QFETCH(QString, orgMaxKnots);
        QLocale::setDefault(point ? QLocale(QLocale::English, QLocale::UnitedStates)
                                  : QLocale(QLocale::German));
        const XmlDocument doc = XmlDocument::load(kFixture + QStringLiteral("AirShipFull.xml"));
        const RecordValues v = ReadShipValues(SelectShipRecord(doc, kBoreas, false), false, point, {});
        QCOMPARE(v.texts.value("ForwardSpeed"), speed);
        QCOMPARE(v.texts.value("CargoFullFactor"), cargo);
        QCOMPARE(v.texts.value("SessionTransferSpeedFactor"), QStringLiteral("1"));
        QCOMPARE(v.texts.value("CraftingTime"), QStringLiteral("900"));
        QVERIFY(v.speed.has_value());
        QCOMPARE(FormatKnots(*v.speed * 2.6, 1), maxKnots);
        QCOMPARE(FormatKnots(*v.speed * 0.8, 1), minKnots);
        QCOMPARE(FormatKnots(*v.speed * 2.6, 4), orgMaxKnots);
    }

    void knotsFormat_data() {
        AddColumns<double, int, QString>("value", "decimals", "expected");
        AddRow("whole", 51.0, 1, "ca. 51 kn.");
        AddRow("rounded to whole", 26.96, 1, "ca. 27 kn.");
        AddRow("zero", 0.0, 1, "ca. 0 kn.");
        AddRow("no group separator", 1234.56, 1, "ca. 1234,6 kn.");
        AddRow("four decimals, zeros dropped", 9.36, 4, "ca. 9,36 kn.");
        AddRow("below one", 0.25, 4, "ca. 0,25 kn.");
    }

    void knotsFormat() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(FormatKnots(value, decimals), expected);
    }

    void defaultsAndKeptTexts() {
        // Kolibri has no Attacker: those boxes keep what the previous ship showed; a missing element with a
        // default falls back to it.
        const XmlDocument doc = XmlDocument::parse(QStringLiteral(
            "<AssetList><Asset><Values><Standard><GUID>7</GUID></Standard>"
            "<Craftable><CraftingTime>1080000</CraftingTime></Craftable></Values></Asset></AssetList>"));
        const QMap<QString, QString> previous = {{"WeaponBaseDamage", "55"},
                                                 {"StackLimit", "60"},
                                                 {"ForwardSpeed", "15"},
                                                 {"AirShipPoints", "80"}};
        const RecordValues working = ReadShipValues(SelectShipRecord(doc, "7", false), false, true, previous);
        QCOMPARE(working.texts.value("WeaponBaseDamage"), QStringLiteral("55"));
        QCOMPARE(working.texts.value("AirShipPoints"), QStringLiteral("80"));
        QCOMPARE(working.texts.value("ForwardSpeed"), QStringLiteral("15"));
        QVERIFY(!working.speed.has_value());
        QCOMPARE(working.texts.value("StackLimit"), QStringLiteral("0"));
        QCOMPARE(working.texts.value("CraftingTime"), QStringLiteral("1080"));
        const RecordValues original = ReadShipValues(SelectShipRecord(doc, "7", false), true, true, previous);
        QCOMPARE(original.texts.value("ForwardSpeed"), QStringLiteral("5"));
    }

    void unreadableRecordValues_data() {
        QTest::addColumn<QString>("values");
        AddRow("speed no number", "<Walking><ForwardSpeed>schnell</ForwardSpeed></Walking>");
        AddRow("crafting time fraction", "<Craftable><CraftingTime>9.5</CraftingTime></Craftable>");
        AddRow("crafting time empty", "<Craftable><CraftingTime/></Craftable>");
    }

    void unreadableRecordValues() {
        QFETCH(QString, values);
        const XmlDocument doc = XmlDocument::parse(
            QStringLiteral("<AssetList><Asset><Values><Standard><GUID>7</GUID></Standard>%1</Values></Asset>"
                           "</AssetList>")
                .arg(values));
        QVERIFY_THROWS_EXCEPTION(SkylatheError,
                                 ReadShipValues(SelectShipRecord(doc, "7", false), false, true, {}));
    }

    void costRowsWorkingAndOriginal() {
        const XmlDocument catalogue = XmlDocument::load(kFixture + QStringLiteral("ProductList.xml"));
        // Amount before Ingredient, an Item without Ingredient and an eighth item.
        const XmlDocument doc = XmlDocument::parse(QStringLiteral(
            "<AssetList><Asset><Values><Standard><GUID>7</GUID></Standard><Cost><Costs>"
            "<Item><Amount>25</Amount><Ingredient>838</Ingredient></Item>"
            "<Item><Amount>4</Amount></Item><Item/><Item/><Item/><Item/>"
            "<Item><Ingredient>840</Ingredient><Amount>0</Amount></Item>"
            "<Item><Ingredient>1010196</Ingredient><Amount>3</Amount></Item>"
            "</Costs><InfluenceCostPoints>6</InfluenceCostPoints></Cost></Values></Asset></AssetList>"));
        const XmlNode record = SelectShipRecord(doc, "7", false);
        const RecordCosts working = ReadWorkingCosts(record, catalogue);
        QCOMPARE(working.rows[0].guid, QStringLiteral("838"));
        QCOMPARE(working.rows[0].amount, QStringLiteral("25"));
        QCOMPARE(working.rows[0].name, QStringLiteral("Aluminiumprofile"));
        QCOMPARE(working.rows[0].icon, QStringLiteral("icon_aluminium"));
        QCOMPARE(working.rows[1].guid, QStringLiteral("0"));
        QCOMPARE(working.rows[1].amount, QStringLiteral("4"));
        QCOMPARE(working.rows[2].amount, QStringLiteral("0"));
        QCOMPARE(working.rows[6].guid, QStringLiteral("840"));
        QCOMPARE(working.influenceCostPoints, QStringLiteral("6"));

        const RecordCosts original = ReadOriginalCosts(record, catalogue);
        QCOMPARE(original.rows[0].name, QStringLiteral("Aluminiumprofile"));
        QCOMPARE(original.rows[1].guid, QStringLiteral("0")); // no Ingredient: stays empty
        QCOMPARE(original.rows[1].amount, QStringLiteral("0"));
        QCOMPARE(original.rows[1].name, QString());
        QCOMPARE(original.rows[6].name, QStringLiteral("Helium"));

        const XmlDocument noCosts = XmlDocument::parse(QStringLiteral(
            "<AssetList><Asset><Values><Standard><GUID>7</GUID></Standard></Values></Asset></AssetList>"));
        const RecordCosts empty = ReadWorkingCosts(SelectShipRecord(noCosts, "7", false), catalogue);
        QCOMPARE(empty.rows[3].guid, QStringLiteral("0"));
        QCOMPARE(empty.influenceCostPoints, QStringLiteral("0"));

        const XmlDocument unknown = XmlDocument::parse(
            QStringLiteral("<AssetList><Asset><Values><Standard><GUID>7</GUID></Standard><Cost><Costs>"
                           "<Item><Ingredient>4711</Ingredient><Amount>1</Amount></Item></Costs></Cost></"
                           "Values></Asset></AssetList>"));
        QVERIFY_THROWS_EXCEPTION(SkylatheError,
                                 ReadWorkingCosts(SelectShipRecord(unknown, "7", false), catalogue));
    }

    void saveWritesTheWholeRecord() {
        DataFolder data;
        SaveShip(data.path, kKolibri, kolibriEdits());
        QCOMPARE(QString::fromUtf8(data.bytes("AirShipFull.xml")),
                 QString::fromUtf8(ReadFileBytes(kExpected + QStringLiteral("saved_kolibri.xml"))));

        // The one-document save gives the same file as the three steps one after the other.
        DataFolder stepwise;
        SaveShipTexts(stepwise.path, kKolibri, kolibriEdits());
        SaveShipCosts(stepwise.path, kKolibri, kolibriEdits());
        SaveShipValues(stepwise.path, kKolibri, kolibriEdits());
        QCOMPARE(stepwise.bytes("AirShipFull.xml"), data.bytes("AirShipFull.xml"));

        // Saving the saved state again changes nothing.
        SaveShip(data.path, kKolibri, kolibriEdits());
        QCOMPARE(QString::fromUtf8(data.bytes("AirShipFull.xml")),
                 QString::fromUtf8(ReadFileBytes(kExpected + QStringLiteral("saved_kolibri.xml"))));
    }

    void savedDecimalsUseThePoint_data() {
        AddColumns<QString, QString>("box", "written");
        AddRow("comma", "11,7", "11.7");
        AddRow("point", "11.7", "11.7");
        AddRow("whole", "15", "15");
    }

    void savedDecimalsUseThePoint() {
        QFETCH(QString, box);
        QFETCH(QString, written);
        QLocale::setDefault(QLocale(QLocale::German));
        DataFolder data;
        ShipEdits edits = kolibriEdits();
        edits.values["ForwardSpeed"] = box;
        SaveShip(data.path, kKolibri, edits);
        QCOMPARE(recordText(data, kKolibri, "Walking/ForwardSpeed"), written);
    }

    void armedShipWritesItsWeapons() {
        DataFolder data;
        ShipEdits edits = kolibriEdits();
        edits.costs[2] = {QStringLiteral("840"), QStringLiteral("20")};
        SaveShip(data.path, kKolibriArmed, edits);
        QCOMPARE(recordText(data, kKolibriArmed, "Attacker/BaseDamage"), QStringLiteral("99"));
        QCOMPARE(recordText(data, kKolibriArmed, "Attacker/ReloadTime"), QStringLiteral("20"));
        QCOMPARE(recordText(data, kKolibriArmed, "Cost/InfluenceCostType"), QStringLiteral("Military"));
        // The other records are untouched.
        QCOMPARE(recordText(data, kBoreas, "Standard/Name"), QStringLiteral("Boreas"));
    }

    void failedSaveLeavesTheFile_data() {
        AddColumns<QString, QString, QString>("guid", "box", "text");
        QTest::addColumn<QString>("removeElement"); // from the working file before the save
        QTest::addColumn<QString>("removeFile");
        AddRow("empty crafting time", kKolibri, "CraftingTime", "", "", "");
        AddRow("crafting time not whole", kKolibri, "CraftingTime", "7,5", "", "");
        AddRow("speed no number", kKolibri, "ForwardSpeed", ",", "", "");
        AddRow("empty whole number", kKolibri, "StackLimit", "", "", "");
        AddRow("unknown product", kKolibri, "cost4", "4711", "", "");
        AddRow("product GUID not a number", kKolibri, "cost4", "1 or 1", "", "");
        AddRow("unknown ship", "2000502099", "", "", "", "");
        AddRow("record without name", kKolibri, "", "", "Standard/Name", "");
        AddRow("record without description", kKolibri, "", "", "Standard/InfoDescriptionText", "");
        AddRow("record without Costs", kKolibri, "", "", "Cost/Costs", "");
        AddRow("record without Cost", kKolibri, "", "", "Cost", "");
        AddRow("no catalogue", kKolibri, "", "", "", "ProductList.xml");
        AddRow("no working file", kKolibri, "", "", "", "AirShipFull.xml");
    }

    void failedSaveLeavesTheFile() {
        QFETCH(QString, guid);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, removeElement);
        QFETCH(QString, removeFile);
        DataFolder data;
        const QString working = data.file("AirShipFull.xml");
        if (!removeElement.isEmpty()) {
            const XmlDocument doc = XmlDocument::load(working);
            SelectShipRecord(doc, kKolibri, true).require(removeElement).remove();
            doc.save(working);
        }
        if (!removeFile.isEmpty()) {
            QVERIFY(QFile::remove(data.file(removeFile)));
        }
        ShipEdits edits = kolibriEdits();
        if (box == QLatin1String("cost4")) {
            edits.costs[4].guid = text;
        } else if (!box.isEmpty()) {
            edits.values[box] = text;
        }
        const bool existed = QFile::exists(working);
        const QByteArray before = existed ? data.bytes("AirShipFull.xml") : QByteArray();
        try {
            SaveShip(data.path, guid, edits);
            QFAIL("the save should have failed");
        } catch (const SkylatheError& e) {
            QVERIFY(!e.message().isEmpty());
        }
        QCOMPARE(QFile::exists(working), existed);
        if (existed) {
            QCOMPARE(data.bytes("AirShipFull.xml"), before);
        }
        QCOMPARE(QDir(data.path).entryList(QDir::Files).size(), 5 - (removeFile.isEmpty() ? 0 : 1));
    }

    void failedWriteLeavesTheFile() {
        DataFolder data;
        const QByteArray before = data.bytes("AirShipFull.xml");
        // A folder that refuses new files stands in for a full disk: the temporary file cannot be made.
        QFile::setPermissions(data.path, QFile::ReadOwner | QFile::ExeOwner);
        if (QFile(data.file("probe")).open(QIODevice::WriteOnly)) {
            QSKIP("running with rights that ignore folder permissions");
        }
        QVERIFY_THROWS_EXCEPTION(SkylatheError, SaveShip(data.path, kKolibri, kolibriEdits()));
        QFile::setPermissions(data.path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(data.bytes("AirShipFull.xml"), before);
    }

    void singleResetMovesTheRecordLast() {
        DataFolder data;
        const QString working = data.file("AirShipFull.xml");
        SaveShip(data.path, kKolibri, kolibriEdits());
        ResetShipRecord(data.path, kKolibri);
        QCOMPARE(assetOrder(working), QStringList({kBoreas, kKolibriArmed, kKolibri}));
        const XmlDocument org = XmlDocument::load(data.file("AirShipFullOrg.xml"));
        const XmlDocument now = XmlDocument::load(working);
        QCOMPARE(SelectShipRecord(now, kKolibri, true).parent().outerXml(),
                 SelectShipRecord(org, kKolibri, true).parent().outerXml());

        ResetShipRecord(data.path, kBoreas);
        QCOMPARE(assetOrder(working), QStringList({kKolibriArmed, kKolibri, kBoreas}));
    }

    void singleResetNeedsBothRecords_data() {
        QTest::addColumn<QString>("file");
        AddRow("missing in working file", "AirShipFull.xml");
        AddRow("missing in original file", "AirShipFullOrg.xml");
    }

    void singleResetNeedsBothRecords() {
        QFETCH(QString, file);
        DataFolder data;
        {
            const XmlDocument doc = XmlDocument::load(data.file(file));
            SelectShipRecord(doc, kKolibri, true).parent().remove();
            doc.save(data.file(file));
        }
        const QByteArray before = data.bytes("AirShipFull.xml");
        QVERIFY_THROWS_EXCEPTION(SkylatheError, ResetShipRecord(data.path, kKolibri));
        QCOMPARE(data.bytes("AirShipFull.xml"), before);
    }

    void fullResetRestoresEverything_data() {
        AddColumns<QStringList, QStringList>("present", "remaining");
        AddRow("only the switched-off yard", QStringList{"-[Air Ships] Aerolune Yard", "Other Mod"},
               QStringList{"Other Mod"});
        AddRow("all four",
               QStringList{"[Air Ships] Aerolune", "-[Air Ships] Aerolune", "[Air Ships] Aerolune Yard",
                           "-[Air Ships] Aerolune Yard"},
               QStringList{});
        AddRow("none", QStringList{}, QStringList{});
    }

    void fullResetRestoresEverything() {
        QFETCH(QStringList, present);
        QFETCH(QStringList, remaining);
        DataFolder data;
        QTemporaryDir mods;
        for (const QString& folder : present) {
            QVERIFY(QDir(mods.path()).mkpath(folder + "/data/icon"));
            WriteFileAtomically(mods.path() + "/" + folder + "/data/icon/a.png", "x");
        }
        SaveShip(data.path, kKolibri, kolibriEdits());
        ResetShipRecord(data.path, kBoreas);

        ResetAllShipFiles(data.path, mods.path() + "/");
        QCOMPARE(data.bytes("AirShipFull.xml"), data.bytes("AirShipFullOrg.xml"));
        QCOMPARE(data.bytes("GasMines.xml"),
                 ReadFileBytes(QStringLiteral(SKYLATHE_SOURCE_DIR "/tests/shared/GasMines.xml")));
        QStringList left = QDir(mods.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(left, remaining);
        for (const QString& name : QStringList{"AirShipShort.xml", "ProductList.xml", "AirShipFullOrg.xml"}) {
            QCOMPARE(data.bytes(name), ReadFileBytes(kFixture + name));
        }
    }

    void fullResetRefusesWithoutItsFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // empty: the file is removed
        AddRow("no mine list", "GasMines.xml", QByteArray());
        AddRow("broken mine list", "GasMines.xml", QByteArray("<GasMines><GasMine"));
        AddRow("mine without Status", "GasMines.xml",
               QByteArray("<GasMines><GasMine GUID=\"1\" Name=\"a\"/></GasMines>"));
        AddRow("no original", "AirShipFullOrg.xml", QByteArray());
    }

    void fullResetRefusesWithoutItsFiles() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        DataFolder data;
        QTemporaryDir mods;
        QVERIFY(QDir(mods.path()).mkpath("[Air Ships] Aerolune"));
        SaveShip(data.path, kKolibri, kolibriEdits());
        if (content.isEmpty()) {
            QVERIFY(QFile::remove(data.file(file)));
        } else {
            WriteFileAtomically(data.file(file), content);
        }
        const QByteArray working = data.bytes("AirShipFull.xml");
        const QByteArray mines =
            QFile::exists(data.file("GasMines.xml")) ? data.bytes("GasMines.xml") : QByteArray();
        QVERIFY_THROWS_EXCEPTION(SkylatheError, ResetAllShipFiles(data.path, mods.path() + "/"));
        QCOMPARE(data.bytes("AirShipFull.xml"), working);
        if (!mines.isEmpty()) {
            QCOMPARE(data.bytes("GasMines.xml"), mines);
        }
        QVERIFY(QDir(mods.path() + "/[Air Ships] Aerolune").exists());
    }
};

QTEST_GUILESS_MAIN(TestEditorCore)
#include "test_editor_core.moc"
