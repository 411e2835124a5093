// The main window's handlers of mod generation and of the mine dialog.
#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "app/ProgramGeneration.h"
#include "modgen/GasFormUnit.h"

#include <QPushButton>

void TMainForm::CreateModBtnClick() {
    SaveCurrentShip();
    CreateModification();
}

void TMainForm::AddGasBuffToMinesBtnClick() {
    if (GasForm) {
        GasForm->exec();
    }
}

void TMainForm::connectModgenHandlers() {
    if (auto* button = findChild<QPushButton*>(QStringLiteral("CreateModBtn"))) {
        connect(button, &QPushButton::clicked, this, &TMainForm::CreateModBtnClick);
    }
    if (auto* button = findChild<QPushButton*>(QStringLiteral("AddGasBuffToMinesBtn"))) {
        connect(button, &QPushButton::clicked, this, &TMainForm::AddGasBuffToMinesBtnClick);
    }
}
