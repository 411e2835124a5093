// The main window's ship editor handlers (placeholders until the editor lands).
#include "app/MainFormUnit.h"

bool TMainForm::FillShipList() { return true; }
int TMainForm::ShipViewCompare(const QString& pos1, const QString& pos2) const {
    return QString::compare(pos1, pos2, Qt::CaseInsensitive);
}
void TMainForm::HeliumGasImageClick() {}
void TMainForm::ArcticGasImageClick() {}
void TMainForm::ShipViewClick() {}
bool TMainForm::LoadShipDetails() { return true; }
void TMainForm::LoadShipValues(const QString&) {}
void TMainForm::LoadCostRows() {}
bool TMainForm::MarkChangedValues() { return true; }
void TMainForm::UNIClick() {}
void TMainForm::ShipNameEditChange() {}
void TMainForm::ForwardSpeedChangeValue() {}
void TMainForm::ChangeCostClick() {}
bool TMainForm::SaveCurrentShip() { return true; }
void TMainForm::SaveBtnClick() {}
void TMainForm::SingleResetImageClick() {}
bool TMainForm::ResetCurrentShip() { return true; }
void TMainForm::FullResetImageClick() {}
bool TMainForm::ResetAllShips() { return true; }
void TMainForm::ShowOrgDataFormClick() {}
void TMainForm::connectEditorHandlers() {}
