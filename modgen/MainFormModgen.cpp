// The main window's mod generation handler (placeholder until the generator lands).
#include "app/MainFormUnit.h"

void TMainForm::CreateModBtnClick() {}
void TMainForm::AddGasBuffToMinesBtnClick() {}
void TMainForm::connectModgenHandlers() {}
