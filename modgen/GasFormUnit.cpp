#include "modgen/GasFormUnit.h"

TGasForm::TGasForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Gasproduktion"));
}
