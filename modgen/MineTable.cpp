#include "modgen/MineTable.h"

const QList<HeliumMine>& HeliumMines() {
    static const QList<HeliumMine> mines{
        {"1010304", "Kohlenmine", "CoalMineImage"}, {"1010305", "Eisenmine", "IronMineImage"},
        {"1010307", "Zinkmine", "TinMineImage"},    {"1010308", "Kupfermine", "CopperMIneImage"},
        {"101311", "Goldmine", "GoldMineImage"},
    };
    return mines;
}

QString MineQuery(const QString& guid) {
    return QStringLiteral("//GasMine[@GUID=\"%1\"]").arg(guid);
}

std::optional<QString> ReadMineState(const XmlDocument& mines, const QString& guid) {
    const XmlNode row = mines.selectSingle(MineQuery(guid));
    if (row.isNull() || row.attributeCount() < 3) {
        return std::nullopt;
    }
    return row.attributeAt(2);
}

bool MineStateIsOn(const std::optional<QString>& state) {
    return state && *state == QLatin1String("true");
}
