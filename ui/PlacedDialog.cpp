#include "ui/PlacedDialog.h"

void PlacedDialog::placeAt(const QPoint& topLeft) {
    m_place = topLeft;
    move(topLeft);
}

void PlacedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The frame's size is known only once the window is shown; placing it again keeps the frame's corner.
    if (m_place) {
        move(*m_place);
    }
}
