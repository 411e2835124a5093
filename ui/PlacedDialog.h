#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>

// A dialog its caller places: placeAt puts the outer frame's top-left corner at a point for the next
// showing.
class PlacedDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

    void placeAt(const QPoint& topLeft);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::optional<QPoint> m_place;
};
