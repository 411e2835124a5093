#pragma once

#include "editor/ProductCatalogue.h"

#include <QDialog>
#include <QList>
#include <QPoint>
#include <optional>

namespace Ui {
class TProductForm;
}

// The product picker: a tile per product it is handed. A click on a tile closes the picker with that
// product's GUID as its result; the caller puts it into the cost row it opened the picker for.
class TProductForm : public QDialog {
    Q_OBJECT

public:
    explicit TProductForm(QWidget* parent = nullptr);
    ~TProductForm() override;

    // Builds the tiles of the products the picker offers (frames "Ship" + GUID, tiles "GUID" + GUID).
    void FormCreate(const QList<Product>& products);

    // The GUID of the tile clicked at the last showing; empty when the picker was closed without a pick.
    QString pickedGuid() const;

    // Places the window's outer frame at `topLeft` for its next showing.
    void placeAt(const QPoint& topLeft);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FillProductGrid(const QString& prefix, const QList<Product>& products);
    // A click on ShipBox or a tile; `clickedControl` is the object name of the control clicked.
    void ShipBoxClick(const QString& clickedControl);

    Ui::TProductForm* ui;
    std::optional<QPoint> m_place;
    QString m_picked;
};
