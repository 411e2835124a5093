#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

AfterFirstPaint::AfterFirstPaint(QWidget* window, std::function<void()> then)
    : QObject(window), m_then(std::move(then)) {
    window->installEventFilter(this);
    QTimer::singleShot(1000, this, [this] { run(); });
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { run(); });
    }
    return false;
}

void AfterFirstPaint::run() {
    if (m_then) {
        const std::function<void()> then = std::move(m_then);
        m_then = nullptr;
        then();
    }
}
