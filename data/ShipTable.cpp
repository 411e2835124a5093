#include "data/ShipTable.h"

const QList<ShipIdentity>& ShipIdentities() {
    // clang-format off
    static const QList<ShipIdentity> table = {
        {"2000502010", "1755", "A", "2000502038", "Mapinguari", "Heliumgas", false, "icon_airship_artic", "114288", 0.8, 2.6},
        {"2000502011", "1654", "B", "2000502031", "Kolibri", "Heliumgas", false, "icon_airship_hunter_light", "1649", 1.8, 3.4},
        {"2000502012", "1655", "C", "2000502032", "Allicanto", "Heliumgas", false, "icon_airship_hunter", "1650", 1.6, 3.2},
        {"2000502013", "1058", "D", "2000502033", "Atotolin", "Heliumgas", false, "icon_airship_cargo_small", "1666", 1.6, 3.0},
        {"2000502014", "1059", "E", "2000502034", "Dtundtuncan", "Heliumgas", false, "icon_airship_cargo_medium_b", "1664", 1.5, 2.8},
        {"2000502015", "1060", "F", "2000502035", "Quetzalcoatl", "Heliumgas", false, "icon_airship_cargo_large_a", "1667", 1.4, 2.6},
        {"2000502016", "1054", "G", "2000502044", "Kolibri (bewaffnet)", "Heliumgas", true, "icon_airship_hunter_light", "1647", 1.8, 3.4},
        {"2000502017", "1056", "H", "2000502045", "Allicanto (bewaffnet)", "Heliumgas", true, "icon_airship_hunter", "1648", 1.6, 3.2},
        {"2000502018", "114166", "A", "2000502030", "Boreas", "Arcticgas", false, "icon_airship_artic", "114288", 0.8, 2.6},
        {"2000502019", "1733", "B", "2000502039", "Harpyie", "Arcticgas", false, "icon_airship_hunter_light", "1649", 1.8, 3.4},
        {"2000502020", "1734", "C", "2000502040", "Mantikor", "Arcticgas", false, "icon_airship_hunter", "1650", 1.6, 3.2},
        {"2000502021", "1735", "D", "2000502041", "Hermes", "Arcticgas", false, "icon_airship_cargo_small", "1666", 1.6, 3.0},
        {"2000502022", "1736", "E", "2000502042", "Pegasus", "Arcticgas", false, "icon_airship_cargo_medium_b", "1664", 1.5, 2.8},
        {"2000502023", "1737", "F", "2000502043", "Zephyr", "Arcticgas", false, "icon_airship_cargo_large_a", "1667", 1.4, 2.6},
        {"2000502024", "1731", "G", "2000502036", "Harpyie (bewaffnet)", "Arcticgas", true, "icon_airship_hunter_light", "1647", 1.8, 3.4},
        {"2000502025", "1732", "H", "2000502037", "Mantikor (bewaffnet)", "Arcticgas", true, "icon_airship_hunter", "1648", 1.6, 3.2},
    };
    // clang-format on
    return table;
}

namespace {
// The ship whose `field` holds `value`.
const ShipIdentity* findBy(QString ShipIdentity::*field, const QString& value) {
    for (const ShipIdentity& s : ShipIdentities()) {
        if (s.*field == value) {
            return &s;
        }
    }
    return nullptr;
}

const ShipIdentity* byBase(const QString& baseGuid) {
    return findBy(&ShipIdentity::baseGuid, baseGuid);
}

const ShipIdentity* byGuid(const QString& guid) {
    return findBy(&ShipIdentity::guid, guid);
}
} // namespace

QString GetShipGuidForBase(const QString& baseGuid) {
    const ShipIdentity* s = byBase(baseGuid);
    return s ? s->guid : QString();
}

void GetListPositionForBase(const QString& baseGuid, QString& position) {
    if (const ShipIdentity* s = byBase(baseGuid)) {
        position = s->pos;
    }
}

QString GetDescriptionGuidForBase(const QString& baseGuid) {
    const ShipIdentity* s = byBase(baseGuid);
    return s ? s->descriptionGuid : QString();
}

double GetMinSpeedFactor(const QString& guid) {
    const ShipIdentity* s = byGuid(guid);
    return s ? s->minSpeedFactor : 0.0;
}

double GetMaxSpeedFactor(const QString& guid) {
    const ShipIdentity* s = byGuid(guid);
    return s ? s->maxSpeedFactor : 0.0;
}

bool IsArmedShipGuid(const QString& guid) {
    const ShipIdentity* s = byGuid(guid);
    return s && s->armed;
}
