// The main window's handlers of mod generation and of the mine dialog.
#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "app/ProgramGeneration.h"
#include "modgen/GasFormUnit.h"
#include "ui/ErrorBoundary.h"
#include "ui_MainFormUnit.h"

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
    connect(ui->CreateModBtn, &QPushButton::clicked, this,
            [this] { ErrorBoundary::run([this] { CreateModBtnClick(); }); });
    connect(ui->AddGasBuffToMinesBtn, &QPushButton::clicked, this,
            [this] { ErrorBoundary::run([this] { AddGasBuffToMinesBtnClick(); }); });
}
