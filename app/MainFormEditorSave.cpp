// The main window's saving, resets and the original-values window.
#include "app/Forms.h"
#include "app/ImageCollection.h"
#include "app/MainFormUnit.h"
#include "app/ProgramGeneration.h"
#include "data/DataFiles.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "data/ModFolders.h"
#include "data/ValueFields.h"
#include "editor/ProductFormUnit.h"
#include "editor/ShipReset.h"
#include "editor/ShipSave.h"
#include "editor/XMLInfoOrg.h"
#include "ui/WindowControls.h"
#include "ui/XMLMessage.h"
#include "ui_MainFormUnit.h"

#include <QApplication>
#include <QDir>
#include <algorithm>

namespace {

ShipEdits collectEdits(QWidget* form, const Ui::TMainForm* ui, const CostRowTable& costRows) {
    WindowControls c(form);
    ShipEdits edits;
    edits.name = ui->ShipNameEdit->text();
    edits.description = ui->ShipInfoMemo->toPlainText();
    for (int i = 0; i < 7; ++i) {
        edits.costs[i] = {costRows[i].guid->text(), costRows[i].amount->text()};
    }
    edits.influenceCostPoints = ui->InfluenceCostPoints->text();
    for (const ValueField& field : ValueFields()) {
        edits.values.insert(field.box, c.box(field.box)->text());
    }
    return edits;
}

// The hourglass for a longer action, restored however the action ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

bool TMainForm::SaveCurrentShip() {
    if (CurrentShipGUID.isEmpty()) {
        throw SkylatheError(QStringLiteral("Es ist kein Luftschiff geladen; es gibt nichts zu speichern."));
    }
    const QString folder = AppFolders().DataFolder;
    SaveShip(folder, CurrentShipGUID, collectEdits(this, ui, m_costRows));
    ValuesChanged = false;
    CostsChanged = false;

    WorkingAssetDocument = XmlDocument::load(folder + DataFile::Working);
    ShipIndexDocument = XmlDocument::load(folder + DataFile::ShipIndex);
    RefillShipListKeepingLine();

    const QString modFolder = AppFolders().ModFolder;
    if (!modFolder.isEmpty() && QDir(modFolder + kModName).exists()) {
        CreateModification();
    }
    return true;
}

void TMainForm::SaveBtnClick() {
    SaveCurrentShip();
    ValuesChanged = false;
}

void TMainForm::SingleResetImageClick() {
    const QString message =
        ui->ShipNameEdit->text() + QStringLiteral("\r\r") +
        QStringLiteral("Alle Werte für dieses Luftschiff auf die Standardwerte zurücksetzen?\r") +
        QStringLiteral("Die entsprechende Modifikation wird komplett neu erzeugt.\r");
    if (!MessageForm->Ask(CurrentShipIcon, QStringLiteral("Sicherheitsabfrage"), message,
                          QStringLiteral("Ja"), QStringLiteral("Nein"))) {
        return;
    }
    ResetCurrentShip();
    WaitCursor wait;
    SaveCurrentShip();
    CreateModification();
}

bool TMainForm::ResetCurrentShip() {
    if (CurrentShipGUID.isEmpty()) {
        throw SkylatheError(QStringLiteral("Es ist kein Luftschiff geladen; es gibt nichts zurückzusetzen."));
    }
    const QString folder = AppFolders().DataFolder;
    ResetShipRecord(folder, CurrentShipGUID);
    WorkingAssetDocument = XmlDocument::load(folder + DataFile::Working);
    OriginalAssetDocument = XmlDocument::load(folder + DataFile::Original);
    DrawGasPictures();
    RefillShipListKeepingLine();
    ValuesChanged = false;
    CostsChanged = false;
    return true;
}

void TMainForm::FullResetImageClick() {
    const QString message = QStringLiteral("Diese Aktion setzt alle Einstellungen aller\r") +
                            QStringLiteral("Luftschiffe auf die Standardwerte zurück.\r") +
                            QStringLiteral("Vorhandene Modifikationen werden entfernt\r");
    if (MessageForm->Ask(QStringLiteral("Frage"), QStringLiteral("Sicherheitsabfrage"), message,
                         QStringLiteral("  Zurücksetzen  "), QStringLiteral("Abbrechen"))) {
        ResetAllShips();
    }
}

bool TMainForm::ResetAllShips() {
    // The files first: when they cannot be reset, the window keeps showing what is on disk.
    ResetAllShipFiles(AppFolders().DataFolder, AppFolders().ModFolder);
    CurrentGasType = QStringLiteral("Heliumgas");
    DrawGasPictures();
    FillShipList();
    SelectShipLine(0);
    LoadShipDetails();
    ValuesChanged = false;
    CostsChanged = false;
    return true;
}

void TMainForm::ShowOrgDataFormClick() {
    if (ProductForm && ProductForm->isVisible()) {
        ProductForm->hide();
        ResetChangeCostArrows();
    }
    WindowControls(this).setPicture(ClickedImageName, QStringLiteral("GreenList"), 36);

    OriginalShipData original;
    original.values = OriginalValues;
    std::copy(std::begin(OriginalCosts), std::end(OriginalCosts), original.costs.begin());
    original.influenceCostPoints = OriginalInfluenceCostPoints;
    original.speedRangeMax = OriginalSpeedRangeMax;
    original.speedRangeMin = OriginalSpeedRangeMin;
    original.armed = CurrentShipArmed == QLatin1String("true");
    OrgDataForm->setOriginalData(original);

    const bool costs = ClickedImageName == QLatin1String("ImagePanelNameCost");
    OrgDataForm->showPanel(costs ? TOrgDataForm::Panel::Cost : TOrgDataForm::Panel::Detail);
    const QRect frame = frameGeometry();
    OrgDataForm->placeAt(QPoint(frame.left() + (costs ? 412 : 720), frame.top() + 55));
    OrgDataForm->exec();
}
