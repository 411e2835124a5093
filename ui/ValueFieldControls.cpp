#include "ui/ValueFieldControls.h"

#include "data/ValueFields.h"
#include "ui/WindowControls.h"

#include "app/ImageCollection.h"

#include <QLabel>

void SetUpValueBoxes(QWidget* window) {
    const WindowControls c(window);
    for (const ValueField& field : ValueFields()) {
        ValueBox* box = c.box(field.box);
        box->setMinimum(field.minimum);
        box->setMaximum(field.maximum);
        box->setSmallStep(field.smallStep);
        box->setLargeStep(field.largeStep);
        box->setDecimals(field.decimals);
        box->setMaxLength(field.maxLength);
        box->setAutoRepeat(field.autoRepeat);
    }
}

void ShowArmedOnlyPanels(QWidget* window, bool armed) {
    const WindowControls c(window);
    for (const ValueField& field : ValueFields()) {
        if (field.armedOnly) {
            c.widget(field.panel)->setVisible(armed);
        }
    }
}

void ShowPanelPictures(QWidget* window) {
    static const struct {
        const char* box;
        const char* picture;
    } pictures[] = {
        {"ForwardSpeed", "PanelSpeed"},
        {"CargoFullFactor", "PanelCargoFactor"},
        {"SessionTransferSpeedFactor", "PanelSessionFactor"},
        {"TradeShipPoints", "PanelTradePoints"},
        {"AirShipPoints", "PanelAirFleetPoints"},
        {"ShipMaintenance", "PanelMaintenance"},
        {"CraftingTime", "PanelCraftingTime"},
        {"SlotCount", "PanelSlots"},
        {"SocketCount", "PanelSockets"},
        {"StackLimit", "PanelStackLimit"},
        {"InfluenceCostPoints", "PanelInfluence"},
        {"WeaponMaxHitpoints", "PanelHitPoints"},
        {"BombarderShafts", "PanelShafts"},
        {"WeaponReloadTime", "PanelReload"},
        {"WeaponBaseDamage", "PanelDamage"},
        {"MilitaryAirShipPoints", "PanelMilitary"},
    };
    const WindowControls c(window);
    for (const auto& entry : pictures) {
        const QString box = QString::fromLatin1(entry.box);
        auto* icon = qobject_cast<QLabel*>(c.find(box + QStringLiteral("Icon")));
        if (!icon) {
            // A window whose panels came without icons gets them at the panels' common place.
            QWidget* panel = c.find(FindValueField(box)->panel);
            if (!panel)
                continue;
            icon = new QLabel(panel);
            icon->setObjectName(box + QStringLiteral("Icon"));
            icon->setGeometry(2, 3, 36, 36);
        }
        icon->setPixmap(PixmapFromCollection(QString::fromLatin1(entry.picture), 36, 36));
    }
}
