#include "ui/ShipListView.h"

#include <QStyledItemDelegate>

namespace {

class LineDelegate : public QStyledItemDelegate {
public:
    explicit LineDelegate(ShipListView* view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(m_view->lineHeight());
        return size;
    }

private:
    ShipListView* m_view;
};

} // namespace

ShipListView::ShipListView(QWidget* parent) : QTreeWidget(parent) {
    setItemDelegate(new LineDelegate(this));
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int ShipListView::lineHeight() const {
    return iconSize().height() + 1;
}
