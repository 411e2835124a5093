#include "ui/FrameWatch.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

FrameWatch::FrameWatch(QWidget* window, std::function<void(QSize)> onFrame)
    : QObject(window), m_window(window), m_onFrame(std::move(onFrame)) {
    m_window->installEventFilter(this);
}

QSize FrameWatch::frameSize(const QWidget* window) {
    // The window system's own answer: the widget's copy is updated only by the next move or resize.
    if (const QWindow* handle = window->windowHandle()) {
        const QMargins margins = handle->frameMargins();
        return QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    }
    return QSize(0, 0);
}

void FrameWatch::refresh() {
    m_lastFrame = QSize(-1, -1);
    if (m_pending)
        return;
    m_pending = true;
    // After the event that told of the change: the window's own handling of it comes first.
    QTimer::singleShot(0, this, [this] {
        m_pending = false;
        check();
    });
}

bool FrameWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            watchScreen();
            refresh();
            m_lookups = 0;
            lookAgainLater();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            if (m_window->isVisible() && !m_pending && frameSize(m_window) != m_lastFrame) {
                m_pending = true;
                QTimer::singleShot(0, this, [this] {
                    m_pending = false;
                    check();
                });
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FrameWatch::check() {
    if (!m_window->isVisible())
        return;
    const QSize frame = frameSize(m_window);
    if (frame == m_lastFrame)
        return;
    m_lastFrame = frame;
    m_onFrame(frame);
}

// The manager tells its frame by a window property, which reaches no widget as an event: until a frame is
// known, look again a few times with growing pauses (about six seconds in all), then only on events.
void FrameWatch::lookAgainLater() {
    if (m_lookups >= 7)
        return;
    QTimer::singleShot(50 << m_lookups++, this, [this] {
        if (!m_window->isVisible())
            return;
        check();
        if (frameSize(m_window).isEmpty())
            lookAgainLater();
    });
}

void FrameWatch::watchScreen() {
    QWindow* handle = m_window->windowHandle();
    if (m_screenWatched || !handle)
        return;
    m_screenWatched = true;
    const auto follow = [this](QScreen* screen) {
        if (screen)
            connect(screen, &QScreen::availableGeometryChanged, this, &FrameWatch::refresh,
                    Qt::UniqueConnection);
        refresh();
    };
    connect(handle, &QWindow::screenChanged, this, follow);
    if (QScreen* screen = handle->screen())
        connect(screen, &QScreen::availableGeometryChanged, this, &FrameWatch::refresh, Qt::UniqueConnection);
}
