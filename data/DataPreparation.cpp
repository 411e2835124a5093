#include "data/DataPreparation.h"

#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "data/LiftGas.h"
#include "data/ModTexts.h"
#include "data/ShipTable.h"
#include "data/TextFile.h"
#include "data/Xml.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>

namespace {

const QString kGameAssetFile = QStringLiteral("AirShip.xml");
const QString kGameWarAssetFile = QStringLiteral("WarAirShip.xml");
const QString kShapedShipGuid = QStringLiteral("2000502010");
const QString kClosingRoot = QStringLiteral("</AssetList>");
constexpr int kCostRows = 7;

QString label(const QString& path) {
    return QStringLiteral("„%1“").arg(QDir::toNativeSeparators(path));
}

XmlDocument loadRequired(const QString& path) {
    XmlDocument doc = XmlDocument::load(path);
    if (!doc.hasRoot()) {
        throw SkylatheError(doc.errorText());
    }
    return doc;
}

// The game's German texts, looked up by id. The first entry of an id wins, as with the XPath
// //Text[GUID="…"]/Text; a hash avoids building a query from file contents.
class GameTexts {
public:
    explicit GameTexts(const QString& originalFolder) : m_path(originalFolder + DataFile::Texts) {
        XmlDocument doc = loadRequired(m_path);
        for (const XmlNode& entry : doc.selectAll(QStringLiteral("//Text[GUID]"))) {
            const XmlNode text = entry.firstChildElement(QStringLiteral("Text"));
            const QString id = entry.firstChildElement(QStringLiteral("GUID")).text();
            if (!text.isNull() && !m_texts.contains(id)) {
                m_texts.insert(id, text.text());
            }
        }
    }

