#include "modgen/AssetLines.h"

#include "data/Error.h"
#include "data/LiftGas.h"
#include "modgen/MineTable.h"

#include <QDir>
#include <QLocale>
#include <algorithm>

namespace {

// One line of the header comment: CommentSafeText, and no line break or other control character that
// would break the line layout.
QString commentLine(const QString& text) {
    QString line = text;
    for (QChar& c : line) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            c = QLatin1Char(' ');
        }
    }
    return CommentSafeText(line);
}

struct PoolEntry {
    const char* guid;
    const char* label;
    bool armed;
};

// The game airships and the editor's ships that item effects on airships act upon. The labels are
// fixed text; they are not looked up in the ship index. Unarmed entries form pool 4147, armed ones pool
// 4148, and both together (unarmed first) the pool of all airships.
const PoolEntry kPoolEntries[] = {
    {"1654", "Kolibri", false},
    {"1655", "Allicanto", false},
    {"1058", "Atotolin", false},
    {"1059", "Dtundtuncan", false},
    {"1060", "Quetzalcoatl", false},
    {"1755", "Mapinguari", false},
    {"1733", "Harpyie", false},
    {"1734", "Mantikor", false},
    {"1735", "Hermes", false},
    {"1736", "Pegasus", false},
    {"1737", "Zephyr", false},
    {"114166", "Boreas", false},
    {"2000502010", "Boreas", false},
    {"2000502011", "Kolibri", false},
    {"2000502012", "Allicanto", false},
    {"2000502013", "Atotolin", false},
    {"2000502014", "Dtundtuncan", false},
    {"2000502015", "Quetzalcoatl", false},
    {"2000502018", "Mapinguari", false},
    {"2000502019", "Harpyie", false},
    {"2000502020", "Mantikor", false},
    {"2000502021", "Hermes", false},
    {"2000502022", "Pegasus", false},
    {"2000502023", "Zephyr", false},
    {"1054", "Kolibri (bewaffnet)", true},
    {"1056", "Allicanto (bewaffnet)", true},
    {"1731", "Harpyie (bewaffnet)", true},
    {"1732", "Mantikor (bewaffnet)", true},
    {"2000502016", "Kolibri (bewaffnet)", true},
    {"2000502017", "Allicanto (bewaffnet)", true},
    {"2000502024", "Harpyie (bewaffnet)", true},
    {"2000502025", "Mantikor (bewaffnet)", true},
};

const QString kIconPath = QStringLiteral("Values/Standard/IconFilename");

void addPoolEntries(QStringList& lines, bool armed) {
    for (const PoolEntry& entry : kPoolEntries) {
        if (entry.armed != armed) {
            continue;
        }
        lines << QStringLiteral("<Item>") << QStringLiteral("<GUID>%1</GUID>").arg(QLatin1String(entry.guid))
              << QStringLiteral("<Local>%1</Local>").arg(XmlEscapeText(QString::fromUtf8(entry.label)))
              << QStringLiteral("</Item>");
    }
}

