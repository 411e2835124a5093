#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "tests/support/AppFixture.h"
#include "tests/support/DataRows.h"
#include "tests/support/WindowTestMain.h"
#include "ui/InfoUnit.h"
#include "ui/XMLMessage.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

class TestMessageForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layout_data() {
        AddColumns<QString, int>("message", "lines");
        AddRow("one line", QStringLiteral("Änderungen speichern ?"), 1);
        AddRow("three lines",
               QStringLiteral("Diese Aktion setzt alle Einstellungen aller\rLuftschiffe auf die "
                              "Standardwerte zurück.\rVorhandene Modifikationen werden entfernt\r"),
               4);
    }

    void layout() {
        QFETCH(QString, message);
        AppFixture app;
        QVERIFY(app.start());
        // The dialog's controls by their object names.
        const struct {
            QLabel* MsgBoxLabel;
            QPushButton* AbortBtn;
            QPushButton* OKBtn;
            QLabel* RemarkImage;
            QWidget* Line;
        } controls{MessageForm->findChild<QLabel*>(QStringLiteral("MsgBoxLabel")),
                   MessageForm->findChild<QPushButton*>(QStringLiteral("AbortBtn")),
                   MessageForm->findChild<QPushButton*>(QStringLiteral("OKBtn")),
                   MessageForm->findChild<QLabel*>(QStringLiteral("RemarkImage")),
                   MessageForm->findChild<QWidget*>(QStringLiteral("Line"))};
        const auto* ui = &controls;
        QVERIFY(ui->MsgBoxLabel && ui->AbortBtn && ui->OKBtn && ui->RemarkImage && ui->Line);
        QRect label, abort, ok, image, line;
        QSize size;
        QPoint at;
        bool abortFocused = false;
        AppFixture::onNextModal([&](QWidget*) {
            label = ui->MsgBoxLabel->geometry();
            abort = ui->AbortBtn->geometry();
            ok = ui->OKBtn->geometry();
            image = ui->RemarkImage->geometry();
            line = ui->Line->geometry();
            size = MessageForm->size();
            at = MessageForm->pos();
            abortFocused = ui->AbortBtn->hasFocus();
            ui->AbortBtn->click();
        });
        QVERIFY(!MessageForm->Ask(QStringLiteral("Frage"), QStringLiteral("Sicherheitsabfrage"), message,
                                  QStringLiteral("Ja"), QStringLiteral("Nein")));

        QFETCH(int, lines);
        QString shown = message;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const QSize natural = ui->MsgBoxLabel->fontMetrics().size(0, shown);
        QCOMPARE(label, QRect(105, 60, natural.width() + 30, natural.height()));
        QVERIFY(natural.height() >= lines * ui->MsgBoxLabel->fontMetrics().height());
        const int bottom = 60 + natural.height();
        QCOMPARE(abort, QRect(16, bottom + 40, 105, 30));
        QCOMPARE(line.y(), bottom + 32);
        QCOMPARE(ok, QRect(105 + label.width() - 105, bottom + 40, 105, 30));
        QCOMPARE(size, QSize(64 + label.width() + 48, bottom + 30 + 48));
        QCOMPARE(image, QRect(8, size.height() / 2 - 32, 64, 64));
        const QRect screen = MessageForm->screen()->geometry();
        QCOMPARE(at, QPoint(std::abs(screen.width() - size.width()) / 2,
                            std::abs(screen.height() - size.height()) / 2));
        QVERIFY(abortFocused);
        QCOMPARE(ui->OKBtn->text(), QStringLiteral("Ja"));
        QCOMPARE(ui->AbortBtn->text(), QStringLiteral("Nein"));
        QVERIFY(!ui->OKBtn->isDefault() && !ui->AbortBtn->isDefault());
        QVERIFY(!(ui->OKBtn->focusPolicy() & Qt::TabFocus));
    }

    void infoWindow() {
        AppFixture app;
        QVERIFY(app.start());
        QVERIFY(!(InfoForm->windowFlags() & Qt::WindowCloseButtonHint));
        QString first;
        AppFixture::onNextModal([&](QWidget*) {
            first = InfoForm->findChild<QTextBrowser*>("browser")->toPlainText();
            QTest::keyClick(InfoForm, Qt::Key_Escape); // does not close
            QTimer::singleShot(50, [] { InfoForm->findChild<QPushButton*>("OKBtn")->click(); });
        });
        AppFixture::click("HelpImage");
        QVERIFY(!InfoForm->isVisible());
        QVERIFY(!first.isEmpty());
        QVERIFY(!first.contains(QStringLiteral("Seite nicht gefunden")));
        QCOMPARE(InfoForm->windowTitle(), QStringLiteral("Informationen"));

        QFile::remove(app.dataFolder() + QStringLiteral("Help.html"));
        QString missing;
        AppFixture::onNextModal([&](QWidget*) {
            missing = InfoForm->findChild<QTextBrowser*>("browser")->toPlainText();
            InfoForm->findChild<QPushButton*>("OKBtn")->click();
        });
        AppFixture::click("HelpImage");
        QVERIFY(missing.contains(QStringLiteral("Seite nicht gefunden")));
    }
};

SKYLATHE_WINDOW_TEST_MAIN(TestMessageForm)
#include "test_messageform.moc"
