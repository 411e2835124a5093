#pragma once

#include <QDialog>

namespace Ui {
class TInfoForm;
}

// The information window: the help page of the data folder, closed only by its "OK" button.
class TInfoForm : public QDialog {
    Q_OBJECT

public:
    explicit TInfoForm(QWidget* parent = nullptr);
    ~TInfoForm() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Without a close box Escape does not close either; only "OK" does.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Ui::TInfoForm* ui;
    void FormShow();
    void OKBtnClick();
};
