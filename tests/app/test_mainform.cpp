#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "tests/support/AppFixture.h"
#include "tests/support/DataRows.h"
#include "tests/support/FolderSnapshot.h"
#include "tests/support/WindowTestMain.h"
#include "ui/PictureLabel.h"
#include "ui/ValueBox.h"

#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QTreeWidget>

class TestMainForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controlsAtTheirPlaces_data() {
        AddColumns<QString, QRect>("name", "rect");
        AddRow("HeliumGasImage", "HeliumGasImage", QRect(17, 55, 100, 100));
        AddRow("ArcticGasImage", "ArcticGasImage", QRect(17, 161, 100, 100));
        AddRow("YardImage", "YardImage", QRect(16, 396, 100, 100));
        AddRow("VelmoraImage", "VelmoraImage", QRect(8, 524, 116, 42));
        AddRow("ShipNameEdit", "ShipNameEdit", QRect(423, 56, 304, 21));
        AddRow("Shape1", "Shape1", QRect(493, 86, 142, 141));
        AddRow("ShipIconImage", "ShipIconImage", QRect(507, 88, 118, 118));
        AddRow("ShipTypImage", "ShipTypImage", QRect(595, 186, 36, 36));
        AddRow("SingleResetImage", "SingleResetImage", QRect(659, 131, 44, 44));
        AddRow("ShipInfoMemo", "ShipInfoMemo", QRect(423, 233, 304, 114));
        AddRow("HelpShape", "HelpShape", QRect(423, 367, 302, 213));
        AddRow("HelpHeaderLabel", "HelpHeaderLabel", QRect(428, 372, 291, 21));
        AddRow("HelpLabel", "HelpLabel", QRect(428, 396, 291, 178));
        AddRow("Version", "Version", QRect(163, 616, 200, 17));
        AddRow("VelmoraLabel", "VelmoraLabel", QRect(8, 642, 719, 17));
        AddRow("ImagePanelNameCost", "ImagePanelNameCost", QRect(1004, 16, 36, 36));
        AddRow("ImagePanelNameDetail", "ImagePanelNameDetail", QRect(1309, 16, 36, 36));
        for (int i = 0; i < 7; ++i)
            QTest::addRow("CostPanel%d", i)
                << QStringLiteral("CostPanel%1").arg(i) << QRect(748, 56 + 42 * i, 304, 41);
        AddRow("InfluenceCostPointsPanel", "InfluenceCostPointsPanel", QRect(748, 371, 304, 41));
        AddRow("CraftingTimePanel", "CraftingTimePanel", QRect(748, 413, 304, 41));
        AddRow("StacklimitPanel", "StacklimitPanel", QRect(748, 455, 304, 41));
        AddRow("SocketCountPanel", "SocketCountPanel", QRect(748, 497, 304, 41));
        AddRow("SlotCountPanel", "SlotCountPanel", QRect(748, 539, 304, 41));
        AddRow("ForwardSpeedPanel", "ForwardSpeedPanel", QRect(1056, 56, 304, 83));
        AddRow("CargoFullFactorPanel", "CargoFullFactorPanel", QRect(1056, 140, 304, 41));
        AddRow("SessionTransferSpeedFactorPanel", "SessionTransferSpeedFactorPanel",
               QRect(1058, 182, 304, 41));
        AddRow("TradeShipPointsPanel", "TradeShipPointsPanel", QRect(1056, 224, 304, 41));
        AddRow("Panel1", "Panel1", QRect(1058, 266, 304, 41));
        AddRow("ShipMaintenancePanel", "ShipMaintenancePanel", QRect(1056, 308, 304, 41));
        AddRow("BombarderPanel", "BombarderPanel", QRect(1056, 371, 304, 41));
        AddRow("WeaponMaxHitPointsPanel", "WeaponMaxHitPointsPanel", QRect(1056, 413, 304, 41));
        AddRow("WeaponReloadTimePanel", "WeaponReloadTimePanel", QRect(1056, 455, 304, 41));
        AddRow("WeaponBaseDamagePanel", "WeaponBaseDamagePanel", QRect(1056, 497, 304, 41));
        AddRow("MilitaryShipPointsPanel", "MilitaryShipPointsPanel", QRect(1058, 540, 304, 41));
        AddRow("AddGasBuffToMinesBtn", "AddGasBuffToMinesBtn", QRect(1058, 587, 304, 36));
        AddRow("SaveBtn", "SaveBtn", QRect(746, 629, 150, 36));
        AddRow("CreateModBtn", "CreateModBtn", QRect(902, 629, 150, 36));
        AddRow("CloseBtn", "CloseBtn", QRect(1058, 629, 304, 36));
        AddRow("ShipView", "ShipView", QRect(132, 54, 281, 524));
        // inside a panel
        AddRow("ForwardSpeed", "ForwardSpeed", QRect(40, 10, 80, 23));
        AddRow("ForwardSpeedDot", "ForwardSpeedDot", QRect(290, 3, 12, 36));
        AddRow("CargoFullFactorDOt", "CargoFullFactorDOt", QRect(290, 3, 12, 36));
        AddRow("StackLimitIcon", "StackLimitIcon", QRect(2, 3, 36, 36));
        AddRow("AirShipImage", "AirShipImage", QRect(1540, 360, 128, 128));
    }

    void controlsAtTheirPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        AppFixture app;
        QVERIFY(app.start());
        QWidget* control = AppFixture::findWidget(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->geometry(), rect);
    }

    void windowIsFixed() {
        AppFixture app;
        QVERIFY(app.start());
        QCOMPARE(MainForm->windowTitle(), QStringLiteral("Skylathe"));
        QCOMPARE(MainForm->frameGeometry().size(), QSize(1390, 716));
        QCOMPARE(MainForm->minimumSize(), MainForm->maximumSize());
        QVERIFY(!(MainForm->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(MainForm->windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(MainForm->palette().color(QPalette::Window), QColor(236, 210, 164));
        QVERIFY(!AppFixture::findWidget("VelmoraLabel")->isVisible());
        QVERIFY(!AppFixture::findWidget("ForwardSpeedDot")->isVisible());
        QCOMPARE(AppFixture::find<QLabel>("VelmoraLabel")->text(),
                 QStringLiteral(
                     "Das Spiel ist aktiv. Änderungen an den Modifikationen zeigen erst Wirkung nach einem "
                     "erneuten Spielstart."));
        QCOMPARE(AppFixture::find<QLabel>("Version")->text(), QStringLiteral("18.3.7.3"));
        QCOMPARE(AppFixture::find<QPushButton>("MakeData")->text(), QStringLiteral("MakeData"));
        QVERIFY(app.takeErrors().isEmpty());
    }

    void panelIconsShown() {
        AppFixture app;
        QVERIFY(app.start());
        const QList<QLabel*> labels = MainForm->findChildren<QLabel*>();
        int icons = 0;
        for (const QLabel* label : labels) {
            // The main window's own: the original-values window it owns has icons of the same names.
            if (!label->objectName().endsWith(QLatin1String("Icon")) || label->window() != MainForm)
                continue;
            ++icons;
            QVERIFY2(!label->pixmap().isNull(), qPrintable(label->objectName()));
            QCOMPARE(label->pixmap().size(), QSize(36, 36));
        }
        QCOMPARE(icons, 16);
        QVERIFY(app.takeErrors().isEmpty());
    }

    void valueBoxes_data() {
        AddColumns<QString, double, double, double, double, int, int, bool>(
            "name", "minimum", "maximum", "smallStep", "largeStep", "decimals", "maxLength", "repeat");
        AddRow("ForwardSpeed", "ForwardSpeed", 0.1, 125.0, 0.1, 1.0, 2, 4, true);
        AddRow("CargoFullFactor", "CargoFullFactor", 0.1, 1.0, 0.1, 1.0, 1, 3, true);
        AddRow("SessionTransferSpeedFactor", "SessionTransferSpeedFactor", 0.1, 5.0, 0.1, 0.5, 1, 3, true);
        AddRow("TradeShipPoints", "TradeShipPoints", 0.0, 250.0, 1.0, 5.0, 0, 3, true);
        AddRow("AirShipPoints", "AirShipPoints", 0.0, 250.0, 1.0, 5.0, 0, 3, true);
        AddRow("ShipMaintenance", "ShipMaintenance", 1.0, 2500.0, 1.0, 10.0, 0, 4, true);
        AddRow("CraftingTime", "CraftingTime", 30.0, 1200.0, 10.0, 60.0, 0, 4, true);
        AddRow("SlotCount", "SlotCount", 0.0, 8.0, 1.0, 1.0, 0, 1, true);
        AddRow("SocketCount", "SocketCount", 0.0, 4.0, 1.0, 1.0, 0, 1, true);
        AddRow("StackLimit", "StackLimit", 50.0, 500.0, 10.0, 50.0, 0, 8, true);
        AddRow("InfluenceCostPoints", "InfluenceCostPoints", 0.0, 50.0, 1.0, 5.0, 0, 3, true);
        AddRow("CostSpin6", "CostSpin6", 0.0, 250.0, 1.0, 10.0, 0, 3, true);
        AddRow("WeaponMaxHitpoints", "WeaponMaxHitpoints", 250.0, 25000.0, 10.0, 250.0, 0, 5, true);
        AddRow("BombarderShafts", "BombarderShafts", 0.0, 5.0, 1.0, 1.0, 0, 1, false);
        AddRow("WeaponReloadTime", "WeaponReloadTime", 5.0, 125.0, 1.0, 5.0, 0, 3, false);
        AddRow("WeaponBaseDamage", "WeaponBaseDamage", 0.0, 5000.0, 1.0, 100.0, 0, 4, false);
        AddRow("MilitaryAirShipPoints", "MilitaryAirShipPoints", 0.0, 250.0, 1.0, 5.0, 0, 3, true);
    }

    void valueBoxes() {
        QFETCH(QString, name);
        AppFixture app;
        QVERIFY(app.start());
        auto* box = AppFixture::find<ValueBox>(name);
        QVERIFY(box);
        QTEST(box->minimum(), "minimum");
        QTEST(box->maximum(), "maximum");
        QTEST(box->smallStep(), "smallStep");
        QTEST(box->largeStep(), "largeStep");
        QTEST(box->decimals(), "decimals");
        QTEST(box->maxLength(), "maxLength");
        QTEST(box->autoRepeat(), "repeat");
        QCOMPARE(box->geometry().size(), QSize(80, 23));
    }

    void stepping() {
        AppFixture app;
        QVERIFY(app.start());
        auto* box = AppFixture::find<ValueBox>("StackLimit");
        QSignalSpy changed(box, &ValueBox::changed);
        box->setText(QStringLiteral("50"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->text(), QStringLiteral("60"));
        QTest::keyClick(box, Qt::Key_PageUp);
        QCOMPARE(box->text(), QStringLiteral("110"));
        QTest::keyClick(box, Qt::Key_PageDown);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->text(), QStringLiteral("50")); // kept at the minimum
        QVERIFY(changed.count() >= 4);

        // Typing is limited to the box's characters; a load is not.
        auto* slots = AppFixture::find<ValueBox>("SlotCount");
        slots->setText(QString());
        slots->setFocus();
        QTest::keyClicks(slots, QStringLiteral("57"));
        QCOMPARE(slots->text(), QStringLiteral("5"));
        auto* factor = AppFixture::find<ValueBox>("CargoFullFactor");
        factor->setText(QStringLiteral("0.5"));
        factor->setFocus();
        QTest::keyClick(factor, Qt::Key_Up);
        QCOMPARE(factor->text(), QStringLiteral("0.6"));
    }

    void typedFraction_data() {
        AddColumns<QString, QString, QString, QString>("name", "locale", "typed", "shown");
        AddRow("cargo German", "CargoFullFactor", "de_DE", "0,5", "0,5");
        AddRow("cargo English", "CargoFullFactor", "en_US", "0.4", "0.4");
        AddRow("cargo too long", "CargoFullFactor", "de_DE", "0,55", "0,5");
        AddRow("session German", "SessionTransferSpeedFactor", "de_DE", "2,5", "2,5");
        AddRow("session English", "SessionTransferSpeedFactor", "en_US", "0.4", "0.4");
    }

    // A factor box holds every value of its range as typed, separator included.
    void typedFraction() {
        QFETCH(QString, name);
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        const QLocale previous;
        QLocale::setDefault(QLocale(locale));
        const auto restore = qScopeGuard([&previous] { QLocale::setDefault(previous); });
        AppFixture app;
        QVERIFY(app.start());
        auto* box = AppFixture::find<ValueBox>(name);
        box->setText(QString());
        box->setFocus();
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), shown);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->text(), shown);
    }

    void heldArrow_data() {
        AddColumns<QString, QString, QString, bool>("name", "start", "afterOneStep", "repeats");
        AddRow("BombarderShafts", "BombarderShafts", "0", "1", false);
        AddRow("WeaponReloadTime", "WeaponReloadTime", "20", "21", false);
        AddRow("WeaponBaseDamage", "WeaponBaseDamage", "100", "101", false);
        AddRow("SlotCount", "SlotCount", "0", "1", true);
    }

    // Holds the up arrow with the mouse while the event loop runs, as a user holding the button does.
    void heldArrow() {
        QFETCH(QString, name);
        QFETCH(QString, start);
        QFETCH(QString, afterOneStep);
        QFETCH(bool, repeats);
        AppFixture app;
        QVERIFY(app.start());
        // The weapon panels belong to the armed ships: "Kolibri (bewaffnet)".
        auto* view = AppFixture::find<QTreeWidget>("ShipView");
        QTreeWidgetItem* armed = view->topLevelItem(6);
        QVERIFY(armed->text(1).contains(QStringLiteral("bewaffnet")));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(armed).center());
        auto* box = AppFixture::find<ValueBox>(name);
        QVERIFY(box && box->isVisible());
        box->setText(start);

        QStyleOptionSpinBox option;
        option.initFrom(box);
        option.subControls = QStyle::SC_All;
        option.buttonSymbols = box->buttonSymbols();
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        option.frame = box->hasFrame();
        const QPoint up =
            box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, box).center();
        QTest::mousePress(box, Qt::LeftButton, {}, up);
        QCOMPARE(box->text(), afterOneStep);
        if (repeats) {
            QTRY_VERIFY_WITH_TIMEOUT(box->value() > 1, 10000);
        } else {
            QTest::qWait(1500);
            QCOMPARE(box->text(), afterOneStep);
        }
        QTest::mouseRelease(box, Qt::LeftButton, {}, up);
        if (!repeats)
            QCOMPARE(box->text(), afterOneStep);
    }

    void hoverHelp() {
        AppFixture app;
        QVERIFY(app.start());
        auto* header = AppFixture::find<QLabel>("HelpHeaderLabel");
        auto* text = AppFixture::find<QLabel>("HelpLabel");

        AppFixture::hover(AppFixture::findWidget("SaveBtn"));
        QCOMPARE(header->text(), QStringLiteral("Speichern"));
        AppFixture::hover(AppFixture::findWidget("SlotCount"));
        QCOMPARE(header->text(), QStringLiteral("Speichern"));
        AppFixture::hover(AppFixture::findWidget("ForwardSpeed"));
        QCOMPARE(header->text(), QStringLiteral("Steuerelemente"));
        AppFixture::hover(AppFixture::findWidget("ForwardSpeedPanel"), QPoint(200, 5));
        QCOMPARE(header->text(), QStringLiteral("Schiffsgeschwindigkeit"));
        AppFixture::hover(AppFixture::findWidget("ForwardSpeedIcon"));
        QCOMPARE(header->text(), QStringLiteral("Schiffsgeschwindigkeit"));

        AppFixture::hover(AppFixture::findWidget("SingleResetImage"));
        const QString single = text->text();
        QCOMPARE(header->text(), QStringLiteral("Zurücksetzen"));
        AppFixture::hover(AppFixture::findWidget("FullResetImage"));
        QCOMPARE(header->text(), QStringLiteral("Zurücksetzen"));
        QVERIFY(text->text() != single);

        AppFixture::hover(MainForm->centralWidget(), QPoint(380, 690));
        QCOMPARE(header->text(), QString());
        QCOMPARE(text->text(), QStringLiteral("\n\n"));
    }

    void closeWithoutSavingWritesNothing() {
        AppFixture app;
        QVERIFY(app.start());
        const auto before = snapshot(app.programFolder());
        AppFixture::find<ValueBox>("SlotCount")->stepBy(1);
        QVERIFY(MainForm->valuesChanged());
        AppFixture::answerNextModal(QStringLiteral("AbortBtn"));
        AppFixture::click("CloseBtn");
        QTRY_VERIFY(!MainForm->isVisible());
        QVERIFY(!MainForm->valuesChanged());
        QCOMPARE(snapshot(app.programFolder()), before);
        QVERIFY(snapshot(app.modFolder()).isEmpty());
    }

    void emptyDataFolderStillOpens() {
        AppFixture app(AppFixture::Data::EmptyFolder);
        QVERIFY(app.start());
        QVERIFY(MainForm->isVisible());
        QCOMPARE(AppFixture::find<QTreeWidget>("ShipView")->topLevelItemCount(), 0);
        const QStringList errors = app.takeErrors();
        QVERIFY(!errors.isEmpty());
        QVERIFY2(errors.first().contains(QStringLiteral("AirShipShort.xml")), qPrintable(errors.join('\n')));
        QVERIFY(!QFileInfo::exists(app.dataFolder() + QStringLiteral("Help.xml"))); // nothing unpacked
    }

    void brokenHelpFileStillOpens_data() {
        AddColumns<QByteArray, bool>("content", "remove");
        AddRow("missing", QByteArray(), true);
        AddRow("damaged", QByteArray("<Texts><Text><GUID>107"), false);
    }

    void brokenHelpFileStillOpens() {
        QFETCH(QByteArray, content);
        QFETCH(bool, remove);
        AppFixture app;
        const QString help = app.dataFolder() + QStringLiteral("Help.xml");
        QFile::remove(help);
        if (!remove) {
            QFile file(help);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QVERIFY(app.start());
        QVERIFY(MainForm->isVisible());
        AppFixture::hover(AppFixture::findWidget("SaveBtn"));
        QCOMPARE(AppFixture::find<QLabel>("HelpHeaderLabel")->text(), QString());
    }

    void gameWatchShowsLabel() {
        AppFixture app;
        bool running = false;
        TMainForm::SetGameRunningCheckForTests(
            [&running](const QString& name) { return running && name == QStringLiteral("Velmora.exe"); });
        QVERIFY(app.start());
        auto* label = AppFixture::findWidget("VelmoraLabel");
        QTest::qWait(120);
        QVERIFY(!label->isVisible());
        running = true;
        QTRY_VERIFY_WITH_TIMEOUT(label->isVisible(), 500);
        running = false;
        QTRY_VERIFY_WITH_TIMEOUT(!label->isVisible(), 500);
    }

    // The pictures that act as buttons are reached with Tab between the existing stops, whose order stays,
    // show a focus frame, carry a German name for assistive technology and answer Space and Enter.
    void picturesByKeyboard() {
        AppFixture app;
        QVERIFY(app.start());
        MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
        const QStringList pictures = {"HeliumGasImage",      "ArcticGasImage",   "SingleResetImage",
                                      "FullResetImage",      "HelpImage",        "ImagePanelNameCost",
                                      "ChangeCostImage0",    "ChangeCostImage1", "ChangeCostImage2",
                                      "ImagePanelNameDetail"};
        const QStringList existing = {"MakeData",     "ShipView",     "ShipNameEdit",
                                      "ShipInfoMemo", "CostSpin0",    "CostSpin1",
                                      "CostSpin2",    "CostSpin3",    "InfluenceCostPoints",
                                      "CraftingTime", "ForwardSpeed", "AddGasBuffToMinesBtn",
                                      "SaveBtn",      "CreateModBtn", "CloseBtn"};
        AppFixture::findWidget("MakeData")->setFocus();
        QStringList chain;
        for (int i = 0; i < 80; ++i) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            if (!chain.isEmpty() && focus->objectName() == QLatin1String("MakeData"))
                break;
            chain.append(focus->objectName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(chain.first(), QStringLiteral("MakeData"));
        QStringList seenExisting;
        for (const QString& name : chain)
            if (existing.contains(name))
                seenExisting.append(name);
        QCOMPARE(seenExisting, existing);
        for (const QString& name : pictures)
            QVERIFY2(chain.contains(name), qPrintable(name + " not in " + chain.join(' ')));
        QVERIFY(chain.indexOf("HeliumGasImage") < chain.indexOf("ShipView"));
        QVERIFY(chain.indexOf("CostSpin0") < chain.indexOf("ChangeCostImage0"));
        QVERIFY(!chain.contains("ChangeCostImage3")); // the lift-gas row's arrow is disabled

        QWidget* layout = AppFixture::findWidget("centralwidget");
        for (const QString& name : pictures) {
            QWidget* picture = AppFixture::findWidget(name);
            QVERIFY(!picture->accessibleName().isEmpty());
            const QRect area(picture->mapTo(layout, QPoint(0, 0)), picture->size());
            AppFixture::findWidget("MakeData")->setFocus();
            const QImage before = layout->grab(area).toImage();
            picture->setFocus(Qt::TabFocusReason);
            QVERIFY(picture->hasFocus());
            const QImage focused = layout->grab(area).toImage();
            int frame = 0;
            for (int x = 0; x < focused.width(); ++x)
                frame += focused.pixelColor(x, 1) == PictureLabel::focusFrameColor() ? 1 : 0;
            QVERIFY2(before != focused && frame > focused.width() / 3, qPrintable(name));
        }
        QCOMPARE(AppFixture::findWidget("ArcticGasImage")->accessibleName(),
                 QStringLiteral("Arktisgas-Luftschiffe anzeigen"));

        // Space and Enter act as the click does; a click leaves the focus where it was.
        QWidget* arctic = AppFixture::findWidget("ArcticGasImage");
        arctic->setFocus(Qt::TabFocusReason);
        QTest::keyClick(arctic, Qt::Key_Space);
        QCOMPARE(MainForm->currentGasType(), QStringLiteral("Arcticgas"));
        QWidget* helium = AppFixture::findWidget("HeliumGasImage");
        helium->setFocus(Qt::TabFocusReason);
        QTest::keyClick(helium, Qt::Key_Return);
        QCOMPARE(MainForm->currentGasType(), QStringLiteral("Heliumgas"));
        AppFixture::findWidget("SaveBtn")->setFocus();
        AppFixture::click("ArcticGasImage");
        QCOMPARE(MainForm->currentGasType(), QStringLiteral("Arcticgas"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("SaveBtn"));
        QMap<QString, QString> texts;
        AppFixture::answerNextModal("OKBtn", &texts);
        QWidget* help = AppFixture::findWidget("HelpImage");
        help->setFocus(Qt::TabFocusReason);
        QTest::keyClick(help, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(texts.value("window"), QStringLiteral("TInfoForm"));
        QCOMPARE(AppFixture::dropPendingModalActions(), 0);
        QVERIFY(app.takeErrors().isEmpty());
    }
};

SKYLATHE_WINDOW_TEST_MAIN(TestMainForm)
#include "test_mainform.moc"