    QString text(const QString& id, const QString& usedFor) const {
        auto it = m_texts.constFind(id);
        if (it == m_texts.constEnd()) {
            throw SkylatheError(
                QStringLiteral("In %1 fehlt der Text mit der GUID %2 (%3).").arg(label(m_path), id, usedFor));
        }
        return it.value();
    }

private:
    QString m_path;
    QHash<QString, QString> m_texts;
};

// Names a record in messages: by the GUID it carries, otherwise by its position.
QString recordLabel(const XmlNode& asset, int index) {
    const QString guid = asset.selectSingle(QStringLiteral("Values/Standard/GUID")).text();
    return guid.isEmpty() ? QStringLiteral("Datensatz Nr. %1").arg(index + 1)
                          : QStringLiteral("Datensatz mit der GUID %1").arg(guid);
}

XmlNode requireInRecord(const XmlNode& asset, int index, const QString& path) {
    XmlNode node = asset.selectSingle(path);
    if (node.isNull()) {
        throw SkylatheError(QStringLiteral("In %1 fehlt im %2 das Element „%3“.")
                                .arg(label(asset.documentPath()), recordLabel(asset, index), path));
    }
    return node;
}

// Every element child of the root must be an asset record; anything else would be carried into the
// editor's files unconverted.
XmlNodeList assetRecords(const XmlDocument& doc) {
    const XmlNodeList records = doc.root().childElements();
    for (int i = 0; i < records.size(); ++i) {
        if (records[i].name() != QLatin1String("Asset")) {
            throw SkylatheError(QStringLiteral("In %1 steht an Position %2 ein Element „%3“ statt „Asset“.")
                                    .arg(label(doc.path()))
                                    .arg(i + 1)
                                    .arg(records[i].name()));
        }
    }
    return records;
}

// The lift gas of a record by its cost items: the last gas product decides. Empty when there is none.
QString liftGasFromCosts(const XmlNode& values) {
    QString gas;
    for (const XmlNode& ingredient : values.selectAll(QStringLiteral("Cost/Costs/Item/Ingredient"))) {
        const QString product = ingredient.text();
        if (product == kArcticGasGuid) {
            gas = QStringLiteral("Arcticgas");
        } else if (product == kHeliumGuid) {
            gas = QStringLiteral("Heliumgas");
        }
    }
    return gas;
}

QString requireLiftGas(const XmlNode& asset, int index) {
    const QString gas = liftGasFromCosts(asset.firstChildElement(QStringLiteral("Values")));
    if (gas.isEmpty()) {
        throw SkylatheError(
            QStringLiteral("In %1 hat der %2 kein Traggas (Helium %3 oder Arktisgas %4) in den Baukosten.")
                .arg(label(asset.documentPath()), recordLabel(asset, index), kHeliumGuid, kArcticGasGuid));
    }
    return gas;
}

XmlNode ensureChild(XmlNode parent, const QString& name) {
    XmlNode child = parent.firstChildElement(name);
    return child.isNull() ? parent.appendElement(name) : child;
}

void ensureValue(XmlNode parent, const QString& name, const QString& text) {
    if (parent.firstChildElement(name).isNull()) {
        parent.appendElement(name, text);
    }
}

QString ingredientForInheritedIndex(const QString& index) {
    if (index == QLatin1String("0")) {
        return QStringLiteral("1010196");
    }
    if (index == QLatin1String("1")) {
        return QStringLiteral("1010210");
    }
    if (index == QLatin1String("2")) {
        return QStringLiteral("1010218");
    }
    if (index == QLatin1String("3")) {
        return kArcticGasGuid;
    }
    return QStringLiteral("0");
}

// The game's record of the arctic explorer copies the helium ship's costs; the editor ships it with
// its own rows.
void applyArcticExplorerCosts(const XmlNodeList& items, const XmlNode& asset, int index) {
    static const char* const amounts[] = {"9", "17", "9"};
    if (items.size() < 4) {
        throw SkylatheError(QStringLiteral("In %1 hat der %2 weniger als vier Baukosten-Einträge.")
                                .arg(label(asset.documentPath()), recordLabel(asset, index)));
    }
    for (int i = 0; i < 3; ++i) {
        XmlNode amount = items[i].firstChildElement(QStringLiteral("Amount"));
        if (amount.isNull()) {
            throw SkylatheError(
                QStringLiteral("In %1 fehlt im %2 die Menge (Amount) des Baukosten-Eintrags %3.")
                    .arg(label(asset.documentPath()), recordLabel(asset, index))
                    .arg(i + 1));
        }
        amount.setText(QString::fromLatin1(amounts[i]));
    }
    XmlNode fourth = items[3];
    ensureChild(fourth, QStringLiteral("Amount")).setText(QStringLiteral("14"));
    ensureChild(fourth, QStringLiteral("Ingredient")).setText(kArcticGasGuid);
}

QString iconName(const QString& iconPath) {
    QString name = iconPath.mid(
        qMax(iconPath.lastIndexOf(QLatin1Char('/')), iconPath.lastIndexOf(QLatin1Char('\\'))) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        name.truncate(dot);
    }
    return name;
}

// Catalogue GUIDs compare as numbers, as the editor's product queries do ("0000000" is 0).
bool sameProduct(const QString& a, const QString& b) {
    bool okA = false;
    bool okB = false;
    const qlonglong na = a.toLongLong(&okA);
    const qlonglong nb = b.toLongLong(&okB);
    return okA && okB ? na == nb : a == b;
}

QStringList readGameLines(const QString& path) {
    QStringList lines = ReadTextLines(path);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

void checkGameAssetList(const QString& path) {
    const XmlDocument doc = loadRequired(path);
    if (doc.root().name() != QLatin1String("AssetList")) {
        throw SkylatheError(
            QStringLiteral("%1 ist keine Asset-Liste des Spiels: das Wurzelelement heißt „%2“ statt "
                           "„AssetList“.")
                .arg(label(path), doc.root().name()));
    }
}

} // namespace

bool MergeGameAssetFiles(const QString& originalFolder, const QString& dataFolder) {
    const QString shipPath = originalFolder + kGameAssetFile;
    const QString warPath = originalFolder + kGameWarAssetFile;
    checkGameAssetList(shipPath);
    checkGameAssetList(warPath);

    // The lists are joined line by line, so their first and last lines must be what the join drops.
    QStringList ships = readGameLines(shipPath);
    if (ships.isEmpty() || ships.last().trimmed() != kClosingRoot) {
        throw SkylatheError(
            QStringLiteral("%1 endet nicht mit einer eigenen Zeile „</AssetList>“.").arg(label(shipPath)));
    }
    ships.removeLast();

    QStringList war = readGameLines(warPath);
    if (war.size() < 3 || !war[0].trimmed().startsWith(QLatin1String("<?xml")) ||
        !war[1].trimmed().startsWith(QLatin1String("<AssetList")) || war.last().trimmed() != kClosingRoot) {
        throw SkylatheError(
            QStringLiteral("%1 beginnt nicht mit der XML-Deklaration und der Zeile „<AssetList>“ "
                           "oder endet nicht mit der Zeile „</AssetList>“.")
                .arg(label(warPath)));
    }
    war = war.mid(2, war.size() - 3);

    QStringList merged = ships + war;
    merged.append(kClosingRoot);
    const QString target = dataFolder + DataFile::Working;
    const XmlDocument check = XmlDocument::parse(merged.join(QStringLiteral("\r\n")), target);
    if (!check.hasRoot()) {
        throw SkylatheError(
            QStringLiteral("Die Asset-Listen %1 und %2 ergeben zusammen kein gültiges XML: %3")
                .arg(label(shipPath), label(warPath), check.errorText()));
    }
    WriteTextLines(target, merged);
    return FormatXmlFile(target);
}

bool RemoveOtherAssets(const QString& dataFolder) {
    static const char* const otherAssets[] = {"104571", "103293", "103294", "103297", "103298", "103299",
                                              "103300", "102875", "103723", "133226", "102319", "4386",
                                              "103826", "103557", "104104", "100237"};
    const QString path = dataFolder + DataFile::Working;
    XmlDocument doc = loadRequired(path);
    for (const char* guid : otherAssets) {
        XmlNode asset =
            doc.selectSingle(QStringLiteral("//Asset[Values/Standard/GUID=\"%1\"]").arg(QLatin1String(guid)));
        if (!asset.isNull()) {
            asset.remove();
        }
    }
    doc.save(path);
    return true;
}

bool ConvertShipRecords(const QString& originalFolder, const QString& dataFolder) {
    const QString path = dataFolder + DataFile::Working;
    XmlDocument doc = loadRequired(path);
    const GameTexts texts(originalFolder);
    const XmlNodeList records = assetRecords(doc);
    for (int i = 0; i < records.size(); ++i) {
        const XmlNode& asset = records[i];
        XmlNode standard = requireInRecord(asset, i, QStringLiteral("Values/Standard"));
        XmlNode guidNode = requireInRecord(asset, i, QStringLiteral("Values/Standard/GUID"));
        XmlNode description = requireInRecord(asset, i, QStringLiteral("Values/Standard/InfoDescription"));
        XmlNode name = requireInRecord(asset, i, QStringLiteral("Values/Standard/Name"));
        XmlNode values = asset.firstChildElement(QStringLiteral("Values"));
        XmlNode cost = requireInRecord(asset, i, QStringLiteral("Values/Cost"));
        XmlNode walking = requireInRecord(asset, i, QStringLiteral("Values/Walking"));
        XmlNode maintenance = requireInRecord(asset, i, QStringLiteral("Values/ShipMaintenance"));
        XmlNode tradeRoute = requireInRecord(asset, i, QStringLiteral("Values/TradeRouteVehicle"));

        const QString base = guidNode.text();
        const QString baseDescription = description.text();
        const QString guid = GetShipGuidForBase(base);
        if (guid.isEmpty()) {
            throw SkylatheError(QStringLiteral("In %1 ist das Luftschiff mit der GUID %2 keines der sechzehn "
                                               "Luftschiffe des Editors.")
                                    .arg(label(path), base));
        }
        const QString descriptionText =
            texts.text(baseDescription, QStringLiteral("Beschreibung des Luftschiffs %1").arg(base));
        const QString shipName = texts.text(base, QStringLiteral("Name des Luftschiffs %1").arg(base));

        guidNode.remove();
        standard.appendElement(QStringLiteral("ORGInfoDescription"), baseDescription);
        description.setText(GetDescriptionGuidForBase(base));
        standard.appendElement(QStringLiteral("InfoDescriptionText"), descriptionText);
        standard.appendElement(QStringLiteral("OrgInfoDescriptionText"), descriptionText);
        standard.appendElement(QStringLiteral("GUID"), guid);
        standard.appendElement(QStringLiteral("ORGGUID"), base);
        standard.appendElement(QStringLiteral("Armed"),
                               IsArmedShipGuid(guid) ? QStringLiteral("true") : QStringLiteral("false"));
        name.setText(shipName);

        ensureValue(cost, QStringLiteral("InfluenceCostPoints"), QStringLiteral("0"));
        XmlNode container = ensureChild(values, QStringLiteral("ItemContainer"));
        ensureValue(container, QStringLiteral("SocketCount"), QStringLiteral("3"));
        ensureValue(container, QStringLiteral("SlotCount"), QStringLiteral("8"));
        ensureValue(container, QStringLiteral("StackLimit"), QStringLiteral("50"));
        ensureValue(container, QStringLiteral("SocketAllocation"), QStringLiteral("AirShip"));
        ensureValue(walking, QStringLiteral("ForwardSpeed"), QStringLiteral("5"));
        ensureValue(walking, QStringLiteral("SessionTransferSpeedFactor"), QStringLiteral("1"));
        XmlNode craftable = ensureChild(values, QStringLiteral("Craftable"));
        ensureValue(craftable, QStringLiteral("CraftingTime"), QStringLiteral("900000"));
        ensureValue(walking, QStringLiteral("CargoFullFactor"), QStringLiteral("0.4"));
        ensureValue(maintenance, QStringLiteral("Maintenance"), QStringLiteral("0"));
        ensureValue(tradeRoute, QStringLiteral("LoadingSpeedFactor"), QStringLiteral("1"));
        XmlNode bombarder = values.firstChildElement(QStringLiteral("Bombarder"));
        if (!bombarder.isNull()) {
            ensureValue(bombarder, QStringLiteral("Shafts"), QStringLiteral("0"));
        }
        XmlNode queue = ensureChild(values, QStringLiteral("CommandQueue"));
        ensureValue(queue, QStringLiteral("MilitaryAirShipPoints"), QStringLiteral("0"));
        ensureValue(queue, QStringLiteral("AirShipPoints"), QStringLiteral("0"));
        ensureValue(queue, QStringLiteral("TradeShipPoints"), QStringLiteral("0"));

        XmlNode buff = values.selectSingle(QStringLiteral("UpgradeList/DefaultBuff"));
        if (!buff.isNull()) {
            buff.remove();
        }
    }
    doc.save(path);
    return FormatXmlFile(path);
}

bool CompleteCostItems(const QString& dataFolder) {
    const QString path = dataFolder + DataFile::Working;
    XmlDocument doc = loadRequired(path);
    const XmlNodeList records = assetRecords(doc);

    for (int r = 0; r < records.size(); ++r) {
        const XmlNode& asset = records[r];
        requireInRecord(asset, r, QStringLiteral("Values/Standard"));
        XmlNode costs = requireInRecord(asset, r, QStringLiteral("Values/Cost/Costs"));
        XmlNode perCost = asset.selectSingle(QStringLiteral("Values/Cost/ItemsPerCost"));
        if (!perCost.isNull()) {
            perCost.setText(QStringLiteral("1"));
        }
        const bool arcticExplorer =
            asset.selectSingle(QStringLiteral("Values/Standard/ORGGUID")).text() == QLatin1String("114166");
        const XmlNodeList items = costs.selectAll(QStringLiteral("Item"));
        for (XmlNode item : items) {
            XmlNode amount = item.firstChildElement(QStringLiteral("Amount"));
            if (amount.isNull()) {
                amount = item.appendElement(QStringLiteral("Amount"), QStringLiteral("0"));
            }
            XmlNode ingredient = item.firstChildElement(QStringLiteral("Ingredient"));
            if (ingredient.isNull()) {
                ingredient = item.appendElement(QStringLiteral("Ingredient"), QStringLiteral("0"));
            }
            const XmlNode inherited = item.selectSingle(QStringLiteral("VectorElement/InheritedIndex"));
            if (ingredient.text() == QLatin1String("0") && !inherited.isNull()) {
                ingredient.setText(ingredientForInheritedIndex(inherited.text()));
            }
            if (amount.text() == QLatin1String("0")) {
                ingredient.setText(QStringLiteral("0"));
            }
            XmlNode vector = item.firstChildElement(QStringLiteral("VectorElement"));
            if (!vector.isNull()) {
                vector.remove();
            }
            if (arcticExplorer) {
                applyArcticExplorerCosts(items, asset, r);
            }
        }
    }

    for (const XmlNode& asset : records) {
        XmlNode costs = asset.selectSingle(QStringLiteral("Values/Cost/Costs"));
        for (qsizetype n = costs.selectAll(QStringLiteral("Item")).size(); n < kCostRows; ++n) {
            costs.appendElement(QStringLiteral("Item"));
        }
    }

    for (int r = 0; r < records.size(); ++r) {
        const XmlNode& asset = records[r];
        XmlNode standard = asset.selectSingle(QStringLiteral("Values/Standard"));
        standard.appendElement(QStringLiteral("Typ"), requireLiftGas(asset, r));
    }

    doc.save(path);
    FormatXmlFile(path);
    const QString originalPath = dataFolder + DataFile::Original;
    doc.save(originalPath);
    return FormatXmlFile(originalPath);
}

bool WriteShipIndex(const QString& originalFolder, const QString& dataFolder) {
    const XmlDocument doc = loadRequired(dataFolder + DataFile::Working);
    const GameTexts texts(originalFolder);
    const XmlNodeList records = assetRecords(doc);

    QStringList lines{QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"),
                      QStringLiteral("<AirShips>")};
    QString position;
    for (int r = 0; r < records.size(); ++r) {
        const XmlNode& asset = records[r];
        const QString guid = requireInRecord(asset, r, QStringLiteral("Values/Standard/GUID")).text();
        const QString base = requireInRecord(asset, r, QStringLiteral("Values/Standard/ORGGUID")).text();
        const QString icon =
            iconName(requireInRecord(asset, r, QStringLiteral("Values/Standard/IconFilename")).text());
        if (icon.isEmpty()) {
            throw SkylatheError(
                QStringLiteral("In %1 ist im %2 der Eintrag „Values/Standard/IconFilename“ leer.")
                    .arg(label(doc.path()), recordLabel(asset, r)));
        }
        // The letter variable is shared by all records; an unknown base GUID would inherit the
        // previous ship's letter, so it is refused instead.
        position.clear();
        GetListPositionForBase(base, position);
        if (position.isEmpty()) {
            throw SkylatheError(QStringLiteral("In %1 ist das Basis-Luftschiff %2 des %3 unbekannt.")
                                    .arg(label(doc.path()), base, recordLabel(asset, r)));
        }
        const QString name = texts.text(base, QStringLiteral("Name des Luftschiffs %1").arg(base))
                                 .replace(QLatin1Char('-'), QLatin1Char(' '));
        lines.append(
            QStringLiteral(
                "\t<AirShip GUID=\"%1\" Name=\"%2\" Icon=\"%3\" Type=\"%4\" Armed=\"%5\" Pos=\"%6\"/>")
                .arg(XmlEscapeAttribute(guid), XmlEscapeAttribute(name), XmlEscapeAttribute(icon),
                     requireLiftGas(asset, r),
                     IsArmedShipGuid(guid) ? QStringLiteral("true") : QStringLiteral("false"), position));
    }
    lines.append(QStringLiteral("</AirShips>"));
    const QString path = dataFolder + DataFile::ShipIndex;
    WriteTextLines(path, lines);
    return FormatXmlFile(path);
}

bool WriteProductCatalogue(const QString& dataFolder) {
    // Fixed content; the alignment blanks and the trailing blanks are part of the shipped file.
    static const char* const lines[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<Productlist>",
        "\t<Product GUID=\"1010017\" Name=\"Münzen\"           Icon=\"icon_resource_money\"   "
        "Category=\"Ship\" "
        "Position=\"0\"/>",
        "\t<Product GUID=\"1010196\" Name=\"Bretter\"          Icon=\"icon_wooden_planks\"    "
        "Category=\"Ship\" "
        "Position=\"1\"/>",
        "\t<Product GUID=\"838\"     Name=\"Aluminiumprofile\" Icon=\"icon_aluminium\"        "
        "Category=\"Ship\" "
        "Position=\"4\"/>",
        "\t<Product GUID=\"1010221\" Name=\"Kanonen\"          Icon=\"icon_weapons\"          "
        "Category=\"Ship\" "
        "Position=\"5\"/> ",
        "\t<Product GUID=\"1010219\" Name=\"Stahl\"            Icon=\"icon_steel\"            "
        "Category=\"Ship\" "
        "Position=\"6\"/>",
        "\t<Product GUID=\"1010204\" Name=\"Messing\"          Icon=\"icon_brass\"            "
        "Category=\"Ship\" "
        "Position=\"7\"/>",
        "\t<Product GUID=\"1010210\" Name=\"Segel\"            Icon=\"icon_sail\"             "
        "Category=\"Ship\" "
        "Position=\"8\"/>",
        "\t<Product GUID=\"114391\"  Name=\"Leinen\"           Icon=\"icon_linen_fabric\"     "
        "Category=\"Ship\" "
        "Position=\"9\"/>",
        "\t<Product GUID=\"1010240\" Name=\"Baumwollstoff\"    Icon=\"icon_cotton_fur\"       "
        "Category=\"Ship\" "
        "Position=\"10\"/>",
        "\t<Product GUID=\"1010255\" Name=\"Kautschuk\"        Icon=\"icon_caoutchouc\"       "
        "Category=\"Ship\" "
        "Position=\"11\"/>",
        "\t<Product GUID=\"135129\"  Name=\"Farben und Lacke\" Icon=\"icon_lacquer\"          "
        "Category=\"Ship\" "
        "Position=\"12\"/>",
        "\t<Product GUID=\"1010224\" Name=\"Dampfmaschinen\"   Icon=\"icon_steam_machine\"    "
        "Category=\"Ship\" "
        "Position=\"13\"/>",
        "\t<Product GUID=\"5390\"    Name=\"Elektromotoren\"   Icon=\"icon_motor\"            "
        "Category=\"Ship\" "
        "Position=\"14\"/>",
        "\t<Product GUID=\"6280\"    Name=\"Elektrokabel\"     Icon=\"icon_electric_cable_3\" "
        "Category=\"Ship\" "
        "Position=\"15\"/>",
        "\t<Product GUID=\"5393\"    Name=\"Feuerlöscher\"     Icon=\"icon_extinguisher\"     "
        "Category=\"Ship\" "
        "Position=\"16\"/>",
        "\t<Product GUID=\"0000000\" Name=\"Baukosten entfernen\" Icon=\"delete\" Category=\"Ship\" "
        "Position=\"17\"/> ",
        "\t<Product GUID=\"112706\"  Name=\"Arktisgas\"        Icon=\"icon_gas_red\"          "
        "Category=\"Ship\" "
        "Position=\"18\"/>",
        "\t<Product GUID=\"840\"     Name=\"Helium\"           Icon=\"icon_helium\"           "
        "Category=\"Ship\" "
        "Position=\"19\"/>",
        "\t<Product GUID=\"0\" Name=\"keine Auswahl\" Icon=\"NoProduct\" Category=\"notAllowed \" "
        "Position=\"0\"/> ",
        "</Productlist>",
    };
    QStringList text;
    for (const char* line : lines) {
        text.append(QString::fromUtf8(line));
    }
    WriteTextLines(dataFolder + DataFile::Products, text, true);
    return true;
}

bool RunDataPreparation(const QString& originalFolder, const QString& dataFolder) {
    const QString source = WithTrailingSlash(originalFolder);
    const QString target = WithTrailingSlash(dataFolder);

    // The steps run in a scratch folder, and only a complete result replaces the data files, so a
    // failing step never leaves the data folder half rebuilt.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        throw SkylatheError(
            QStringLiteral("Für die Datenaufbereitung kann kein temporärer Ordner angelegt werden: %1")
                .arg(scratch.errorString()));
    }
    const QString work = WithTrailingSlash(scratch.path());
    try {
        // Sources first, so a missing file is named before any step runs.
        for (const QString& name : {kGameAssetFile, kGameWarAssetFile, DataFile::Texts}) {
            loadRequired(source + name);
        }
        MergeGameAssetFiles(source, work);
        RemoveOtherAssets(work);
        ConvertShipRecords(source, work);
        CompleteCostItems(work);
        WriteShipIndex(source, work);
        WriteModTexts(work);
        WriteProductCatalogue(work);
    } catch (const SkylatheError& error) {
        // Name the data folder the user asked for, not the scratch folder.
        QString message = error.message();
        message.replace(QDir::toNativeSeparators(work), QDir::toNativeSeparators(target));
        throw SkylatheError(message);
    }

    if (!QDir().mkpath(target)) {
        throw SkylatheError(
            QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.").arg(label(target)));
    }
    for (const QString& name :
         {DataFile::Working, DataFile::Original, DataFile::ShipIndex, DataFile::Texts, DataFile::Products}) {
        WriteFileAtomically(target + name, ReadFileBytes(work + name));
    }
    return true;
}

