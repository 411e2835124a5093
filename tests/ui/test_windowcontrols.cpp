// Controls of a window found by name: the same answer every time, also after the window's controls change
// between two lookups, and never a control of a dialog the window owns.
#include "data/Error.h"
#include "tests/support/DataRows.h"
#include "tests/support/WindowTestMain.h"
#include "ui/WindowControls.h"

#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QTest>

class TestWindowControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookupFollowsTheWindow_data();
    void lookupFollowsTheWindow();
    void dialogsControlsDoNotCount();
};

namespace {

// A window with a panel holding the labels "Dot0" and "Dot1", and a dialog it owns with its own "Dot0".
struct Window {
    QWidget root;
    QWidget* panel = new QWidget(&root);
    QLabel* dot0 = new QLabel(panel);
    QLabel* dot1 = new QLabel(panel);
    QDialog* dialog = new QDialog(&root);
    QLabel* dialogDot0 = new QLabel(dialog);
    Window() {
        panel->setObjectName(QStringLiteral("Panel"));
        dot0->setObjectName(QStringLiteral("Dot0"));
        dot1->setObjectName(QStringLiteral("Dot1"));
        dialog->setObjectName(QStringLiteral("Dialog"));
        dialogDot0->setObjectName(QStringLiteral("Dot0"));
    }
};

} // namespace

void TestWindowControls::lookupFollowsTheWindow_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("found"); // what "Dot0" finds afterwards: "first", "second", "added" or "none"
    AddRow("nothing changes", QStringLiteral("keep"), QStringLiteral("first"));
    AddRow("the control is deleted", QStringLiteral("delete"), QStringLiteral("none"));
    AddRow("renamed, another takes its name", QStringLiteral("swap"), QStringLiteral("second"));
    AddRow("the control moves into the dialog", QStringLiteral("toDialog"), QStringLiteral("none"));
    AddRow("deleted, a new one of that name comes", QStringLiteral("replace"), QStringLiteral("added"));
}

void TestWindowControls::lookupFollowsTheWindow() {
    QFETCH(QString, change);
    QFETCH(QString, found);
    Window window;
    const WindowControls controls(&window.root);
    QCOMPARE(controls.find(QStringLiteral("Dot0")), window.dot0);
    QCOMPARE(controls.find(QStringLiteral("Dot0")), window.dot0);

    QLabel* added = nullptr;
    if (change == "delete") {
        delete window.dot0;
    } else if (change == "swap") {
        window.dot0->setObjectName(QStringLiteral("Old"));
        window.dot1->setObjectName(QStringLiteral("Dot0"));
    } else if (change == "toDialog") {
        delete window.dialogDot0;
        window.dot0->setParent(window.dialog);
    } else if (change == "replace") {
        delete window.dot0;
        added = new QLabel(window.panel);
        added->setObjectName(QStringLiteral("Dot0"));
    }
    const QHash<QString, QWidget*> expected{
        {"first", window.dot0}, {"second", window.dot1}, {"added", added}, {"none", nullptr}};
    QCOMPARE(WindowControls(&window.root).find(QStringLiteral("Dot0")), expected.value(found));
}

void TestWindowControls::dialogsControlsDoNotCount() {
    Window window;
    QCOMPARE(WindowControls(&window.root).find(QStringLiteral("Dot0")), window.dot0);
    QCOMPARE(WindowControls(window.dialog).find(QStringLiteral("Dot0")), window.dialogDot0);
    QCOMPARE(WindowControls(window.panel).find(QStringLiteral("Dot0")), nullptr);
    QCOMPARE(WindowControls(&window.root).find(QStringLiteral("Dialog")), nullptr);
    QVERIFY_THROWS_EXCEPTION(SkylatheError, WindowControls(&window.root).label(QStringLiteral("Missing")));
    delete window.dot0;
    QCOMPARE(WindowControls(&window.root).find(QStringLiteral("Dot0")), nullptr);
}

SKYLATHE_WINDOW_TEST_MAIN(TestWindowControls)
#include "test_windowcontrols.moc"
