#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Runs `then` once, on the turn of the message loop after the window's first paint, so that what the first
// picture does not need does not delay it. Without a paint (a window started hidden) it runs after a
// second. Owned by the window.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> then);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();
    std::function<void()> m_then;
};
