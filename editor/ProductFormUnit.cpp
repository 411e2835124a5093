#include "editor/ProductFormUnit.h"

TProductForm::TProductForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Produktauswahl"));
}
