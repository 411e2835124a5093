#include "editor/CostRowControls.h"

#include "editor/ProductCatalogue.h"
#include "ui/WindowControls.h"

#include <QLabel>

void CostRowControls::show(const CostRow& row) const {
    if (row.amount == QLatin1String("0")) {
        amount->setText(QStringLiteral("0"));
        showEmpty();
        return;
    }
    amount->setText(row.amount);
    showProduct(row.guid, row.name, row.icon);
}

void CostRowControls::showProduct(const QString& productGuid, const QString& productName,
                                  const QString& icon) const {
    name->setText(productName);
    guid->setText(productGuid);
    ShowPicture(picture, icon, 36);
}

void CostRowControls::showEmpty() const {
    name->setText(QStringLiteral("keine Auswahl"));
    guid->setText(kNoProductGuid);
    ShowPicture(picture, QStringLiteral("NoProduct"), 36);
}

CostRowTable FindCostRows(QWidget* window) {
    const WindowControls c(window);
    CostRowTable rows;
    for (int n = 0; n < int(rows.size()); ++n) {
        const QString digit = QString::number(n);
        CostRowControls& row = rows[n];
        row.amount = c.box(QStringLiteral("CostSpin") + digit);
        row.name = c.label(QStringLiteral("CostLabel") + digit);
        row.guid = c.label(QStringLiteral("CostGUID") + digit);
        row.picture = c.label(QStringLiteral("CostImage") + digit);
        row.marker = qobject_cast<QLabel*>(c.find(QStringLiteral("CostDot") + digit));
        row.changeArrow = qobject_cast<QLabel*>(c.find(QStringLiteral("ChangeCostImage") + digit));
    }
    return rows;
}
