// Start-up in two steps: the main window is shown and painted first; the five dialogs follow on the next
// turn of the message loop.
#include "app/AfterFirstPaint.h"
#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "tests/support/AppFixture.h"

#include <QApplication>
#include <QtTest>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runsAfterTheFirstPaintOnce() {
        QWidget window;
        window.resize(200, 100);
        PaintCounter counter;
        window.installEventFilter(&counter);
        int runs = 0;
        int paintsBefore = -1;
        new AfterFirstPaint(&window, [&] {
            ++runs;
            paintsBefore = counter.paints;
        });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
        window.show();
        QTRY_COMPARE(runs, 1);
        QVERIFY(paintsBefore >= 1);
        window.repaint();
        QTest::qWait(1200);
        QCOMPARE(runs, 1);
    }

    void runsForAWindowNeverShown() {
        QWidget window;
        bool ran = false;
        new AfterFirstPaint(&window, [&] { ran = true; });
        QTRY_VERIFY(ran);
    }

    void dialogsFollowTheMainWindow() {
        AppFixture fixture;
        QVERIFY(CreateMainWindow());
        QVERIFY(MainForm != nullptr);
        QVERIFY(MessageForm == nullptr && ProductForm == nullptr && OrgDataForm == nullptr &&
                GasForm == nullptr && InfoForm == nullptr);
        MainForm->show();
        new AfterFirstPaint(MainForm, [] { CreateDialogWindows(); });
        QTRY_VERIFY(InfoForm != nullptr);
        QVERIFY(MessageForm != nullptr && ProductForm != nullptr && OrgDataForm != nullptr &&
                GasForm != nullptr);
        TInfoForm* const info = InfoForm;
        CreateDialogWindows();
        QCOMPARE(InfoForm, info);
        QCOMPARE(fixture.takeErrors(), QStringList());
        DestroyApplicationWindows();
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
