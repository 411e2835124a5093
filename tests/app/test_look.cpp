#include "app/DisplayFont.h"
#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "editor/ProductFormUnit.h"
#include "modgen/GasFormUnit.h"
#include "tests/support/AppFixture.h"
#include "tests/support/DataRows.h"
#include "tests/support/WindowTestMain.h"
#include "ui/InfoUnit.h"
#include "ui/XMLMessage.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <functional>

namespace {

// Relative luminance and contrast ratio as WCAG 2 defines them.
double luminance(QRgb rgb) {
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of the text drawn in `area` of a grabbed picture: its most frequent colour is the background,
// the colour farthest from it the core of the letters.
double textContrast(const QImage& picture, const QRect& area) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) & 0xffffff];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(it.key(), background));
    return best;
}

// The rectangle of `widget` in the coordinates of its window's grab, shrunk by `inset`.
QRect inWindow(const QWidget* widget, int inset = 0) {
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size())
        .adjusted(inset, inset, -inset, -inset);
}

// What qt6ct's "darker" scheme with Fusion gives every program that does not bring its own colours.
QPalette darkSystemPalette() {
    QPalette dark;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        dark.setColor(group, QPalette::Window, QColor(48, 48, 48));
        dark.setColor(group, QPalette::WindowText, QColor(255, 255, 255));
        dark.setColor(group, QPalette::Base, QColor(36, 36, 36));
        dark.setColor(group, QPalette::AlternateBase, QColor(56, 56, 56));
        dark.setColor(group, QPalette::Text, QColor(255, 255, 255));
        dark.setColor(group, QPalette::Button, QColor(58, 58, 58));
        dark.setColor(group, QPalette::ButtonText, QColor(255, 255, 255));
        dark.setColor(group, QPalette::Highlight, QColor(110, 110, 110));
        dark.setColor(group, QPalette::HighlightedText, QColor(255, 255, 255));
        dark.setColor(group, QPalette::Light, QColor(90, 90, 90));
        dark.setColor(group, QPalette::Dark, QColor(20, 20, 20));
        dark.setColor(group, QPalette::ToolTipBase, QColor(30, 30, 30));
        dark.setColor(group, QPalette::ToolTipText, QColor(255, 255, 255));
    }
    return dark;
}

// Runs `action` as soon as `dialog` is the open modal window (a modal loop is running then).
void whenOpen(QWidget* dialog, std::function<void()> action) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, dialog, action] {
        if (QApplication::activeModalWidget() != dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

template <typename T = QWidget> T* child(QWidget* window, const char* name) {
    return window->findChild<T*>(QLatin1String(name));
}

} // namespace

class TestLook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void displayFontAnswersToTheDesignedFamily();
    void labelsDrawInTheDisplayFont_data();
    void labelsDrawInTheDisplayFont();
    void gameNoticeFitsItsLabel();
    void helpPanelHoldsAnyText();
    void darkSystemTheme();
};

void TestLook::cleanup() {
    QApplication::setPalette(QApplication::style()->standardPalette());
}

void TestLook::displayFontAnswersToTheDesignedFamily() {
    AppFixture app;
    QVERIFY(app.start());
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Heuristica"), 10)).family(), DisplayFontFamily());
    QCOMPARE(QFontInfo(MainForm->font()).family(), DisplayFontFamily());
    // The mine dialog names the family in its design.
    QCOMPARE(QFontInfo(child<QLabel>(GasForm, "CoalMineLabel")->font()).family(), DisplayFontFamily());
    // The help page names it in its style sheet.
    auto* browser = child<QTextBrowser>(InfoForm, "browser");
    whenOpen(InfoForm, [] { child<QPushButton>(InfoForm, "OKBtn")->click(); });
    AppFixture::click(QStringLiteral("HelpImage"));
    QVERIFY(browser->document()
                ->find(QStringLiteral("Baurohstoff"))
                .charFormat()
                .fontFamilies()
                .toStringList()
                .contains(QStringLiteral("Heuristica")));
    const QFont pageFont = browser->document()->find(QStringLiteral("Baurohstoff")).charFormat().font();
    QCOMPARE(QFontInfo(pageFont).family(), DisplayFontFamily());
    // The page tells where a product is swapped: the arrow at the end of the cost row.
    const QString page = browser->toPlainText().simplified();
    QVERIFY(page.contains(QStringLiteral("über den Pfeil am Ende der Kostenzeile")));
    QVERIFY(!page.contains(QStringLiteral("Bild am Anfang")));
}

void TestLook::labelsDrawInTheDisplayFont_data() {
    AddColumns<QString, QString>("window", "name");
    AddRow("HelpHeaderLabel", "main", "HelpHeaderLabel");
    AddRow("HelpLabel", "main", "HelpLabel");
    AddRow("VelmoraLabel", "main", "VelmoraLabel");
    AddRow("CoalMineLabel", "gas", "CoalMineLabel");
    AddRow("HeadingLabel", "gas", "HeadingLabel");
}

