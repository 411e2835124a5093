#include "editor/XMLInfoOrg.h"

#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "data/ValueFields.h"
#include "editor/EditorControls.h"
#include "editor/ShipRecord.h"
#include "ui_XMLInfoOrg.h"

#include <QEvent>

TOrgDataForm::TOrgDataForm(QWidget* parent) : QDialog(parent), ui(new Ui::TOrgDataForm) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    ui->CostPanel->setVisible(false);
    ui->DetailPanel->setVisible(false);
}

TOrgDataForm::~TOrgDataForm() {
    delete ui;
}

bool TOrgDataForm::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate) {
        RunEditorAction([this] { FormActivate(); });
    }
    return handled;
}

void TOrgDataForm::placeAt(const QPoint& topLeft) {
    m_place = topLeft;
    move(topLeft);
}

void TOrgDataForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The frame's size is known only once the window is shown; placing it again keeps the frame's corner.
    if (m_place) {
        move(*m_place);
    }
}

void TOrgDataForm::FormActivate() {
    ui->CostPanel->resize(ui->CostPanel->width(), 539);
    ui->DetailPanel->resize(ui->DetailPanel->width(), 539);
    FillOriginalCosts();
    const bool armed = MainForm && MainForm->CurrentShipArmed == QLatin1String("true");
    ui->MilitaryShipPointsPanel->setVisible(armed);
    ui->WeaponReloadTimePanel->setVisible(armed);
    ui->WeaponBaseDamagePanel->setVisible(armed);
    FillOriginalValues();
}

void TOrgDataForm::FillOriginalCosts() {
    if (!MainForm) {
        return;
    }
    EditorControls c(this);
    for (int i = 0; i < 7; ++i) {
        const CostRow& row = MainForm->OriginalCosts[i];
        const QString digit = QString::number(i);
        const bool used = row.amount != QLatin1String("0");
        c.box(QStringLiteral("CostSpin") + digit)->setText(used ? row.amount : QStringLiteral("0"));
        c.label(QStringLiteral("CostLabel") + digit)
            ->setText(used ? row.name : QStringLiteral("keine Auswahl"));
        c.label(QStringLiteral("CostGUID") + digit)->setText(used ? row.guid : QStringLiteral("0"));
        c.setPicture(QStringLiteral("CostImage") + digit, used ? row.icon : QStringLiteral("NoProduct"), 36);
    }
    ui->InfluenceCostPoints->setText(MainForm->OriginalInfluenceCostPoints);
}

void TOrgDataForm::FillOriginalValues() {
    if (!MainForm) {
        return;
    }
    EditorControls c(this);
    for (const ValueField& field : ValueFields()) {
        if (field.box != QLatin1String("InfluenceCostPoints")) {
            c.box(field.box)->setText(MainForm->OriginalValues.value(field.box));
        }
    }
    ui->ForwardSpeedMaxValue->setText(FormatKnots(MainForm->OriginalSpeedRangeMax, 4));
    ui->ForwardSpeedMinValue->setText(FormatKnots(MainForm->OriginalSpeedRangeMin, 4));
}
