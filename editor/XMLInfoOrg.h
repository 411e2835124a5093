#pragma once

#include <QDialog>

// The original-values window.
class TOrgDataForm : public QDialog {
    Q_OBJECT

public:
    explicit TOrgDataForm(QWidget* parent = nullptr);
};
