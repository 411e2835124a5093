#pragma once

#include "editor/CostRow.h"

#include <QString>
#include <array>

class QLabel;
class QWidget;
class ValueBox;

// The controls of one building-cost row of a window, found once by their object names (prefix + row
// digit): CostSpin, CostLabel, CostGUID, CostImage and, where the window has them, CostDot and
// ChangeCostImage.
struct CostRowControls {
    ValueBox* amount = nullptr;
    QLabel* name = nullptr;
    QLabel* guid = nullptr;
    QLabel* picture = nullptr;
    QLabel* marker = nullptr;      // nullptr in a window without change markers
    QLabel* changeArrow = nullptr; // nullptr in a window without change arrows

    // Shows `row` as read from a record; a row with the amount "0" shows as empty.
    void show(const CostRow& row) const;
    // Shows the product picked for the row, or the empty row.
    void showProduct(const QString& productGuid, const QString& productName, const QString& icon) const;
    void showEmpty() const;
};

// The seven cost rows of `window`. Throws SkylatheError when one of the controls is missing.
using CostRowTable = std::array<CostRowControls, 7>;
CostRowTable FindCostRows(QWidget* window);
