#pragma once

#include "editor/ProductCatalogue.h"

#include "ui/PlacedDialog.h"

#include <QHash>
#include <QList>

namespace Ui {
class TProductForm;
}

// The product picker: a tile per product it is handed. A click on a tile closes the picker with that
// product's GUID as its result; the caller puts it into the cost row it opened the picker for.
class TProductForm : public PlacedDialog {
    Q_OBJECT

public:
    explicit TProductForm(QWidget* parent = nullptr);
    ~TProductForm() override;

    // Builds the tiles of the products the picker offers (frames "Ship" + GUID, tiles "GUID" + GUID).
    void FormCreate(const QList<Product>& products);

    // The GUID of the tile clicked at the last showing; empty when the picker was closed without a pick.
    QString pickedGuid() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FillProductGrid(const QString& prefix, const QList<Product>& products);
    // A click on ShipBox or a tile.
    void ShipBoxClick(const QObject* clickedControl);

    Ui::TProductForm* ui;
    QHash<const QObject*, QString> m_tileGuids; // tile → its product's GUID
    QString m_picked;
};
