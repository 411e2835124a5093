#include "app/Forms.h"
#include "app/ImageCollection.h"
#include "app/MainFormUnit.h"
#include "data/TextFile.h"
#include "data/ValueFields.h"
#include "data/Xml.h"
#include "editor/ProductFormUnit.h"
#include "editor/ShipRecord.h"
#include "editor/XMLInfoOrg.h"
#include "tests/support/AppFixture.h"
#include "tests/support/DataRows.h"
#include "tests/support/WindowTestMain.h"
#include "ui/ErrorBoundary.h"
#include "ui/ValueBox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The window's own control of that name (the dialogs a window owns hold controls of the same names).
template <typename T = QWidget> T* control(QWidget* window, const QString& name) {
    T* found = nullptr;
    for (T* candidate : window->findChildren<T*>(name)) {
        if (candidate->window() == window->window()) {
            found = candidate;
            break;
        }
    }
    if (!found) {
        qWarning("control %s not found", qPrintable(name));
    }
    return found;
}

const QString kKolibri = QStringLiteral("2000502011");
const QString kAllicanto = QStringLiteral("2000502012");

QTreeWidget* view() {
    return control<QTreeWidget>(MainForm, "ShipView");
}
ValueBox* box(const QString& name) {
    return control<ValueBox>(MainForm, name);
}
QLabel* label(const QString& name) {
    return control<QLabel>(MainForm, name);
}
QString text(const QString& name) {
    return label(name)->text();
}
bool shown(const QString& name) {
    return control(MainForm, name)->isVisible();
}

QStringList lineNames() {
    QStringList names;
    for (int i = 0; i < view()->topLevelItemCount(); ++i) {
        names.append(view()->topLevelItem(i)->text(1));
    }
    return names;
}

void clickLine(int index) {
    QTreeWidgetItem* line = view()->topLevelItem(index);
    QVERIFY(line);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualItemRect(line).center());
}

void clickPicture(QWidget* window, const QString& name) {
    QTest::mouseClick(control(window, name), Qt::LeftButton);
}
void clickPicture(const QString& name) {
    clickPicture(MainForm, name);
}

// Replaces the box's text as a user would: select all, then type.
void typeInto(const QString& name, const QString& typed) {
    ValueBox* b = box(name);
    b->setFocus();
    b->selectAll();
    if (typed.isEmpty()) {
        QTest::keyClick(b, Qt::Key_Delete);
    } else {
        QTest::keyClicks(b, typed);
    }
}

QString recordText(const AppFixture& app, const QString& guid, const QString& path) {
    const XmlDocument doc = XmlDocument::load(app.dataFolder() + QStringLiteral("AirShipFull.xml"));
    return SelectShipRecord(doc, guid, true).requireText(path);
}

QStringList visibleMarkers() {
    QStringList names;
    for (QLabel* l : MainForm->findChildren<QLabel*>()) {
        if ((l->objectName().contains(QLatin1String("Dot")) ||
             l->objectName().contains(QLatin1String("DOt"))) &&
            l->isVisible()) {
            names.append(l->objectName());
        }
    }
    names.sort();
    return names;
}

// Opens the picker from the arrow of `row` and lets `inPicker` act in it.
void withPicker(int row, std::function<void(QWidget*)> inPicker) {
    AppFixture::onNextModal(std::move(inPicker));
    clickPicture(QStringLiteral("ChangeCostImage%1").arg(row));
}

void pickTile(int row, const QString& guid) {
    withPicker(
        row, [guid](QWidget* picker) { QTest::mouseClick(control(picker, "GUID" + guid), Qt::LeftButton); });
}

// What `window` draws where `control` sits: grabbed with everything over and under the control.
QImage drawnAt(QWidget* window, QWidget* control) {
    const QRect area(control->mapTo(window, QPoint(0, 0)), control->size());
    return window->grab(area).toImage().convertToFormat(QImage::Format_ARGB32);
}
// The main window's layout draws the same on every screen, also where a small one scrolls it.
QImage drawnAt(const QString& name) {
    return drawnAt(control(MainForm, "centralwidget"), control(MainForm, name));
}

// Whether `drawn` shows the collection's picture `name` in its own colours: every opaque pixel of the
// picture at the drawn size is there, each channel within a rounding step.
bool showsPicture(const QImage& drawn, const QString& name) {
    const QImage picture =
        ImageFromCollection(name, drawn.width(), drawn.height()).convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb want = picture.pixel(x, y);
            if (qAlpha(want) < 255)
                continue;
            ++opaque;
            const QRgb got = drawn.pixel(x, y);
            if (std::abs(qRed(got) - qRed(want)) > 3 || std::abs(qGreen(got) - qGreen(want)) > 3 ||
                std::abs(qBlue(got) - qBlue(want)) > 3)
                return false;
        }
    }
    return opaque > 0;
}

QMap<QString, QByteArray> filesBelow(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), ReadFileBytes(path));
    }
    return files;
}

} // namespace

class TestEditorWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    const AppFixture& app() const { return *m_app; }

