#pragma once

#include <QString>

// One building-cost row as read from a record.
struct CostRow {
    QString guid = QStringLiteral("0");
    QString amount = QStringLiteral("0");
    QString name;
    QString icon;
};