void addHeader(QStringList& lines, const AssetFileHeader& header) {
    const QString stars(115, QLatin1Char('*'));
    const QLocale locale = QLocale::system();
    const QString when = locale.toString(header.time.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                         locale.toString(header.time.time(), QLocale::LongFormat);
    lines << QStringLiteral("<!--") << stars << QStringLiteral("Skylathe Modifikation") << commentLine(when)
          << commentLine(header.userName.trimmed())
          << commentLine(QStringLiteral("Skylathe ") + header.version) << stars << QStringLiteral("-->");
}

void addShips(QStringList& lines, const XmlDocument& workingFile) {
    lines << QStringLiteral("<ModOp GUID=\"114166\" Type=\"addNextSibling\">");
    // Check every record before changing any, so a faulty file is reported as a whole.
    const XmlNodeList records = workingFile.root().childElements();
    int number = 0;
    for (const XmlNode& record : records) {
        ++number;
        if (record.selectSingle(kIconPath).isNull()) {
            const QString guid = record.selectSingle(QStringLiteral("Values/Standard/GUID")).text().trimmed();
            const QString which = guid.isEmpty() ? QStringLiteral("dem %1. Datensatz (ohne GUID)").arg(number)
                                                 : QStringLiteral("dem Datensatz mit der GUID %1").arg(guid);
            throw SkylatheError(QStringLiteral("In „%1“ fehlt bei %2 das Element „%3“. Die Modifikation "
                                               "wurde nicht erzeugt.")
                                    .arg(QDir::toNativeSeparators(workingFile.path()), which, kIconPath));
        }
    }
    for (const XmlNode& record : records) {
        XmlNode icon = record.selectSingle(kIconPath);
        icon.setText(StarIconPath(icon.text()));
        lines << record.outerXml();
    }
    lines << QStringLiteral("</ModOp>");
}

// Opens a ModOp that carries a whole asset, through the asset's <Standard> block: `modOp` is the ModOp's
// opening tag, `standard` what follows the GUID in <Standard>.
void openAsset(QStringList& lines, const QString& modOp, const QString& assetTemplate, const QString& guid,
               const QStringList& standard = {}) {
    lines << modOp << QStringLiteral("<Asset>")
          << QStringLiteral("<Template>%1</Template>").arg(assetTemplate) << QStringLiteral("<Values>")
          << QStringLiteral("<Standard>") << QStringLiteral("<GUID>%1</GUID>").arg(guid) << standard
          << QStringLiteral("</Standard>");
}

// Closes what openAsset opened.
void closeAsset(QStringList& lines) {
    lines << QStringLiteral("</Values>") << QStringLiteral("</Asset>") << QStringLiteral("</ModOp>");
}

void addUnlockTrigger(QStringList& lines) {
    lines << QStringLiteral("<!-- Aerolune Trigger -->");
    openAsset(
        lines, QStringLiteral("<ModOp GUID=\"130216\" Type=\"addNextSibling\">"), QStringLiteral("Trigger"),
        QStringLiteral("2000502050"),
        {QStringLiteral("<Name>UNLOCK Aerolune</Name>"),
         QStringLiteral("<IconFilename>data/ui/2kimages/main/profiles/resident_tier03.png</IconFilename>")});
    lines << QStringLiteral("<Trigger>") << QStringLiteral("<TriggerCondition>")
          << QStringLiteral("<Template>ConditionPlayerCounter</Template>") << QStringLiteral("<Values>")
          << QStringLiteral("<Condition/>") << QStringLiteral("<ConditionPlayerCounter>")
          << QStringLiteral("<PlayerCounter>PopulationByLevel</PlayerCounter>")
          << QStringLiteral("<Context>15000003</Context>")
          << QStringLiteral("<!-- Ingenieure als PopulationLevel -->")
          << QStringLiteral("<CounterAmount>1250</CounterAmount>")
          << QStringLiteral("</ConditionPlayerCounter>") << QStringLiteral("</Values>")
          << QStringLiteral("</TriggerCondition>") << QStringLiteral("<TriggerActions>")
          << QStringLiteral("<Item>") << QStringLiteral("<TriggerAction>")
          << QStringLiteral("<Template>ActionUnlockAsset</Template>") << QStringLiteral("<Values>")
          << QStringLiteral("<Action/>") << QStringLiteral("<ActionUnlockAsset>")
          << QStringLiteral("<UnlockAssets>");
    // All sixteen editor ships, whatever records the working file holds.
    for (int n = 10; n <= 25; ++n) {
        lines << QStringLiteral("<Item>") << QStringLiteral("<Asset>20005020%1</Asset>").arg(n)
              << QStringLiteral("</Item>");
    }
    lines << QStringLiteral("</UnlockAssets>") << QStringLiteral("</ActionUnlockAsset>")
          << QStringLiteral("</Values>") << QStringLiteral("</TriggerAction>") << QStringLiteral("</Item>")
          << QStringLiteral("</TriggerActions>") << QStringLiteral("</Trigger>")
          << QStringLiteral("<TriggerSetup>")
          << QStringLiteral("<UsedBySecondParties>0</UsedBySecondParties>")
          << QStringLiteral("</TriggerSetup>");
    closeAsset(lines);
}

void addTargetPools(QStringList& lines) {
    lines << QStringLiteral("<!-- Aerolune EffectedTargetPools -->");
    for (const bool armed : {false, true}) {
        const QString guid = armed ? QStringLiteral("4148") : QStringLiteral("4147");
        openAsset(lines, QStringLiteral("<ModOp GUID=\"%1\" Type=\"replace\">").arg(guid),
                  QStringLiteral("ItemEffectTargetPool"), guid,
                  armed ? QStringList{QStringLiteral("<Local>Alle bewaffneten Luftschiffe</Local>")}
                        : QStringList{});
        lines << QStringLiteral("<ItemEffectTargetPool>") << QStringLiteral("<EffectTargetGUIDs>");
        addPoolEntries(lines, armed);
        lines << QStringLiteral("</EffectTargetGUIDs>") << QStringLiteral("</ItemEffectTargetPool>");
        closeAsset(lines);
    }
}

void addAllAirshipPool(QStringList& lines) {
    lines << QStringLiteral("<!-- Aerolune AssetPool -->");
    openAsset(lines, QStringLiteral("<ModOp GUID=\"102180\" Type=\"replace\">"), QStringLiteral("AssetPool"),
              QStringLiteral("102180"), {QStringLiteral("<Name>AllAirshipPool</Name>")});
    lines << QStringLiteral("<AssetPool>") << QStringLiteral("<AssetList>");
    addPoolEntries(lines, false);
    addPoolEntries(lines, true);
    lines << QStringLiteral("</AssetList>") << QStringLiteral("</AssetPool>");
    closeAsset(lines);
}

void addTradeRouteRules(QStringList& lines) {
    lines << QStringLiteral("<!-- Anpassen der Ladeautomatik der Häfen auf das gestiegen Ladevermögen dieses "
                            "Schiffes, Schiffe die weniger laden können laden auch weniger (Luftschiff zum "
                            "Beispiel) -->")
          << QStringLiteral("<ModOp Type=\"merge\" GUID=\"140011\" "
                            "Path=\"/Values/TradeRouteFeature/TransportationTypes/Normal\">")
          << QStringLiteral("<Normal>") << QStringLiteral("<ExcludingGoods>") << QStringLiteral("<Item>")
          << QStringLiteral("<Good>120021</Good>") << QStringLiteral("</Item>") << QStringLiteral("<Item>")
          << QStringLiteral("<Good>1010566</Good>") << QStringLiteral("</Item>")
          << QStringLiteral("</ExcludingGoods>")
          << QStringLiteral("<MaxGoodTransferAmount>2500</MaxGoodTransferAmount>")
          << QStringLiteral("<DefaultGoodTransferAmount>50</DefaultGoodTransferAmount>")
          << QStringLiteral("<MaxTradeActionsPerStation>8</MaxTradeActionsPerStation>")
          << QStringLiteral("</Normal>") << QStringLiteral("</ModOp>");
}

void addHeliumBuff(QStringList& lines, const XmlDocument& mineFile) {
    QList<HeliumMine> enabled;
    for (const HeliumMine& mine : HeliumMines()) {
        if (MineStateIsOn(ReadMineState(mineFile, QLatin1String(mine.guid)))) {
            enabled << mine;
        }
    }
    if (enabled.isEmpty()) {
        return;
    }
    lines << QStringLiteral("<!-- Buff Modifikation zur Erzeugung von Helium -->");
    openAsset(lines, QStringLiteral("<ModOp Type=\"addNextSibling\" GUID=\"143508\">"),
              QStringLiteral("GuildhouseBuff"), QStringLiteral("143565"),
              {QStringLiteral("<Name>Helium Additional Product</Name>"),
               QStringLiteral("<IconFilename>data/icon/icon_gas_buff.png</IconFilename>")});
    lines << QStringLiteral("<ItemEffect>") << QStringLiteral("<EffectTargets>")
          << QStringLiteral("<!-- Zielgebäude  -->");
    for (const HeliumMine& mine : enabled) {
        lines << QStringLiteral("<!-- %1 -->").arg(QString::fromUtf8(mine.name)) << QStringLiteral("<Item>")
              << QStringLiteral("<GUID>%1</GUID>").arg(QLatin1String(mine.guid)) << QStringLiteral("</Item>");
    }
    lines << QStringLiteral("</EffectTargets>") << QStringLiteral("</ItemEffect>")
          << QStringLiteral("<FactoryUpgrade>") << QStringLiteral("<AdditionalOutput>")
          << QStringLiteral("<Item>") << QStringLiteral("<Product>%1</Product>").arg(kHeliumGuid)
          << QStringLiteral("<AdditionalOutputCycle>3</AdditionalOutputCycle>")
          << QStringLiteral("<Amount>3</Amount>") << QStringLiteral("</Item>")
          << QStringLiteral("</AdditionalOutput>") << QStringLiteral("</FactoryUpgrade>");
    closeAsset(lines);
    for (const HeliumMine& mine : enabled) {
        lines << QStringLiteral("<ModOp Type=\"merge\" GUID=\"%1\" Path=\"/Values\">")
                     .arg(QLatin1String(mine.guid))
              << QStringLiteral("<UpgradeList>") << QStringLiteral("<DefaultBuff>143565</DefaultBuff>")
              << QStringLiteral("</UpgradeList>") << QStringLiteral("</ModOp>");
    }
}

} // namespace

QString StarIconPath(const QString& iconFilename) {
    const qsizetype cut =
        std::max({iconFilename.lastIndexOf(QLatin1Char('\\')), iconFilename.lastIndexOf(QLatin1Char('/')),
                  iconFilename.lastIndexOf(QLatin1Char(':'))});
    QString base = iconFilename.mid(cut + 1);
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        base.truncate(dot);
    }
    return QStringLiteral("data/icon/") + base + QStringLiteral("_star.png");
}

QStringList BuildAssetLines(const XmlDocument& workingFile, const XmlDocument& mineFile,
                            const AssetFileHeader& header) {
    mineFile.root(); // a missing or malformed mine list is reported, not read as "all off"
    QStringList lines;
    addHeader(lines, header);
    lines << QStringLiteral("<ModOps>");
    addShips(lines, workingFile);
    addUnlockTrigger(lines);
    addTargetPools(lines);
    addAllAirshipPool(lines);
    addTradeRouteRules(lines);
    addHeliumBuff(lines, mineFile);
    lines << QStringLiteral("</ModOps>");
    return lines;
}
