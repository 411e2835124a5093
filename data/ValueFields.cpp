#include "data/ValueFields.h"

#include <algorithm>

namespace {
using C = ValueConversion;
const QString kNone;
const QString kZero = QStringLiteral("0");
} // namespace

const QList<ValueField>& ValueFields() {
    static const QList<ValueField> table = {
        {"InfluenceCostPoints", "Cost/InfluenceCostPoints", C::Plain, true, kZero, true, kZero,
         "InfluenceCostPointsPanel", "InfluenceCostDot", "Einflusspunkte", 0, 50, 1, 5, 0, 3, true, false, 0},
        {"CargoFullFactor", "Walking/CargoFullFactor", C::DecimalSeparator, true, kZero, true, kZero,
         "CargoFullFactorPanel", "CargoFullFactorDOt", "Frachtverlangsamung", 0.1, 1, 0.1, 1, 1, 3, true,
         false, 2},
        {"ForwardSpeed", "Walking/ForwardSpeed", C::DecimalSeparator, false, kNone, true, "5",
         "ForwardSpeedPanel", "ForwardSpeedDot", "Geschwindigkeit", 0.1, 125, 0.1, 1, 2, 4, true, false, 1},
        {"SessionTransferSpeedFactor", "Walking/SessionTransferSpeedFactor", C::DecimalSeparator, true, kZero,
         true, kZero, "SessionTransferSpeedFactorPanel", "SessionTransferSpeedFactorDot",
         "Sessionwechselfaktor", 0.1, 5, 0.1, 0.5, 1, 3, true, false, 3},
        {"CraftingTime", "Craftable/CraftingTime", C::MillisToSeconds, true, kZero, true, kZero,
         "CraftingTimePanel", "CraftingTimeDot", "Bauzeit (sek.)", 30, 1200, 10, 60, 0, 4, true, false, 7},
        {"TradeShipPoints", "CommandQueue/TradeShipPoints", C::Plain, true, kZero, true, kZero,
         "TradeShipPointsPanel", "TradeShipPointsDot", "Handelspunkte", 0, 250, 1, 5, 0, 3, true, false, 4},
        {"SocketCount", "ItemContainer/SocketCount", C::Plain, true, kZero, true, kZero, "SocketCountPanel",
         "SocketCountDot", "Itemsockel", 0, 4, 1, 1, 0, 1, true, false, 8},
        {"SlotCount", "ItemContainer/SlotCount", C::Plain, true, kZero, true, kZero, "SlotCountPanel",
         "SlotCountDot", "Ladekammern", 0, 8, 1, 1, 0, 1, true, false, 9},
        {"StackLimit", "ItemContainer/StackLimit", C::Plain, true, kZero, true, kZero, "StacklimitPanel",
         "StackLimitDot", "Ladekapazität", 50, 500, 10, 50, 0, 8, true, false, 10},
        {"MilitaryAirShipPoints", "CommandQueue/MilitaryAirShipPoints", C::Plain, false, kNone, false, kNone,
         "MilitaryShipPointsPanel", "MilitaryShipPointsDot", "Militärpunkte", 0, 250, 1, 5, 0, 3, true, true,
         15},
        {"AirShipPoints", "CommandQueue/AirShipPoints", C::Plain, false, kNone, false, kNone, "Panel1",
         "AirShipPointsDot", "Luftflottenpunkte", 0, 250, 1, 5, 0, 3, true, false, 5},
        {"ShipMaintenance", "ShipMaintenance/Maintenance", C::Plain, true, kZero, true, kZero,
         "ShipMaintenancePanel", "ShipMaintenanceDot", "Betriebskosten", 1, 2500, 1, 10, 0, 4, true, false,
         6},
        {"BombarderShafts", "Bombarder/Shafts", C::Plain, false, kNone, false, kNone, "BombarderPanel",
         "BombarderShaftsDot", "Abwurfschächte", 0, 5, 1, 1, 0, 1, false, false, 11},
        {"WeaponBaseDamage", "Attacker/BaseDamage", C::Plain, false, kNone, false, kNone,
         "WeaponBaseDamagePanel", "WeaponBaseDamageDot", "Schaden pro Schuss", 0, 5000, 1, 100, 0, 4, false,
         true, 13},
        {"WeaponReloadTime", "Attacker/ReloadTime", C::Plain, false, kNone, false, kNone,
         "WeaponReloadTimePanel", "WeaponReloadTimeDot", "Nachladedauer (sek.)", 5, 125, 1, 5, 0, 3, false,
         true, 14},
        {"WeaponMaxHitpoints", "Attackable/MaximumHitPoints", C::Plain, false, kNone, false, kNone,
         "WeaponMaxHitPointsPanel", "WeaponMaxHitPointsDot", "Trefferpunkte", 250, 25000, 10, 250, 0, 5, true,
         false, 12},
    };
    return table;
}

const ValueField* FindValueField(const QString& box) {
    for (const ValueField& f : ValueFields()) {
        if (f.box == box) {
            return &f;
        }
    }
    return nullptr;
}

QList<const ValueField*> ValueFieldsInSaveOrder() {
    QList<const ValueField*> fields;
    for (const ValueField& f : ValueFields()) {
        if (f.saveOrder > 0) {
            fields.append(&f);
        }
    }
    std::sort(fields.begin(), fields.end(),
              [](const ValueField* a, const ValueField* b) { return a->saveOrder < b->saveOrder; });
    return fields;
}
