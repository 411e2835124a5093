// Starts the program on the display it is given (a real X server with a window manager) and reports the
// outer sizes the window manager gave its windows, one "name key=value …" line each on stdout. With a
// folder argument it also saves a picture of the whole screen after each window has settled.
#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "tests/support/AppFixture.h"
#include "ui/ErrorBoundary.h"
#include "ui/InfoUnit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <cstdio>

namespace {

// The window's outer rectangle as the window system knows it now.
QRect outer(const QWidget* window) {
    return window->windowHandle()->frameGeometry();
}

// The window manager reports its frame some time after a window is shown, and the window then corrects
// its client area; settled is a frame that is known and has stayed the same for a while.
bool waitUntilSettled(QWidget* window) {
    QElapsedTimer total;
    total.start();
    QElapsedTimer still;
    QRect last;
    while (total.elapsed() < 10000) {
        QTest::qWait(20);
        const QRect frame = outer(window);
        if (frame != last || frame.size() == window->geometry().size()) {
            last = frame;
            still.restart();
        } else if (still.elapsed() > 400) {
            return true;
        }
    }
    return false;
}

QString sizeText(QSize size) {
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

void report(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void shoot(const QString& folder, const QString& name) {
    if (!folder.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + name + ".png");
}

} // namespace

int main(int argc, char** argv) {
    SkylatheApplication app(argc, argv);
    const QString shots = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    AppFixture fixture;
    if (!fixture.start()) {
        report(QStringLiteral("error start"));
        return 1;
    }
    const QRect area = MainForm->screen()->availableGeometry();
    const bool mainSettled = waitUntilSettled(MainForm);
    auto* scroll = MainForm->findChild<QScrollArea*>(QStringLiteral("ScreenScrollArea"));
    auto* closeBtn = MainForm->findChild<QPushButton*>(QStringLiteral("CloseBtn"));
    QString scrolled = QStringLiteral("none");
    if (scroll) {
        // The last button of the layout can be brought into view.
        scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        QTest::qWait(50);
        const QRect button(closeBtn->mapTo(MainForm, QPoint(0, 0)), closeBtn->size());
        scrolled = MainForm->rect().contains(button) ? QStringLiteral("reaches-close")
                                                     : QStringLiteral("misses-close");
    }
    report(
        QStringLiteral("main settled=%1 outer=%2 frame=%3 client=%4 layout=%5 avail=%6 inside=%7 scroll=%8")
            .arg(mainSettled)
            .arg(sizeText(outer(MainForm).size()), sizeText(outer(MainForm).size() - MainForm->size()),
                 sizeText(MainForm->size()),
                 sizeText(MainForm->findChild<QWidget*>(QStringLiteral("centralwidget"))->size()),
                 sizeText(area.size()))
            .arg(area.contains(outer(MainForm)))
            .arg(scrolled));
    shoot(shots, QStringLiteral("main"));

    InfoForm->show();
    const bool infoSettled = waitUntilSettled(InfoForm);
    report(QStringLiteral("info settled=%1 outer=%2").arg(infoSettled).arg(sizeText(outer(InfoForm).size())));
    shoot(shots, QStringLiteral("info"));
    InfoForm->hide();
    const QStringList errors = fixture.takeErrors();
    report(QStringLiteral("errors %1").arg(errors.size()));
    return 0;
}