// A label draws exactly what a label of the same place and colours draws in the display font, and not what
// it draws in the system's sans font.
void TestLook::labelsDrawInTheDisplayFont() {
    QFETCH(QString, window);
    QFETCH(QString, name);
    AppFixture app;
    QVERIFY(app.start());
    QWidget* owner = window == QLatin1String("main") ? static_cast<QWidget*>(MainForm) : GasForm;
    auto* label = owner->findChild<QLabel*>(name);
    QVERIFY(label);
    label->setText(QStringLiteral("Schiffsgeschwindigkeit Äquator"));
    label->setVisible(true);
    const QImage shown = label->grab().toImage();

    // The reference stands where the label stands, so both draw on the same window.
    const auto drawnWith = [&](const QString& family) {
        QLabel reference(label->parentWidget());
        reference.setGeometry(label->geometry());
        reference.setText(label->text());
        reference.setAlignment(label->alignment());
        reference.setWordWrap(label->wordWrap());
        reference.setMargin(label->margin());
        reference.setIndent(label->indent());
        reference.setAutoFillBackground(label->autoFillBackground());
        reference.setPalette(label->palette());
        QFont font = label->font();
        font.setFamily(family);
        reference.setFont(font);
        reference.show();
        return reference.grab().toImage();
    };
    QCOMPARE(shown, drawnWith(DisplayFontFamily()));
    QVERIFY(shown != drawnWith(QStringLiteral("DejaVu Sans")));
}

// The notice shows whole: no letter touches the label's ends, where a text too wide is cut.
void TestLook::gameNoticeFitsItsLabel() {
    AppFixture app;
    TMainForm::SetGameRunningCheckForTests([](const QString&) { return true; });
    QVERIFY(app.start());
    auto* notice = AppFixture::find<QLabel>(QStringLiteral("VelmoraLabel"));
    QTRY_VERIFY(notice->isVisible());
    TMainForm::SetGameRunningCheckForTests({});
    QCOMPARE(notice->size(), QSize(719, 17));
    QVERIFY(notice->fontMetrics().horizontalAdvance(notice->text()) <= notice->width());

    const QImage drawn = MainForm->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect area = inWindow(notice);
    const QRgb red = qRgb(128, 0, 0);
    int first = -1;
    int last = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (contrast(drawn.pixel(x, y), red) < 1.5) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    QVERIFY2(first > area.left() + 2, qPrintable(QString::number(first - area.left())));
    QVERIFY2(last < area.right() - 2, qPrintable(QString::number(area.right() - last)));
}

// A help record of any length and any characters shows as plain text inside the panel's fixed frame.
void TestLook::helpPanelHoldsAnyText() {
    AppFixture app;
    const QString path = app.dataFolder() + QStringLiteral("Help.xml");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString xml = QString::fromUtf8(file.readAll());
    file.close();
    const QString header =
        QStringLiteral("<b>Kopf</b> & \"Zitat\" -- Дирижабль ") + QString(300, QLatin1Char('H'));
    const QString text =
        QStringLiteral("<i>kursiv?</i> & -- 'x' Ζέφυρος ").repeated(60) + QString(400, QLatin1Char('W'));
    const auto escaped = [](const QString& plain) { return plain.toHtmlEscaped(); };
    const qsizetype record = xml.indexOf(QStringLiteral("<GUID>107</GUID>"));
    QVERIFY(record > 0);
    for (const auto& [element, value] :
         {std::pair{QStringLiteral("Header"), header}, std::pair{QStringLiteral("Text1"), text}}) {
        const qsizetype start = xml.indexOf(QStringLiteral("<%1>").arg(element), record) + element.size() + 2;
        const qsizetype end = xml.indexOf(QStringLiteral("</%1>").arg(element), start);
        xml = xml.left(start) + escaped(value) + xml.mid(end);
    }
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(xml.toUtf8());
    file.close();

    QVERIFY(app.start());
    const QSize window = MainForm->size();
    AppFixture::hover(AppFixture::findWidget(QStringLiteral("SaveBtn")));
    auto* headerLabel = AppFixture::find<QLabel>(QStringLiteral("HelpHeaderLabel"));
    auto* textLabel = AppFixture::find<QLabel>(QStringLiteral("HelpLabel"));
    QCOMPARE(headerLabel->text(), header);
    QVERIFY(textLabel->text().startsWith(text));
    QCOMPARE(headerLabel->textFormat(), Qt::PlainText);
    QCOMPARE(textLabel->textFormat(), Qt::PlainText);
    QCOMPARE(headerLabel->geometry(), QRect(428, 372, 291, 21));
    QCOMPARE(textLabel->geometry(), QRect(428, 396, 291, 178));
    QCOMPARE(MainForm->size(), window);
    // Nothing is drawn outside the panel: the window around it looks as it does with the panel empty.
    const QRect panel = inWindow(AppFixture::findWidget(QStringLiteral("HelpShape")));
    const auto outsidePanel = [&panel] {
        QImage drawn = MainForm->grab().toImage();
        QPainter cover(&drawn);
        cover.fillRect(panel, Qt::black);
        return drawn;
    };
    const QImage withText = outsidePanel();
    headerLabel->clear();
    textLabel->clear();
    QCOMPARE(withText, outsidePanel());
}

