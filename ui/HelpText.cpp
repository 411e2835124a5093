#include "ui/HelpText.h"

#include "app/MainFormUnit.h"
#include "ui_MainFormUnit.h"

#include <QLabel>

QHash<QString, int> MainFormHelpIds() {
    QHash<QString, int> ids = {
        {QStringLiteral("Background"), 0},
        {QStringLiteral("centralwidget"), 0},
        {QStringLiteral("ArcticGasImage"), 100},
        {QStringLiteral("HeliumGasImage"), 101},
        {QStringLiteral("ShipView"), 102},
        {QStringLiteral("ShipNameEdit"), 103},
        {QStringLiteral("ShipInfoMemo"), 104},
        {QStringLiteral("ImagePanelNameCost"), 105},
        {QStringLiteral("ImagePanelNameDetail"), 106},
        {QStringLiteral("SaveBtn"), 107},
        {QStringLiteral("CreateModBtn"), 108},
        {QStringLiteral("InfluenceCostPointsPanel"), 208},
        {QStringLiteral("CraftingTimePanel"), 209},
        {QStringLiteral("SlotCountPanel"), 210},
        {QStringLiteral("SocketCountPanel"), 211},
        {QStringLiteral("StacklimitPanel"), 212},
        {QStringLiteral("ForwardSpeedPanel"), 213},
        {QStringLiteral("CargoFullFactorPanel"), 214},
        {QStringLiteral("SessionTransferSpeedFactorPanel"), 215},
        {QStringLiteral("TradeShipPointsPanel"), 216},
        {QStringLiteral("Panel1"), 217},
        {QStringLiteral("ShipMaintenancePanel"), 218},
        {QStringLiteral("BombarderPanel"), 219},
        {QStringLiteral("WeaponMaxHitPointsPanel"), 220},
        {QStringLiteral("WeaponReloadTimePanel"), 221},
        {QStringLiteral("WeaponBaseDamagePanel"), 222},
        {QStringLiteral("MilitaryShipPointsPanel"), 223},
        {QStringLiteral("FullResetImage"), 224},
        {QStringLiteral("SingleResetImage"), 225},
        {QStringLiteral("YardImage"), 226},
        {QStringLiteral("AddGasBuffToMinesBtn"), 227},
    };
    for (const char* box : {"ForwardSpeed", "CargoFullFactor", "SessionTransferSpeedFactor",
                            "TradeShipPoints", "ShipMaintenance", "CraftingTime", "AirShipPoints"})
        ids.insert(QString::fromLatin1(box), 207);
    for (int row = 0; row < 7; ++row) {
        ids.insert(QStringLiteral("CostPanel%1").arg(row), 205);
        ids.insert(QStringLiteral("ChangeCostImage%1").arg(row), 206);
    }
    return ids;
}

bool TMainForm::ShowHelpText(const QString& id) {
    const QString record = QStringLiteral("//Text[GUID=\"%1\"]/").arg(id);
    if (HelpDocument.selectSingle(record + QStringLiteral("Text1")).isNull())
        return true;
    ui->HelpHeaderLabel->setText(HelpDocument.selectSingle(record + QStringLiteral("Header")).text());
    const QString text1 = HelpDocument.selectSingle(record + QStringLiteral("Text1")).text();
    const QString text2 = HelpDocument.selectSingle(record + QStringLiteral("Text2")).text();
    const QString text3 = HelpDocument.selectSingle(record + QStringLiteral("Text3")).text();
    ui->HelpLabel->setText(text1 + QLatin1Char('\n') + text2 + QLatin1Char('\n') + text3);
    return true;
}

QWidget* TMainForm::namedControl(QWidget* widget) const {
    while (widget && widget != ui->centralwidget &&
           (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))))
        widget = widget->parentWidget();
    return widget;
}

void TMainForm::trackMouseMoves(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    for (QObject* child : widget->children()) {
        if (auto* childWidget = qobject_cast<QWidget*>(child))
            trackMouseMoves(childWidget);
    }
}

bool TMainForm::handleMouseMove(QWidget* watched, const QPointF& position) {
    QWidget* central = ui->centralwidget;
    if (watched != central && !central->isAncestorOf(watched))
        return false;
    // A move that a child left unhandled travels on to its parents; only the control under the mouse
    // decides, so an icon inside a panel does not show the panel's help.
    const QPoint inCentral = watched->mapTo(central, position.toPoint());
    QWidget* under = central->childAt(inCentral);
    if (!under)
        under = central;
    if (under != watched)
        return false;
    QWidget* control = namedControl(under);
    if (!control)
        return false;
    const auto found = m_helpIds.constFind(control->objectName());
    if (found == m_helpIds.constEnd())
        return false;
    ShowHelpText(QString::number(found.value()));
    return true;
}
