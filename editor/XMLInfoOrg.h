#pragma once

#include <QDialog>

namespace Ui {
class TOrgDataForm;
}

// The original-values window: the shown ship's values as shipped, beside the main window. It holds no
// state of its own; it is refilled from the main window's OriginalValues and OriginalCosts every time it
// becomes active, and nothing in it is read back.
class TOrgDataForm : public QDialog {
    Q_OBJECT

public:
    explicit TOrgDataForm(QWidget* parent = nullptr);
    ~TOrgDataForm() override;

    Ui::TOrgDataForm* ui;

    void FormActivate();
    void FillOriginalCosts();
    void FillOriginalValues();

protected:
    bool event(QEvent* event) override;
};
