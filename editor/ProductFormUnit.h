#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>

namespace Ui {
class TProductForm;
}

// The product picker: a tile per product of the catalogue. A click on a tile puts the product into the
// cost row whose change arrow opened the picker (the main window's ClickedImageName).
class TProductForm : public QDialog {
    Q_OBJECT

public:
    explicit TProductForm(QWidget* parent = nullptr);
    ~TProductForm() override;

    Ui::TProductForm* ui;

    void FormCreate();
    void FormShow();
    // Builds the tiles: frames prefix + GUID and tiles "GUID" + GUID on ShipBox.
    void FillProductGrid(const QString& prefix);
    // A click on ShipBox or a tile; `clickedControl` is the object name of the control clicked.
    void ShipBoxClick(const QString& clickedControl);
    void PickProduct(const QString& clickedImageName, const QString& clickedControl);
    void FormClose();

    // Closing by any way (a pick, the close box, Escape) resets the main window's change arrows.
    void done(int result) override;

    // Places the window's outer frame at `topLeft` for its next showing.
    void placeAt(const QPoint& topLeft);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<QPoint> m_place;
};
