#pragma once

#include <QObject>
#include <QSize>

#include <functional>

class QWidget;

// Follows the frame a window manager draws around a top-level window. The frame is known only some time
// after the window is shown (the manager reports it later, with the window's first move) and may change
// while the window lives; `onFrame` runs with the frame's size (outer minus client) each time the size
// differs from the one it last ran with, and whenever the window moves to another screen or the screen's
// free area changes. Between such changes a move or resize costs one comparison.
class FrameWatch : public QObject {
    Q_OBJECT

public:
    FrameWatch(QWidget* window, std::function<void(QSize frame)> onFrame);

    // The frame's size as the window system reports it now; empty while it reports none.
    static QSize frameSize(const QWidget* window);

    // Runs `onFrame` again at the next turn of the event loop, even when the frame is unchanged.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check();
    void watchScreen();
    void lookAgainLater();

    QWidget* m_window;
    std::function<void(QSize)> m_onFrame;
    QSize m_lastFrame{-1, -1};
    bool m_pending = false;
    bool m_screenWatched = false;
    int m_lookups = 0;
};