bool ShapeShippedWorkingFile(const QString& dataFolder) {
    const QString folder = WithTrailingSlash(dataFolder);
    const QString path = folder + DataFile::Working;
    XmlDocument doc = loadRequired(path);
    const XmlDocument products = loadRequired(folder + DataFile::Products);
    const XmlNode values =
        doc.selectSingle(QStringLiteral("//Asset/Values[Standard/GUID=\"%1\"]").arg(kShapedShipGuid));
    if (values.isNull()) {
        throw SkylatheError(
            QStringLiteral("In %1 fehlt der Datensatz mit der GUID %2.").arg(label(path), kShapedShipGuid));
    }
    XmlNode cost = values.require(QStringLiteral("Cost"));
    XmlNode oldCosts = values.require(QStringLiteral("Cost/Costs"));
    QList<QPair<QString, QString>> rows;
    for (const XmlNode& item : oldCosts.selectAll(QStringLiteral("Item"))) {
        rows.append({item.firstChildElement(QStringLiteral("Ingredient")).text(),
                     item.firstChildElement(QStringLiteral("Amount")).text()});
    }
    while (rows.size() < kCostRows) {
        rows.append({QString(), QString()});
    }

    // The saved form of the rows: a fresh Costs as the last child of Cost, each used row as Ingredient,
    // the product's catalogue name and Amount.
    oldCosts.remove();
    XmlNode costs = cost.appendElement(QStringLiteral("Costs"));
    const XmlNodeList catalogue = products.root().childElements();
    for (int i = 0; i < kCostRows; ++i) {
        XmlNode item = costs.appendElement(QStringLiteral("Item"));
        const QString product = rows[i].first;
        if (product.isEmpty() || product == QLatin1String("0")) {
            continue;
        }
        QString productName;
        bool found = false;
        for (const XmlNode& entry : catalogue) {
            if (entry.attributeCount() > 1 && sameProduct(entry.attributeAt(0), product)) {
                productName = entry.attributeAt(1);
                found = true;
                break;
            }
        }
        if (!found) {
            throw SkylatheError(QStringLiteral("Das Produkt %1 des Luftschiffs %2 fehlt in %3.")
                                    .arg(product, kShapedShipGuid, label(folder + DataFile::Products)));
        }
        item.appendElement(QStringLiteral("Ingredient"), product);
        item.appendComment(productName);
        item.appendElement(QStringLiteral("Amount"),
                           rows[i].second.isEmpty() ? QStringLiteral("0") : rows[i].second);
    }

    XmlNode description = values.require(QStringLiteral("Standard/InfoDescriptionText"));
    const QString text = description.text();
    if (!text.endsWith(QLatin1Char('\n')) && !text.endsWith(QLatin1Char('\r'))) {
        description.setText(text + QStringLiteral("\r\n"));
    }
    doc.save(path);
    return FormatXmlFile(path);
}
