#pragma once

#include <QString>

// The product GUIDs of the two lift gases: every ship's costs hold one of them, the picker never offers
// them and the mines' extra production is helium.
inline const QString kHeliumGuid = QStringLiteral("840");
inline const QString kArcticGasGuid = QStringLiteral("112706");

inline bool IsLiftGasGuid(const QString& guid) {
    return guid == kHeliumGuid || guid == kArcticGasGuid;
}
