#include "editor/ProductFormUnit.h"

#include "app/ImageCollection.h"
#include "ui_ProductFormUnit.h"

#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int kClientWidth = 330;
constexpr int kClientHeight = 361;
constexpr int kBottomMargin = 8;
} // namespace

TProductForm::TProductForm(QWidget* parent) : PlacedDialog(parent), ui(new Ui::TProductForm) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);
    ui->ShipBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->ShipBox->viewport()->installEventFilter(this);
    ui->ShipBoxContents->installEventFilter(this);
}

TProductForm::~TProductForm() {
    delete ui;
}

void TProductForm::FormCreate(const QList<Product>& products) {
    FillProductGrid(QStringLiteral("Ship"), products);
}

void TProductForm::FillProductGrid(const QString& prefix, const QList<Product>& products) {
    QWidget* box = ui->ShipBoxContents;
    int x = 12;
    int y = 14;
    int bottom = 0;
    for (const Product& product : products) {
        auto* frame = new QLabel(box);
        frame->setObjectName(prefix + product.guid);
        frame->setPixmap(PixmapFromCollection(QStringLiteral("ProductShape"), 60, 60));
        frame->setGeometry(x, y, 60, 60);

        auto* tile = new QLabel(box);
        tile->setObjectName(QStringLiteral("GUID") + product.guid);
        tile->setToolTip(product.name);
        tile->setPixmap(PixmapFromCollection(product.icon, 58, 58));
        tile->setGeometry(x + 2, y + 2, 56, 56);
        tile->installEventFilter(this);
        m_tileGuids.insert(tile, product.guid);
        bottom = y + 60;

        x += 76;
        if (x > 304) {
            x = 12;
            y += 77;
        }
    }
    // The tiles' area is the scroll box's viewport without scroll bars: four lines of a catalogue of sixteen
    // fit without a scroll bar; a longer catalogue grows downwards and scrolls.
    const QSize inside = ui->ShipBox->maximumViewportSize();
    box->resize(inside.width(), qMax(inside.height(), bottom + kBottomMargin));
    ui->ScrollBoxes->setEnabled(true);
    ui->ShipBox->setEnabled(true);
}

QString TProductForm::pickedGuid() const {
    return m_picked;
}

void TProductForm::showEvent(QShowEvent* event) {
    PlacedDialog::showEvent(event);
    FormShow();
}

void TProductForm::FormShow() {
    m_picked.clear();
    ui->ShipBox->setVisible(true);
}

bool TProductForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint())) {
            // A click on the scroll area's viewport counts as a click on ShipBox itself.
            ShipBoxClick(widget == ui->ShipBox->viewport() ? ui->ShipBox : widget);
            return true;
        }
    }
    return PlacedDialog::eventFilter(watched, event);
}

void TProductForm::ShipBoxClick(const QObject* clickedControl) {
    const auto tile = m_tileGuids.constFind(clickedControl);
    if (tile == m_tileGuids.constEnd()) {
        return;
    }
    m_picked = tile.value();
    accept();
}
