// Connects the main window's editor controls to their handlers.
#include "app/MainFormUnit.h"
#include "data/ValueFields.h"
#include "ui/ErrorBoundary.h"
#include "ui/WindowControls.h"
#include "ui_MainFormUnit.h"

#include <QHeaderView>

void TMainForm::connectEditorHandlers() {
    ui->ShipView->setColumnWidth(0, 64);
    ui->ShipView->setColumnHidden(2, true);
    ui->ShipView->header()->setStretchLastSection(false);
    ui->ShipView->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    ui->ShipView->setSortingEnabled(false);

    connect(ui->ShipView, &QTreeWidget::itemClicked, this,
            [this] { ErrorBoundary::run([this] { ShipViewClick(); }); });
    connectPictureClick(ui->HeliumGasImage, [this] { HeliumGasImageClick(); });
    connectPictureClick(ui->ArcticGasImage, [this] { ArcticGasImageClick(); });

    WindowControls c(this);
    for (const ValueField& field : ValueFields()) {
        connect(c.box(field.box), &ValueBox::changed, this,
                [this] { ErrorBoundary::run([this] { UNIClick(); }); });
    }
    for (const CostRowControls& row : m_costRows) {
        connect(row.amount, &ValueBox::changed, this, [this] { ErrorBoundary::run([this] { UNIClick(); }); });
        const QString arrow = row.changeArrow->objectName();
        connectPictureClick(row.changeArrow, [this, arrow] {
            ClickedImageName = arrow;
            ChangeCostClick();
        });
    }
    connect(ui->ForwardSpeed, &ValueBox::valueChanged, this,
            [this] { ErrorBoundary::run([this] { ForwardSpeedChangeValue(); }); });
    connect(ui->ShipNameEdit, &QLineEdit::textChanged, this,
            [this] { ErrorBoundary::run([this] { ShipNameEditChange(); }); });
    connectPictureClick(ui->CostLabel0, [this] { UNIClick(); });

    connect(ui->SaveBtn, &QPushButton::clicked, this,
            [this] { ErrorBoundary::run([this] { SaveBtnClick(); }); });
    connectPictureClick(ui->SingleResetImage, [this] { SingleResetImageClick(); });
    connectPictureClick(ui->FullResetImage, [this] { FullResetImageClick(); });
    for (QLabel* list : {ui->ImagePanelNameCost, ui->ImagePanelNameDetail}) {
        const QString name = list->objectName();
        connectPictureClick(list, [this, name] {
            ClickedImageName = name;
            ShowOrgDataFormClick();
        });
    }
}
