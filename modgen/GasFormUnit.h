#pragma once

#include <QDialog>

// The dialog that switches extra helium production of five mines.
class TGasForm : public QDialog {
    Q_OBJECT

public:
    explicit TGasForm(QWidget* parent = nullptr);
};
