#pragma once

#include "editor/CostRow.h"
#include "editor/CostRowControls.h"

#include "ui/PlacedDialog.h"

#include <QMap>
#include <QString>
#include <array>

namespace Ui {
class TOrgDataForm;
}

// What the original-values window shows: the shown ship's values as shipped.
struct OriginalShipData {
    QMap<QString, QString> values; // box name → text as the box would show the shipped value
    std::array<CostRow, 7> costs;
    QString influenceCostPoints = QStringLiteral("0");
    double speedRangeMax = 0.0;
    double speedRangeMin = 0.0;
    bool armed = false;
};

// The original-values window: the shown ship's values as shipped, beside the main window. It is refilled
// from the data it was handed every time it becomes active, and nothing in it is read back.
class TOrgDataForm : public PlacedDialog {
    Q_OBJECT

public:
    enum class Panel { Cost, Detail };

    explicit TOrgDataForm(QWidget* parent = nullptr);
    ~TOrgDataForm() override;

    // The data the next showing displays, and which of the two panels it shows.
    void setOriginalData(const OriginalShipData& original);
    void showPanel(Panel panel);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void FillOriginalCosts();
    void FillOriginalValues();

    Ui::TOrgDataForm* ui;
    CostRowTable m_costRows;
    OriginalShipData m_data;
};
