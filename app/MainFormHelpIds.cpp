#include "app/MainFormHelpIds.h"

QHash<QString, int> MainFormHelpIds() {
    QHash<QString, int> ids = {
        {QStringLiteral("Background"), 0},
        {QStringLiteral("centralwidget"), 0},
        {QStringLiteral("ArcticGasImage"), 100},
        {QStringLiteral("HeliumGasImage"), 101},
        {QStringLiteral("ShipView"), 102},
        {QStringLiteral("ShipNameEdit"), 103},
        {QStringLiteral("ShipInfoMemo"), 104},
        {QStringLiteral("ImagePanelNameCost"), 105},
        {QStringLiteral("ImagePanelNameDetail"), 106},
        {QStringLiteral("SaveBtn"), 107},
        {QStringLiteral("CreateModBtn"), 108},
        {QStringLiteral("InfluenceCostPointsPanel"), 208},
        {QStringLiteral("CraftingTimePanel"), 209},
        {QStringLiteral("SlotCountPanel"), 210},
        {QStringLiteral("SocketCountPanel"), 211},
        {QStringLiteral("StacklimitPanel"), 212},
        {QStringLiteral("ForwardSpeedPanel"), 213},
        {QStringLiteral("CargoFullFactorPanel"), 214},
        {QStringLiteral("SessionTransferSpeedFactorPanel"), 215},
        {QStringLiteral("TradeShipPointsPanel"), 216},
        {QStringLiteral("Panel1"), 217},
        {QStringLiteral("ShipMaintenancePanel"), 218},
        {QStringLiteral("BombarderPanel"), 219},
        {QStringLiteral("WeaponMaxHitPointsPanel"), 220},
        {QStringLiteral("WeaponReloadTimePanel"), 221},
        {QStringLiteral("WeaponBaseDamagePanel"), 222},
        {QStringLiteral("MilitaryShipPointsPanel"), 223},
        {QStringLiteral("FullResetImage"), 224},
        {QStringLiteral("SingleResetImage"), 225},
        {QStringLiteral("YardImage"), 226},
        {QStringLiteral("AddGasBuffToMinesBtn"), 227},
    };
    for (const char* box : {"ForwardSpeed", "CargoFullFactor", "SessionTransferSpeedFactor",
                            "TradeShipPoints", "ShipMaintenance", "CraftingTime", "AirShipPoints"})
        ids.insert(QString::fromLatin1(box), 207);
    for (int row = 0; row < 7; ++row) {
        ids.insert(QStringLiteral("CostPanel%1").arg(row), 205);
        ids.insert(QStringLiteral("ChangeCostImage%1").arg(row), 206);
    }
    return ids;
}