private Q_SLOTS:
    void initTestCase() {
        if (!QFile::exists(QStringLiteral(SKYLATHE_BINARY_DIR "/package/XMLD/AirShipFull.xml"))) {
            QFAIL("the data package tree is not built (target skylathe_package_tree)");
        }
    }

    void init() {
        QLocale::setDefault(QLocale::c());
        m_app = std::make_unique<AppFixture>();
        QVERIFY(m_app->start());
        QCOMPARE(ErrorBoundary::takeCollected(), QStringList());
    }

    void cleanup() {
        const int unanswered = AppFixture::dropPendingModalActions();
        const QStringList errors = ErrorBoundary::takeCollected();
        m_app.reset();
        QLocale::setDefault(QLocale::c());
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QVERIFY2(unanswered == 0, "an expected dialog did not open");
    }

    void listsBothGasesInPositionOrder() {
        QCOMPARE(lineNames(), QStringList({"Mapinguari", "Kolibri", "Allicanto", "Atotolin", "Dtundtuncan",
                                           "Quetzalcoatl", "Kolibri (bewaffnet)", "Allicanto (bewaffnet)"}));
        QCOMPARE(view()->currentItem()->text(0), QStringLiteral("2000502010"));
        QCOMPARE(MainForm->currentShipGuid(), QStringLiteral("2000502010"));
        QVERIFY(!MainForm->valuesChanged() && !MainForm->costsChanged());

        // Kolibri (B) selected, then the arctic picture: its twin Harpyie (B) is selected and shown.
        clickLine(1);
        QCOMPARE(MainForm->currentShipGuid(), kKolibri);
        clickPicture("ArcticGasImage");
        QCOMPARE(MainForm->currentGasType(), QStringLiteral("Arcticgas"));
        QCOMPARE(lineNames(), QStringList({"Boreas", "Harpyie", "Mantikor", "Hermes", "Pegasus", "Zephyr",
                                           "Harpyie (bewaffnet)", "Mantikor (bewaffnet)"}));
        QCOMPARE(view()->currentItem()->text(1), QStringLiteral("Harpyie"));
        QCOMPARE(MainForm->currentShipGuid(), QStringLiteral("2000502019"));
        QCOMPARE(control<QLineEdit>(MainForm, "ShipNameEdit")->text(), QStringLiteral("Harpyie"));
    }

    void sharedIconsGetAnEntryEach() {
        QCOMPARE(MainForm->shipImages().count(QStringLiteral("icon_airship_hunter_light")), 2);
        QCOMPARE(MainForm->shipImages().size(), 8);
        for (int i = 0; i < view()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* line = view()->topLevelItem(i);
            const int image = line->data(0, Qt::UserRole).toInt();
            const QString icon = MainForm->shipImages().value(image);
            const XmlDocument index = XmlDocument::load(app().dataFolder() + "AirShipShort.xml");
            QCOMPARE(icon,
                     index.root().require("AirShip[@GUID=\"" + line->text(0) + "\"]").attribute("Icon"));
            QVERIFY(!line->icon(0).isNull());
            QCOMPARE(line->icon(0).pixmap(64, 64).toImage(), PixmapFromCollection(icon, 64, 64).toImage());
        }
    }

    void positionLettersCompareIgnoringAsciiCaseOnly_data() {
        AddColumns<QString, QString, int>("a", "b", "sign");
        AddRow("b and B", "b", "B", 0);
        AddRow("A before b", "A", "b", -1);
        AddRow("H after g", "H", "g", 1);
        AddRow("bracket after every letter", "[", "z", 1);
        AddRow("umlauts keep their case", "ä", "Ä", 1);
        AddRow("shorter first", "A", "AA", -1);
    }

    void positionLettersCompareIgnoringAsciiCaseOnly() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const int result = MainForm->ShipViewCompare(a, b);
        QCOMPARE(result < 0 ? -1 : (result > 0 ? 1 : 0), sign);
    }

    void gasPictureDropsEditsWithoutAsking() {
        clickLine(1);
        typeInto("StackLimit", "60");
        QVERIFY(MainForm->valuesChanged());
        clickPicture("HeliumGasImage"); // the gas already in use: a question would block here
        QCOMPARE(box("StackLimit")->text(), QStringLiteral("50"));
        QCOMPARE(view()->currentItem()->text(1), QStringLiteral("Kolibri"));
        QVERIFY(!MainForm->valuesChanged() && !MainForm->costsChanged());
        QCOMPARE(visibleMarkers(), QStringList());
    }

    void clickOnTheShownLineAsksAndNoReloads() {
        clickLine(1);
        typeInto("StackLimit", "60");
        QMap<QString, QString> dialog;
        AppFixture::answerNextModal("AbortBtn", &dialog);
        clickLine(1);
        QCOMPARE(dialog.value("MsgBoxLabel"), QStringLiteral("Änderungen speichern ?"));
        QCOMPARE(dialog.value("HeaderLabel"), QStringLiteral("Sicherheitsabfrage"));
        QCOMPARE(dialog.value("OKBtn"), QStringLiteral("Ja"));
        QCOMPARE(dialog.value("AbortBtn"), QStringLiteral("Nein"));
        QCOMPARE(box("StackLimit")->text(), QStringLiteral("50"));
        QVERIFY(!MainForm->valuesChanged());
        QCOMPARE(recordText(app(), kKolibri, "ItemContainer/StackLimit"), QStringLiteral("50"));
    }

    void yesSavesThePreviousShip() {
        clickLine(1);
        typeInto("StackLimit", "60");
        AppFixture::answerNextModal("OKBtn");
        clickLine(2);
        QCOMPARE(recordText(app(), kKolibri, "ItemContainer/StackLimit"), QStringLiteral("60"));
        QCOMPARE(recordText(app(), kAllicanto, "ItemContainer/StackLimit"), QStringLiteral("50"));
        QCOMPARE(MainForm->currentShipGuid(), kAllicanto);
        QCOMPARE(view()->currentItem()->text(1), QStringLiteral("Allicanto"));
        QVERIFY(!MainForm->valuesChanged() && !MainForm->costsChanged());
        QCOMPARE(visibleMarkers(), QStringList());
        // Kolibri shows its saved edit as a change against the shipped value.
        clickLine(1);
        QCOMPARE(box("StackLimit")->text(), QStringLiteral("60"));
        QCOMPARE(visibleMarkers(), QStringList({"StackLimitDot"}));
    }

    void boreasInBothLocales_data() {
        AddColumns<bool, QString, QString, QString>("point", "speed", "maxKnots", "minKnots");
        AddRow("comma", false, "11,7", "ca. 30,4 kn.", "ca. 9,4 kn.");
        AddRow("point", true, "11.7", "ca. 30.4 kn.", "ca. 9.4 kn.");
    }

    void boreasInBothLocales() {
        QFETCH(bool, point);
        QFETCH(QString, speed);
        QFETCH(QString, maxKnots);
        QFETCH(QString, minKnots);
        QLocale::setDefault(point ? QLocale(QLocale::English, QLocale::UnitedStates)
                                  : QLocale(QLocale::German));
        MainForm->setDecimalSeparatorIsPointForTests(point);
        clickPicture("ArcticGasImage");
        QCOMPARE(MainForm->currentShipGuid(), QStringLiteral("2000502018"));
        QCOMPARE(box("ForwardSpeed")->text(), speed);
        QCOMPARE(text("ForwardSpeedMaxValue"), maxKnots);
        QCOMPARE(text("ForwardSpeedMinValue"), minKnots);
        QCOMPARE(box("CargoFullFactor")->text(), point ? QStringLiteral("0.4") : QStringLiteral("0,4"));
        QCOMPARE(box("CraftingTime")->text(), QStringLiteral("900"));
        QCOMPARE(visibleMarkers(), QStringList());
        // Saved with the point whatever the locale.
        clickPicture("SaveBtn");
        QCOMPARE(recordText(app(), "2000502018", "Walking/ForwardSpeed"), QStringLiteral("11.7"));
        QCOMPARE(recordText(app(), "2000502018", "Craftable/CraftingTime"), QStringLiteral("900000"));
    }

    void kolibriDetails() {
        clickLine(1);
        QCOMPARE(text("ForwardSpeedMaxValue"), QStringLiteral("ca. 51 kn."));
        QCOMPARE(text("ForwardSpeedMinValue"), QStringLiteral("ca. 27 kn."));
        QCOMPARE(box("CraftingTime")->text(), QStringLiteral("720"));
        QCOMPARE(control<QPlainTextEdit>(MainForm, "ShipInfoMemo")->toPlainText(),
                 recordText(app(), kKolibri, "Standard/InfoDescriptionText").replace("\r\n", "\n"));
        for (const char* panel :
             {"MilitaryShipPointsPanel", "WeaponReloadTimePanel", "WeaponBaseDamagePanel", "ArmedImage"}) {
            QVERIFY2(!shown(panel), panel);
        }
        QVERIFY(shown("WeaponMaxHitPointsPanel") && shown("BombarderPanel"));

        // Spinning the speed moves the knots labels.
        typeInto("ForwardSpeed", "10");
        QCOMPARE(text("ForwardSpeedMaxValue"), QStringLiteral("ca. 34 kn."));
        QCOMPARE(text("ForwardSpeedMinValue"), QStringLiteral("ca. 18 kn."));

        AppFixture::answerNextModal("AbortBtn");
        clickLine(6);
        QCOMPARE(MainForm->currentShipGuid(), QStringLiteral("2000502016"));
        for (const char* panel : {"MilitaryShipPointsPanel", "WeaponReloadTimePanel", "WeaponBaseDamagePanel",
                                  "ArmedImage", "WeaponMaxHitPointsPanel", "BombarderPanel"}) {
            QVERIFY2(shown(panel), panel);
        }
        QCOMPARE(box("WeaponBaseDamage")->text(), QStringLiteral("55"));
        QCOMPARE(box("WeaponReloadTime")->text(), QStringLiteral("22"));
        QCOMPARE(visibleMarkers(), QStringList());
    }

    void markersFollowTheValues() {
        clickLine(1);
        typeInto("StackLimit", "60");
        QCOMPARE(visibleMarkers(), QStringList({"StackLimitDot"}));
        QVERIFY(MainForm->valuesChanged());
        typeInto("StackLimit", "50");
        QCOMPARE(visibleMarkers(), QStringList());
        QVERIFY(MainForm->valuesChanged());

        // Crafting time compares as a number; an emptied box counts as changed, without an error.
        typeInto("CraftingTime", "0720");
        QCOMPARE(visibleMarkers(), QStringList());
        typeInto("CraftingTime", "");
        QCOMPARE(visibleMarkers(), QStringList({"CraftingTimeDot"}));

        // The next ship starts without any marker of this one.
        AppFixture::answerNextModal("AbortBtn");
        clickLine(2);
        QCOMPARE(visibleMarkers(), QStringList());
        QCOMPARE(box("CraftingTime")->text(), QStringLiteral("840"));
    }

    void descriptionIsSavedWithoutFlag() {
        clickLine(1);
        auto* memo = control<QPlainTextEdit>(MainForm, "ShipInfoMemo");
        memo->setFocus();
        memo->selectAll();
        QTest::keyClicks(memo, "Neu beschrieben");
        QVERIFY(!MainForm->valuesChanged() && !MainForm->costsChanged());
        QCOMPARE(visibleMarkers(), QStringList());
        QTest::mouseClick(control<QPushButton>(MainForm, "SaveBtn"), Qt::LeftButton);
        QCOMPARE(recordText(app(), kKolibri, "Standard/InfoDescriptionText"),
                 QStringLiteral("Neu beschrieben"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Neu beschrieben"));
    }

    void costRowsOfKolibriAndBoreas() {
        clickLine(1);
        const QStringList names = {"Aluminiumprofile", "Segel",         "Helium",       "keine Auswahl",
                                   "keine Auswahl",    "keine Auswahl", "keine Auswahl"};
        const QStringList amounts = {"25", "35", "20", "0", "0", "0", "0"};
        const QStringList guids = {"838", "1010210", "840", "0", "0", "0", "0"};
        for (int i = 0; i < 7; ++i) {
            const QString d = QString::number(i);
            QCOMPARE(text("CostLabel" + d), names[i]);
            QCOMPARE(box("CostSpin" + d)->text(), amounts[i]);
            QCOMPARE(text("CostGUID" + d), guids[i]);
            QCOMPARE(label("ChangeCostImage" + d)->isEnabled(), i != 2);
            QCOMPARE(box("CostSpin" + d)->minimum(), i == 2 ? 1.0 : 0.0);
            const QString picture = i == 2 ? "RedArrow" : "BrownArrow";
            QCOMPARE(label("ChangeCostImage" + d)->pixmap().toImage(),
                     PixmapFromCollection(picture, 36, 36).toImage());
        }
        QCOMPARE(label("CostImage3")->pixmap().toImage(),
                 PixmapFromCollection("NoProduct", 36, 36).toImage());
        QCOMPARE(label("CostImage0")->pixmap().toImage(),
                 PixmapFromCollection("icon_aluminium", 36, 36).toImage());
        QCOMPARE(box("InfluenceCostPoints")->text(), QStringLiteral("2"));
        // The helium amount stops at 1.
        box("CostSpin2")->setFocus();
        box("CostSpin2")->setText("1");
        QTest::keyClick(box("CostSpin2"), Qt::Key_Down);
        QCOMPARE(box("CostSpin2")->text(), QStringLiteral("1"));

        clickPicture("ArcticGasImage");
        clickLine(0);
        QCOMPARE(text("CostLabel3"), QStringLiteral("Arktisgas"));
        QCOMPARE(text("CostGUID3"), QStringLiteral("112706"));
        QVERIFY(!label("ChangeCostImage3")->isEnabled());
    }

    void pickerTiles() {
        auto* box = control<QWidget>(ProductForm, "ShipBox");
        QVERIFY(box->isEnabled());
        QCOMPARE(ProductForm->windowTitle(), QStringLiteral("Produktauswahl"));
        QCOMPARE(ProductForm->size(), QSize(330, 361));
        QCOMPARE(control<QLabel>(ProductForm, "ProductformLabel")->text(), QStringLiteral("   Baukostenart"));
        QList<QLabel*> tiles;
        for (QLabel* l : box->findChildren<QLabel*>()) {
            if (l->objectName().startsWith("GUID")) {
                tiles.append(l);
            }
        }
        QCOMPARE(tiles.size(), 16);
        std::sort(tiles.begin(), tiles.end(),
                  [](QLabel* a, QLabel* b) { return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x()); });
        QCOMPARE(tiles.first()->toolTip(), QStringLiteral("Münzen"));
        QCOMPARE(tiles.last()->toolTip(), QStringLiteral("Baukosten entfernen"));
        QCOMPARE(tiles.last()->objectName(), QStringLiteral("GUID0000000"));
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(tiles[i]->geometry(), QRect(12 + 76 * (i % 4) + 2, 14 + 77 * (i / 4) + 2, 56, 56));
            QVERIFY(tiles[i]->objectName() != "GUID840" && tiles[i]->objectName() != "GUID112706");
            QLabel* frame = control<QLabel>(box, "Ship" + tiles[i]->objectName().mid(4));
            QVERIFY(frame);
            QCOMPARE(frame->geometry(), QRect(12 + 76 * (i % 4), 14 + 77 * (i / 4), 60, 60));
        }
    }

    // All sixteen tiles are drawn whole inside the picker's box, with no scroll bar.
    void pickerShowsEveryTileWhole() {
        QImage drawn;
        QList<QRect> tileRects;
        QList<QImage> tileImages;
        bool scrollBars = true;
        withPicker(0, [&](QWidget* picker) {
            auto* area = control<QScrollArea>(picker, "ShipBox");
            scrollBars = area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible();
            drawn = picker->grab().toImage();
            for (QLabel* tile : area->widget()->findChildren<QLabel*>()) {
                if (!tile->objectName().startsWith(QLatin1String("GUID")))
                    continue;
                tileRects.append(QRect(tile->mapTo(picker, QPoint(0, 0)), tile->size()));
                tileImages.append(area->widget()->grab(tile->geometry()).toImage());
                const QRect inViewport(tile->mapTo(area->viewport(), QPoint(0, 0)), tile->size());
                QVERIFY2(area->viewport()->rect().contains(inViewport), qPrintable(tile->objectName()));
            }
            picker->close();
        });
        QVERIFY(!scrollBars);
        QCOMPARE(tileRects.size(), 16);
        // Where the tiles' area is opaque, the picker shows exactly what the area draws for the tile.
        const QImage shown = drawn.convertToFormat(QImage::Format_ARGB32);
        for (int i = 0; i < tileRects.size(); ++i) {
            const QImage tile = tileImages[i].convertToFormat(QImage::Format_ARGB32);
            int opaque = 0;
            int differing = 0;
            for (int y = 0; y < tile.height(); ++y) {
                for (int x = 0; x < tile.width(); ++x) {
                    if (qAlpha(tile.pixel(x, y)) < 255)
                        continue;
                    ++opaque;
                    const QRgb a = shown.pixel(tileRects[i].topLeft() + QPoint(x, y));
                    const QRgb b = tile.pixel(x, y);
                    if ((a & 0xffffff) != (b & 0xffffff))
                        ++differing;
                }
            }
            QVERIFY(opaque > 0);
            QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 of %2").arg(differing).arg(opaque)));
        }
    }

    // The eight ships of a gas fill the list without a scroll bar; clicking the last keeps the first in view.
    void shipListShowsEightLines() {
        QCOMPARE(view()->height(), 524);
        QCOMPARE(view()->iconSize(), QSize(64, 64));
        QCOMPARE(view()->topLevelItemCount(), 8);
        QVERIFY(!view()->verticalScrollBar()->isVisible());
        QVERIFY(!view()->horizontalScrollBar()->isVisible());
        clickLine(7);
        QCOMPARE(view()->currentItem(), view()->topLevelItem(7));
        QCOMPARE(view()->verticalScrollBar()->value(), 0);
        // Every line lies inside the list's visible area and shows its whole icon.
        const QImage drawn = view()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int i = 0; i < 7; ++i) { // the last, selected line is drawn on the highlight
            QTreeWidgetItem* item = view()->topLevelItem(i);
            const QRect line = view()->visualItemRect(item);
            QVERIFY2(view()->viewport()->rect().contains(line), qPrintable(QString::number(i)));
            QImage icon(view()->iconSize(), QImage::Format_RGB32);
            icon.fill(view()->palette().color(QPalette::Base));
            QPainter painter(&icon);
            painter.drawPixmap(0, 0, item->icon(0).pixmap(view()->iconSize()));
            painter.end();
            double best = 255;
            for (int dy = 0; dy <= line.height() - 64; ++dy) {
                for (int dx = 0; dx <= 8; ++dx) {
                    const QImage part = drawn.copy(QRect(line.topLeft() + QPoint(dx, dy), icon.size()));
                    double sum = 0;
                    for (int y = 0; y < 64; ++y)
                        for (int x = 0; x < 64; ++x) {
                            const QRgb a = part.pixel(x, y);
                            const QRgb b = icon.pixel(x, y);
                            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                                   std::abs(qBlue(a) - qBlue(b));
                        }
                    best = std::min(best, sum / (64 * 64 * 3));
                }
            }
            QVERIFY2(best < 3, qPrintable(QStringLiteral("line %1: %2").arg(i).arg(best)));
        }
    }

    // The single-reset question keeps itself and its buttons on the screen for a name of any length and any
    // characters; a name that fits is shown unchanged.
    void singleResetQuestionWithAnyName_data() {
        AddColumns<QString, bool>("name", "fits");
        AddRow("long", QStringLiteral("Kolibri der sehr langen Reise ").repeated(18), false);
        AddRow("one word", QStringLiteral("X").repeated(539), false);
        AddRow("markup", QStringLiteral("<b>Kolibri</b> & Co -- \"Mö\" 'x' <!-- y -->"), true);
        AddRow("non-Latin", QStringLiteral("Дирижабль 飛行船 Ζέφυρος"), true);
    }

    void singleResetQuestionWithAnyName() {
        QFETCH(QString, name);
        QFETCH(bool, fits);
        clickLine(1);
        auto* nameEdit = control<QLineEdit>(MainForm, "ShipNameEdit");
        nameEdit->setMaxLength(32767);
        nameEdit->setText(name);
        QRect dialog, screen, ok, abort;
        QString message;
        AppFixture::onNextModal([&](QWidget* modal) {
            dialog = modal->frameGeometry();
            screen = modal->screen()->availableGeometry();
            ok = QRect(control(modal, "OKBtn")->mapTo(modal, QPoint(0, 0)), control(modal, "OKBtn")->size());
            abort = QRect(control(modal, "AbortBtn")->mapTo(modal, QPoint(0, 0)),
                          control(modal, "AbortBtn")->size());
            message = control<QLabel>(modal, "MsgBoxLabel")->text();
            QTest::mouseClick(control(modal, "AbortBtn"), Qt::LeftButton);
        });
        clickPicture("SingleResetImage");
        QVERIFY2(screen.contains(dialog),
                 qPrintable(QStringLiteral("%1 %2").arg(dialog.width()).arg(dialog.height())));
        QVERIFY(QRect(QPoint(0, 0), dialog.size()).contains(ok));
        QVERIFY(QRect(QPoint(0, 0), dialog.size()).contains(abort));
        const QString rest =
            QStringLiteral("\n\nAlle Werte für dieses Luftschiff auf die Standardwerte zurücksetzen?\n"
                           "Die entsprechende Modifikation wird komplett neu erzeugt.\n");
        QVERIFY(message.endsWith(rest));
        const QString shownName = message.chopped(rest.size());
        if (fits) {
            QCOMPARE(shownName, name);
        } else {
            QVERIFY(shownName.contains(QChar(0x2026)));
            QVERIFY(shownName.startsWith(name.left(8)));
            QVERIFY(shownName.endsWith(name.right(4)));
        }
        QCOMPARE(recordText(app(), kKolibri, "Standard/Name"), QStringLiteral("Kolibri"));
    }

    void pickingProducts() {
        clickLine(1);
        QPoint pickerAt;
        // An empty row gets amount 1.
        withPicker(3, [&pickerAt](QWidget* picker) {
            pickerAt = picker->pos();
            // The arrow of the open row is green meanwhile.
            QCOMPARE(control<QLabel>(MainForm, "ChangeCostImage3")->pixmap().toImage(),
                     PixmapFromCollection("GreenArrow", 36, 36).toImage());
            QTest::mouseClick(control(picker, "GUID1010219"), Qt::LeftButton);
        });
        QVERIFY(!ProductForm->isVisible());
        QCOMPARE(pickerAt, MainForm->frameGeometry().topLeft() + QPoint(320, 174));
        QCOMPARE(text("CostLabel3"), QStringLiteral("Stahl"));
        QCOMPARE(text("CostGUID3"), QStringLiteral("1010219"));
        QCOMPARE(box("CostSpin3")->text(), QStringLiteral("1"));
        QCOMPARE(label("CostImage3")->pixmap().toImage(),
                 PixmapFromCollection("icon_steel", 36, 36).toImage());
        QCOMPARE(label("ChangeCostImage3")->pixmap().toImage(),
                 PixmapFromCollection("BrownArrow", 36, 36).toImage());
        QCOMPARE(label("ChangeCostImage2")->pixmap().toImage(),
                 PixmapFromCollection("RedArrow", 36, 36).toImage());
        QVERIFY(MainForm->costsChanged());
        QCOMPARE(visibleMarkers(), QStringList({"CostDot3"}));

        // A row with an amount keeps it.
        typeInto("CostSpin1", "12");
        pickTile(1, "1010219");
        QCOMPARE(text("CostLabel1"), QStringLiteral("Stahl"));
        QCOMPARE(box("CostSpin1")->text(), QStringLiteral("12"));

        // The emptying rule: a shipped-empty row at 0 is empty again; a shipped row at 0 keeps its product.
        typeInto("CostSpin3", "0");
        QCOMPARE(text("CostLabel3"), QStringLiteral("keine Auswahl"));
        QCOMPARE(text("CostGUID3"), QStringLiteral("0"));
        typeInto("CostSpin0", "0");
        QCOMPARE(text("CostLabel0"), QStringLiteral("Aluminiumprofile"));
        QVERIFY(shown("CostDot0"));

        // Removing a product.
        pickTile(1, "0000000");
        QCOMPARE(text("CostLabel1"), QStringLiteral("keine Auswahl"));
        QCOMPARE(text("CostGUID1"), QStringLiteral("0"));
        QCOMPARE(box("CostSpin1")->text(), QStringLiteral("0"));
        QCOMPARE(label("CostImage1")->pixmap().toImage(),
                 PixmapFromCollection("NoProduct", 36, 36).toImage());
        QVERIFY(shown("CostDot1")); // shipped with Segel

        clickPicture("SaveBtn");
        const XmlDocument doc = XmlDocument::load(app().dataFolder() + "AirShipFull.xml");
        const XmlNodeList items = SelectShipRecord(doc, kKolibri, true).selectAll("Cost/Costs/Item");
        QCOMPARE(items.size(), 7);
        QCOMPARE(items[0].outerXml(),
                 QStringLiteral("<Item><Ingredient>838</Ingredient><!--Aluminiumprofile-->"
                                "<Amount>0</Amount></Item>"));
        QCOMPARE(items[1].outerXml(), QStringLiteral("<Item/>"));
        QCOMPARE(items[3].outerXml(), QStringLiteral("<Item/>"));
    }

    // The marker is looked at where it is drawn: visible alone is not enough, it has to show its picture.
    void costMarkersAreDrawn_data() {
        AddColumns<QString, QString>("edit", "marker");
        AddRow("amount Bretter 10 to 11", "amount", "CostDot0");
        AddRow("product for an empty row", "empty row", "CostDot4");
        AddRow("other product for a used row", "used row", "CostDot1");
        AddRow("value box", "value", "StackLimitDot");
    }

    void costMarkersAreDrawn() {
        QFETCH(QString, edit);
        QFETCH(QString, marker);
        QCOMPARE(MainForm->currentShipGuid(), QStringLiteral("2000502010")); // Mapinguari
        QCOMPARE(text("CostLabel0"), QStringLiteral("Bretter"));
        QCOMPARE(box("CostSpin0")->text(), QStringLiteral("10"));
        QVERIFY(!showsPicture(drawnAt(marker), QStringLiteral("ChangeDot")));
        if (edit == QLatin1String("amount")) {
            typeInto("CostSpin0", "11");
        } else if (edit == QLatin1String("empty row")) {
            pickTile(4, "1010219");
        } else if (edit == QLatin1String("used row")) {
            pickTile(1, "1010219");
        } else {
            typeInto("StackLimit", "60");
        }
        QCOMPARE(visibleMarkers(), QStringList({marker}));
        QVERIFY(showsPicture(drawnAt(marker), QStringLiteral("ChangeDot")));
        // Every other marker stays undrawn.
        for (int row = 0; row < 7; ++row) {
            const QString other = QStringLiteral("CostDot%1").arg(row);
            if (other != marker)
                QVERIFY2(!showsPicture(drawnAt(other), QStringLiteral("ChangeDot")), qPrintable(other));
        }
    }

    // The lift-gas row's arrow is disabled and still drawn in its own red.
    void liftGasArrowIsRed() {
        QCOMPARE(text("CostLabel3"), QStringLiteral("Helium"));
        QVERIFY(!control(MainForm, "ChangeCostImage3")->isEnabled());
        QVERIFY(showsPicture(drawnAt("ChangeCostImage3"), QStringLiteral("RedArrow")));
        QVERIFY(showsPicture(drawnAt("ChangeCostImage0"), QStringLiteral("BrownArrow")));
        // After the picker of another row closed, and for the arctic gas row of Boreas.
        pickTile(4, "1010219");
        QVERIFY(showsPicture(drawnAt("ChangeCostImage3"), QStringLiteral("RedArrow")));
        clickPicture("ArcticGasImage");
        QCOMPARE(text("CostLabel3"), QStringLiteral("Arktisgas"));
        QVERIFY(!control(MainForm, "ChangeCostImage3")->isEnabled());
        QVERIFY(showsPicture(drawnAt("ChangeCostImage3"), QStringLiteral("RedArrow")));
        // A click on it does nothing.
        clickPicture("ChangeCostImage3");
        QVERIFY(!MainForm->costsChanged());
    }

    void frameClickAndCloseBoxKeepTheRow() {
        clickLine(1);
        bool stillOpen = false;
        withPicker(4, [&stillOpen](QWidget* picker) {
            QTest::mouseClick(control(picker, "Ship1010219"), Qt::LeftButton, {}, QPoint(1, 1));
            QTest::mouseClick(control<QScrollArea>(picker, "ShipBox")->viewport(), Qt::LeftButton, {},
                              QPoint(300, 300));
            stillOpen = picker->isVisible();
            picker->close(); // the close box
        });
        QVERIFY(stillOpen);
        QCOMPARE(text("CostLabel4"), QStringLiteral("keine Auswahl"));
        QVERIFY(MainForm->costsChanged());
        QCOMPARE(label("ChangeCostImage4")->pixmap().toImage(),
                 PixmapFromCollection("BrownArrow", 36, 36).toImage());
        // The pending picker visit makes the list ask.
        QMap<QString, QString> dialog;
        AppFixture::answerNextModal("AbortBtn", &dialog);
        clickLine(2);
        QCOMPARE(dialog.value("MsgBoxLabel"), QStringLiteral("Änderungen speichern ?"));
    }

    void savingWithAndWithoutTheMod() {
        clickLine(1);
        typeInto("StackLimit", "60");
        const QMap<QString, QByteArray> before = filesBelow(app().dataFolder());
        clickPicture("SaveBtn");
        QVERIFY(!MainForm->valuesChanged() && !MainForm->costsChanged());
        QMap<QString, QByteArray> after = filesBelow(app().dataFolder());
        QVERIFY(after.value("AirShipFull.xml") != before.value("AirShipFull.xml"));
        after.remove("AirShipFull.xml");
        QMap<QString, QByteArray> rest = before;
        rest.remove("AirShipFull.xml");
        QCOMPARE(after.keys(), rest.keys());
        QVERIFY(after == rest);
        QCOMPARE(QDir(app().modFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(view()->currentItem()->text(1), QStringLiteral("Kolibri"));

        QTest::mouseClick(control<QPushButton>(MainForm, "CreateModBtn"), Qt::LeftButton);
        QCOMPARE(QDir(app().modFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList({"[Air Ships] Aerolune", "[Air Ships] Aerolune Yard"}));
    }

    void singleResetAsksWithTheTypedName() {
        clickLine(1);
        typeInto("StackLimit", "60");
        clickPicture("SaveBtn");
        auto* name = control<QLineEdit>(MainForm, "ShipNameEdit");
        name->selectAll();
        QTest::keyClicks(name, "Kolibri X");
        QMap<QString, QString> dialog;
        AppFixture::answerNextModal("OKBtn", &dialog);
        clickPicture("SingleResetImage");
        QCOMPARE(dialog.value("MsgBoxLabel"),
                 QStringLiteral(
                     "Kolibri X\n\nAlle Werte für dieses Luftschiff auf die Standardwerte zurücksetzen?\n"
                     "Die entsprechende Modifikation wird komplett neu erzeugt.\n"));
        QCOMPARE(dialog.value("OKBtn"), QStringLiteral("Ja"));
        QCOMPARE(recordText(app(), kKolibri, "ItemContainer/StackLimit"), QStringLiteral("50"));
        QCOMPARE(recordText(app(), kKolibri, "Standard/Name"), QStringLiteral("Kolibri"));
        const XmlDocument doc = XmlDocument::load(app().dataFolder() + "AirShipFull.xml");
        QCOMPARE(doc.selectSingle("/AssetList/Asset[last()]/Values/Standard/GUID").text(), kKolibri);
        QVERIFY(QDir(app().modFolder() + "[Air Ships] Aerolune").exists()); // created although it was missing
        QVERIFY(!MainForm->valuesChanged() && !MainForm->costsChanged());
        QCOMPARE(visibleMarkers(), QStringList());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void fullResetFromTheArcticList() {
        clickPicture("ArcticGasImage");
        clickLine(2);
        typeInto("StackLimit", "70");
        clickPicture("SaveBtn");
        QDir(app().modFolder()).mkpath("-[Air Ships] Aerolune Yard");
        QDir(app().modFolder()).mkpath("Other Mod");
        QMap<QString, QString> dialog;
        AppFixture::answerNextModal("AbortBtn", &dialog);
        clickPicture("FullResetImage");
        QCOMPARE(dialog.value("OKBtn"), QStringLiteral("  Zurücksetzen  "));
        QCOMPARE(dialog.value("AbortBtn"), QStringLiteral("Abbrechen"));
        QCOMPARE(dialog.value("MsgBoxLabel"), QStringLiteral("Diese Aktion setzt alle Einstellungen aller\n"
                                                             "Luftschiffe auf die Standardwerte zurück.\n"
                                                             "Vorhandene Modifikationen werden entfernt\n"));
        QCOMPARE(MainForm->currentGasType(), QStringLiteral("Arcticgas")); // "Abbrechen" changes nothing

        AppFixture::answerNextModal("OKBtn");
        clickPicture("FullResetImage");
        QCOMPARE(ReadFileBytes(app().dataFolder() + "AirShipFull.xml"),
                 ReadFileBytes(app().dataFolder() + "AirShipFullOrg.xml"));
        QCOMPARE(MainForm->currentGasType(), QStringLiteral("Heliumgas"));
        QCOMPARE(lineNames().first(), QStringLiteral("Mapinguari"));
        QCOMPARE(view()->indexOfTopLevelItem(view()->currentItem()), 0);
        QCOMPARE(MainForm->currentShipGuid(), QStringLiteral("2000502010"));
        QCOMPARE(QDir(app().modFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList({"Other Mod"}));
        QVERIFY(!MainForm->valuesChanged() && !MainForm->costsChanged());
    }

    void originalValuesWindow() {
        clickLine(1);
        typeInto("ForwardSpeed", "10");
        bool armedShown = true;
        QMap<QString, QString> seen;
        QPoint at;
        AppFixture::onNextModal([&](QWidget* window) {
            armedShown = control(window, "MilitaryShipPointsPanel")->isVisible() ||
                         control(window, "WeaponReloadTimePanel")->isVisible() ||
                         control(window, "WeaponBaseDamagePanel")->isVisible();
            for (const char* name : {"ForwardSpeed", "CraftingTime", "CostSpin3"}) {
                seen.insert(name, control<ValueBox>(window, name)->text());
            }
            for (const char* name : {"CostLabel3", "CostLabel2", "ForwardSpeedMaxValue"}) {
                seen.insert(name, control<QLabel>(window, name)->text());
            }
            seen.insert("detail", control(window, "DetailPanel")->isVisible() ? "yes" : "no");
            seen.insert("cost", control(window, "CostPanel")->isVisible() ? "yes" : "no");
            seen.insert("title", window->windowTitle());
            at = window->pos();
            window->close();
        });
        clickPicture("ImagePanelNameDetail");
        QVERIFY(!armedShown);
        QCOMPARE(seen.value("title"), QStringLiteral("Originaldaten"));
        QCOMPARE(seen.value("detail"), QStringLiteral("yes"));
        QCOMPARE(seen.value("cost"), QStringLiteral("no"));
        QCOMPARE(seen.value("ForwardSpeed"), QStringLiteral("15"));
        QCOMPARE(seen.value("ForwardSpeedMaxValue"), QStringLiteral("ca. 51 kn."));
        QCOMPARE(at, MainForm->frameGeometry().topLeft() + QPoint(720, 55));
        QCOMPARE(label("ImagePanelNameDetail")->pixmap().toImage(),
                 PixmapFromCollection("GreenList", 36, 36).toImage());

        AppFixture::onNextModal([&](QWidget* window) {
            seen.insert("CostLabel3", control<QLabel>(window, "CostLabel3")->text());
            seen.insert("CostSpin3", control<ValueBox>(window, "CostSpin3")->text());
            seen.insert("CostLabel2", control<QLabel>(window, "CostLabel2")->text());
            seen.insert("CraftingTime", control<ValueBox>(window, "CraftingTime")->text());
            seen.insert("cost", control(window, "CostPanel")->isVisible() ? "yes" : "no");
            at = window->pos();
            window->close();
        });
        clickPicture("ImagePanelNameCost");
        QCOMPARE(seen.value("cost"), QStringLiteral("yes"));
        QCOMPARE(seen.value("CostLabel3"), QStringLiteral("keine Auswahl"));
        QCOMPARE(seen.value("CostSpin3"), QStringLiteral("0"));
        QCOMPARE(seen.value("CostLabel2"), QStringLiteral("Helium"));
        QCOMPARE(seen.value("CraftingTime"), QStringLiteral("720"));
        QCOMPARE(at, MainForm->frameGeometry().topLeft() + QPoint(412, 55));
    }

    // The original-values window looks like the main window and nothing in it can be changed.
    void originalValuesWindowLook() {
        QImage drawn;
        QString font;
        QStringList icons;
        QMap<QString, QString> after;
        AppFixture::onNextModal([&](QWidget* window) {
            drawn = window->grab().toImage();
            font = control(window, "CraftingTimeCaption")->font().family();
            for (const char* name : {"CraftingTimeIcon", "StackLimitIcon", "InfluenceCostPointsIcon"}) {
                auto* icon = control<QLabel>(window, name);
                if (icon && icon->isVisible() && !icon->pixmap().isNull())
                    icons.append(name);
            }
            auto* crafting = control<ValueBox>(window, "CraftingTime");
            crafting->setFocus();
            crafting->selectAll();
            QTest::keyClicks(crafting, "99");
            QTest::keyClick(crafting, Qt::Key_Up);
            QTest::keyClick(crafting, Qt::Key_PageUp);
            after.insert("CraftingTime", crafting->text());
            auto* amount = control<ValueBox>(window, "CostSpin0");
            amount->setFocus();
            QTest::keyClick(amount, Qt::Key_Up);
            after.insert("CostSpin0", amount->text());
            window->close();
        });
        clickPicture("ImagePanelNameCost");
        QCOMPARE(after.value("CraftingTime"), QStringLiteral("900"));
        QCOMPARE(after.value("CostSpin0"), QStringLiteral("10"));
        QCOMPARE(icons, QStringList({"CraftingTimeIcon", "StackLimitIcon", "InfluenceCostPointsIcon"}));
        QCOMPARE(font, MainForm->font().family());
        // The parchment, not the system's grey: the window's corner shows the main window's backdrop.
        const QImage backdrop = ImageFromCollection("Background", drawn.width(), drawn.height());
        QCOMPARE(drawn.pixelColor(2, 2).rgb(), backdrop.pixelColor(2, 2).rgb());
        QVERIFY(drawn.pixelColor(2, 2) != QApplication::palette().color(QPalette::Window));
    }

    void badDataIsReported_data() {
        AddColumns<QString, QString>("file", "find");
        QTest::addColumn<QString>("replace"); // empty with empty find: the file is removed
        AddRow("missing original file", "AirShipFullOrg.xml", "", "");
        AddRow("missing catalogue", "ProductList.xml", "", "");
        AddRow("no record for the GUID", "AirShipFull.xml", "<GUID>2000502012</GUID>",
               "<GUID>2000502099</GUID>");
        AddRow("product not in catalogue", "ProductList.xml", "GUID=\"1010224\"", "GUID=\"4711\"");
        AddRow("speed no number", "AirShipFull.xml", "<ForwardSpeed>13</ForwardSpeed>",
               "<ForwardSpeed>dreizehn</ForwardSpeed>");
        AddRow("crafting time no number", "AirShipFull.xml", "<CraftingTime>840000</CraftingTime>",
               "<CraftingTime>lang</CraftingTime>");
    }

    void badDataIsReported() {
        QFETCH(QString, file);
        QFETCH(QString, find);
        QFETCH(QString, replace);
        clickLine(1);
        const QString path = app().dataFolder() + file;
        if (find.isEmpty()) {
            QVERIFY(QFile::remove(path));
        } else {
            QString content = QString::fromUtf8(ReadFileBytes(path));
            QVERIFY(content.contains(find));
            content.replace(find, replace);
            WriteFileAtomically(path, content.toUtf8());
        }
        const QByteArray working = ReadFileBytes(app().dataFolder() + "AirShipFull.xml");
        clickLine(2); // Allicanto
        const QStringList errors = ErrorBoundary::takeCollected();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(file) || errors.first().contains("2000502012") ||
                     errors.first().contains("4711") || errors.first().contains("dreizehn") ||
                     errors.first().contains("lang"),
                 qPrintable(errors.first()));
        QCOMPARE(ReadFileBytes(app().dataFolder() + "AirShipFull.xml"), working);
        // The window stays usable: the gas pictures still switch and load.
        QVERIFY(MainForm->isVisible());
        clickPicture("ArcticGasImage");
        QCOMPARE(MainForm->currentGasType(), QStringLiteral("Arcticgas"));
        ErrorBoundary::takeCollected();
    }

    void badBoxesStopTheSave_data() {
        AddColumns<QString, QString>("box", "typed");
        AddRow("empty crafting time", "CraftingTime", "");
        AddRow("empty speed", "ForwardSpeed", "");
    }

    void badBoxesStopTheSave() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        clickLine(1);
        typeInto("StackLimit", "60");
        typeInto(box, typed);
        const QByteArray before = ReadFileBytes(app().dataFolder() + "AirShipFull.xml");
        clickPicture("SaveBtn");
        const QStringList errors = ErrorBoundary::takeCollected();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(FindValueField(box)->caption), qPrintable(errors.first()));
        QCOMPARE(ReadFileBytes(app().dataFolder() + "AirShipFull.xml"), before);
        QVERIFY(MainForm->valuesChanged()); // the edits are still pending
    }
};

SKYLATHE_WINDOW_TEST_MAIN(TestEditorWindows)
#include "test_editor_windows.moc"
