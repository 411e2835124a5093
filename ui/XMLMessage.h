#pragma once

#include <QDialog>

namespace Ui {
class TMessageForm;
}

// The program's own question dialog: borderless, a coloured header band, an icon, a message of any number
// of CR-separated lines and two buttons. It lays itself out around the message every time it is shown.
// Use: set the picture of RemarkImage, the texts of MsgBoxLabel and HeaderLabel, make OKBtn and AbortBtn
// visible with their captions, then exec(): QDialog::Accepted is the OK result, QDialog::Rejected Cancel.
class TMessageForm : public QDialog {
    Q_OBJECT

public:
    explicit TMessageForm(QWidget* parent = nullptr);
    ~TMessageForm() override;

    Ui::TMessageForm* ui;

    // Convenience for the callers: fills the dialog as described and runs it; true for the OK result.
    bool Ask(const QString& iconName, const QString& header, const QString& message, const QString& okCaption,
             const QString& abortCaption);

protected:
    void showEvent(QShowEvent* event) override;
    // Escape has no meaning of its own; Enter presses the focused button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow(); // the layout step
};
