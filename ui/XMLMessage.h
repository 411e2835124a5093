#pragma once

#include <QDialog>

namespace Ui {
class TMessageForm;
}

// The program's own question dialog: borderless, a coloured header band, an icon, a message of any number
// of CR-separated lines and two buttons. It lays itself out around the message every time it is shown.
class TMessageForm : public QDialog {
    Q_OBJECT

public:
    explicit TMessageForm(QWidget* parent = nullptr);
    ~TMessageForm() override;

    // Shows the picture `iconName` (RemarkImage), the header (HeaderLabel), the message (MsgBoxLabel) and the
    // two buttons OKBtn and AbortBtn with their captions, and runs the dialog; true for the OK result.
    bool Ask(const QString& iconName, const QString& header, const QString& message, const QString& okCaption,
             const QString& abortCaption);

protected:
    void showEvent(QShowEvent* event) override;
    // Escape has no meaning of its own; Enter presses the focused button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Ui::TMessageForm* ui;
    void FormShow(); // the layout step
};
