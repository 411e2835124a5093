#include "tests/support/WindowTestMain.h"
#include "ui/HoverHelp.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// The hover help as a component: a root widget, an id table and a help document.
class TestHoverHelp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void helpTextRules();
    void hoverShowsTheControlsRecord();
};

namespace {

const char* const kHelp =
    "<Texts><Text><GUID>1</GUID><Header>Kopf</Header><Text1>Eins</Text1><Text3>Drei</Text3></Text>"
    "<Text><GUID>2</GUID><Header>Ohne</Header><Text2>Zwei</Text2></Text>"
    "<Text><GUID>3</GUID><Text1>Nur</Text1></Text></Texts>";

// A window with the help panel's two labels and two buttons, one of them with hover help.
struct HelpWindow {
    QWidget root;
    QLabel* header = new QLabel(&root);
    QLabel* text = new QLabel(&root);
    QPushButton* withHelp = new QPushButton(QStringLiteral("Hilfe"), &root);
    QPushButton* withoutHelp = new QPushButton(QStringLiteral("Keine"), &root);
    HoverHelp* help = nullptr;

    HelpWindow() {
        root.resize(400, 200);
        header->setObjectName(QStringLiteral("HelpHeaderLabel"));
        header->setGeometry(10, 150, 200, 20);
        text->setObjectName(QStringLiteral("HelpLabel"));
        text->setGeometry(10, 170, 200, 20);
        withHelp->setObjectName(QStringLiteral("SaveBtn"));
        withHelp->setGeometry(10, 10, 100, 30);
        withoutHelp->setObjectName(QStringLiteral("CloseBtn"));
        withoutHelp->setGeometry(10, 60, 100, 30);
        help = new HoverHelp(&root, {{QStringLiteral("SaveBtn"), 1}}, header, text);
        help->setHelpDocument(XmlDocument::parse(QString::fromUtf8(kHelp)));
    }
};

} // namespace

void TestHoverHelp::helpTextRules() {
    HelpWindow window;
    QLabel* header = window.header;
    QLabel* text = window.text;
    HoverHelp* help = window.help;
    help->ShowHelpText(QStringLiteral("1"));
    QCOMPARE(header->text(), QStringLiteral("Kopf"));
    QCOMPARE(text->text(), QStringLiteral("Eins\n\nDrei"));
    help->ShowHelpText(QStringLiteral("2"));  // no Text1: unchanged
    help->ShowHelpText(QStringLiteral("99")); // no record: unchanged
    QCOMPARE(header->text(), QStringLiteral("Kopf"));
    help->ShowHelpText(QStringLiteral("3")); // no header: empty
    QCOMPARE(header->text(), QString());
    QCOMPARE(text->text(), QStringLiteral("Nur\n\n"));
    help->setHelpDocument(XmlDocument());
    help->ShowHelpText(QStringLiteral("1"));
    QCOMPARE(text->text(), QStringLiteral("Nur\n\n"));
}

void TestHoverHelp::hoverShowsTheControlsRecord() {
    HelpWindow window;
    window.root.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.root));
    QTest::mouseMove(window.withoutHelp, window.withoutHelp->rect().center());
    QCOMPARE(window.header->text(), QString());
    QTest::mouseMove(window.withHelp, window.withHelp->rect().center());
    QCOMPARE(window.header->text(), QStringLiteral("Kopf"));
    QCOMPARE(window.text->text(), QStringLiteral("Eins\n\nDrei"));
    QCOMPARE(window.header->textFormat(), Qt::PlainText);
    QCOMPARE(window.text->textFormat(), Qt::PlainText);
}

SKYLATHE_WINDOW_TEST_MAIN(TestHoverHelp)
#include "test_hoverhelp.moc"
