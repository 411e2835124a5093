#include "ui/PictureLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace {

// Assistive technology sees the picture as the button it is, with the press action.
class AccessiblePicture : public QAccessibleWidget {
public:
    explicit AccessiblePicture(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}

    QStringList actionNames() const override {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && widget()->isEnabled())
            Q_EMIT static_cast<PictureLabel*>(widget())->activated();
    }
};

QAccessibleInterface* accessiblePictureFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("PictureLabel") && object && object->isWidgetType())
        return new AccessiblePicture(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

PictureLabel::PictureLabel(QWidget* parent) : QLabel(parent) {
    static const bool registered = [] {
        QAccessible::installFactory(accessiblePictureFactory);
        return true;
    }();
    Q_UNUSED(registered);
    setFocusPolicy(Qt::TabFocus);
}

QColor PictureLabel::focusFrameColor() {
    return QColor(128, 0, 0);
}

void PictureLabel::paintEvent(QPaintEvent* event) {
    const QPixmap picture = pixmap();
    if (isEnabled() || picture.isNull()) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        const QRect area = contentsRect();
        if (hasScaledContents())
            painter.drawPixmap(area, picture);
        else
            style()->drawItemPixmap(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                                    picture);
    }
    if (hasFocus()) {
        QPainter painter(this);
        QPen pen(focusFrameColor(), 2, Qt::DashLine);
        painter.setPen(pen);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void PictureLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat() && isEnabled())
            Q_EMIT activated();
        return;
    }
    QLabel::keyPressEvent(event);
}