// Under a dark desktop palette every text keeps the windows' own colours: at least 4.5:1 against its
// background, measured in what is drawn.
void TestLook::darkSystemTheme() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(darkSystemPalette());
    AppFixture app;
    QVERIFY(app.start());
    AppFixture::hover(AppFixture::findWidget(QStringLiteral("ShipNameEdit")));
    AppFixture::hover(AppFixture::findWidget(QStringLiteral("SaveBtn")));
    QVERIFY(!AppFixture::find<QLabel>(QStringLiteral("HelpLabel"))->text().trimmed().isEmpty());

    QStringList failures;
    const auto check = [&failures](const QString& what, const QImage& picture, const QRect& area) {
        const double ratio = textContrast(picture, area);
        if (ratio < 4.5)
            failures.append(QStringLiteral("%1: %2:1").arg(what).arg(ratio, 0, 'f', 2));
    };

    const QImage main = MainForm->grab().toImage();
    auto* view = AppFixture::find<QTreeWidget>(QStringLiteral("ShipView"));
    for (int line : {0, 1}) {
        QRect text = view->visualItemRect(view->topLevelItem(line));
        text.setLeft(view->columnViewportPosition(1));
        text.translate(view->viewport()->mapTo(MainForm, QPoint(0, 0)));
        check(QStringLiteral("ShipView line %1").arg(line), main, text);
    }
    check(QStringLiteral("ForwardSpeed"), main,
          inWindow(
              AppFixture::find<QAbstractSpinBox>(QStringLiteral("ForwardSpeed"))->findChild<QLineEdit*>()));
    check(QStringLiteral("ShipNameEdit"), main,
          inWindow(AppFixture::findWidget(QStringLiteral("ShipNameEdit")), 2));
    check(QStringLiteral("ShipInfoMemo"), main,
          inWindow(AppFixture::find<QPlainTextEdit>(QStringLiteral("ShipInfoMemo"))->viewport()));
    for (const char* name : {"SaveBtn", "CreateModBtn", "CloseBtn", "AddGasBuffToMinesBtn"})
        check(QLatin1String(name), main, inWindow(AppFixture::findWidget(QLatin1String(name)), 4));
    for (const char* name :
         {"HelpHeaderLabel", "HelpLabel", "ForwardSpeedCaption", "CostLabel0", "CostsLabel"})
        check(QLatin1String(name), main, inWindow(AppFixture::findWidget(QLatin1String(name))));

    QImage question;
    whenOpen(MessageForm, [&question] {
        question = MessageForm->grab().toImage();
        child<QPushButton>(MessageForm, "AbortBtn")->click();
    });
    MessageForm->Ask(QStringLiteral("Frage"), QStringLiteral("Sicherheitsabfrage"),
                     QStringLiteral("Änderungen speichern ?"), QStringLiteral("Ja"), QStringLiteral("Nein"));
    check(QStringLiteral("question MsgBoxLabel"), question, inWindow(child(MessageForm, "MsgBoxLabel")));
    check(QStringLiteral("question HeaderLabel"), question, inWindow(child(MessageForm, "HeaderLabel")));
    check(QStringLiteral("question AbortBtn"), question, inWindow(child(MessageForm, "AbortBtn"), 4));

    QImage mines;
    whenOpen(GasForm, [&mines] {
        mines = GasForm->grab().toImage();
        child<QPushButton>(GasForm, "CloseBtn")->click();
    });
    AppFixture::click(QStringLiteral("AddGasBuffToMinesBtn"));
    for (const char* name : {"HeadingLabel", "CoalMineLabel", "IronMineLabel", "CopperMineLabel",
                             "TinMineLabel", "GoldMineLabel"})
        check(QStringLiteral("mines %1").arg(QLatin1String(name)), mines, inWindow(child(GasForm, name)));
    check(QStringLiteral("mines CloseBtn"), mines, inWindow(child(GasForm, "CloseBtn"), 4));

    QImage help;
    whenOpen(InfoForm, [&help] {
        help = InfoForm->grab().toImage();
        child<QPushButton>(InfoForm, "OKBtn")->click();
    });
    AppFixture::click(QStringLiteral("HelpImage"));
    check(QStringLiteral("help page"), help,
          inWindow(child<QTextBrowser>(InfoForm, "browser")->viewport(), 4));
    check(QStringLiteral("help OKBtn"), help, inWindow(child(InfoForm, "OKBtn"), 4));

    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
}

SKYLATHE_WINDOW_TEST_MAIN(TestLook)
#include "test_look.moc"
