#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>

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

    // Places the window's outer frame at `topLeft` for its next showing.
    void placeAt(const QPoint& topLeft);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::optional<QPoint> m_place;
};
