#include "editor/XMLInfoOrg.h"

#include "data/ValueFields.h"
#include "editor/ShipRecord.h"
#include "ui/ErrorBoundary.h"
#include "ui/ValueFieldControls.h"
#include "ui/WindowControls.h"
#include "ui_XMLInfoOrg.h"

#include "app/ImageCollection.h"

#include <QEvent>
#include <QLabel>

TOrgDataForm::TOrgDataForm(QWidget* parent) : PlacedDialog(parent), ui(new Ui::TOrgDataForm) {
    ui->setupUi(this);
    SetUpValueBoxes(this);
    ShowPanelPictures(this);
    // The main window's parchment behind the panels.
    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("Background"));
    background->setGeometry(0, 0, 8 + 304 + 8, 8 + 539 + 8);
    background->setPixmap(
        PixmapFromCollection(QStringLiteral("Background"), background->width(), background->height()));
    background->lower();
    m_costRows = FindCostRows(this);
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
    const bool handled = PlacedDialog::event(e);
    if (e->type() == QEvent::WindowActivate) {
        ErrorBoundary::run([this] { FormActivate(); });
    }
    return handled;
}

void TOrgDataForm::showEvent(QShowEvent* event) {
    // The look of the window it belongs to: its font, its colours and their parchment.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        setFont(owner->font());
        setPalette(owner->palette());
    }
    setAutoFillBackground(true);
    PlacedDialog::showEvent(event);
}

void TOrgDataForm::setOriginalData(const OriginalShipData& original) {
    m_data = original;
}

void TOrgDataForm::showPanel(Panel panel) {
    ui->CostPanel->setVisible(false);
    ui->DetailPanel->setVisible(false);
    QWidget* shown = panel == Panel::Cost ? ui->CostPanel : ui->DetailPanel;
    shown->setGeometry(8, 8, 304, 517);
    shown->setVisible(true);
    setFixedSize(8 + 304 + 8, 8 + 539 + 8);
}

void TOrgDataForm::FormActivate() {
    ui->CostPanel->resize(ui->CostPanel->width(), 539);
    ui->DetailPanel->resize(ui->DetailPanel->width(), 539);
    FillOriginalCosts();
    const bool armed = m_data.armed;
    ShowArmedOnlyPanels(this, armed);
    FillOriginalValues();
}

void TOrgDataForm::FillOriginalCosts() {
    for (int i = 0; i < 7; ++i) {
        m_costRows[i].show(m_data.costs[i]);
    }
    ui->InfluenceCostPoints->setText(m_data.influenceCostPoints);
}

void TOrgDataForm::FillOriginalValues() {
    WindowControls c(this);
    for (const ValueField& field : ValueFields()) {
        if (field.box != QLatin1String("InfluenceCostPoints")) {
            c.box(field.box)->setText(m_data.values.value(field.box));
        }
    }
    ui->ForwardSpeedMaxValue->setText(FormatKnots(m_data.speedRangeMax, 4));
    ui->ForwardSpeedMinValue->setText(FormatKnots(m_data.speedRangeMin, 4));
}
