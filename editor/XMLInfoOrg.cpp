#include "editor/XMLInfoOrg.h"

TOrgDataForm::TOrgDataForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Originaldaten"));
}
