#include "app/Forms.h"
#include "app/ImageCollection.h"
#include "data/Error.h"
#include "data/TextFile.h"
#include "modgen/GasFormUnit.h"
#include "support/ModgenFixture.h"
#include "tests/support/AppFixture.h"
#include "tests/support/WindowTestMain.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace modgentest;

namespace {

const QStringList kSwitches{QStringLiteral("CoalMineImage"), QStringLiteral("IronMineImage"),
                            QStringLiteral("CopperMIneImage"), QStringLiteral("TinMineImage"),
                            QStringLiteral("GoldMineImage")};

QLabel* switchOf(QWidget* form, const QString& name) {
    return form->findChild<QLabel*>(name);
}

// What the switch shows: "Ja", "Nein" or "" (no picture), judged by its pixels.
QString shown(QWidget* form, const QString& name) {
    const QLabel* label = switchOf(form, name);
    if (!label) {
        return QStringLiteral("<fehlt>");
    }
    const QImage image = label->pixmap().toImage();
    if (image.isNull()) {
        return QString();
    }
    for (const QString& picture : {QStringLiteral("Ja"), QStringLiteral("Nein")}) {
        if (image == PixmapFromCollection(picture, 32, 32).toImage()) {
            return picture;
        }
    }
    return QStringLiteral("<anderes Bild>");
}

QStringList shownAll(QWidget* form) {
    QStringList states;
    for (const QString& name : kSwitches) {
        states << shown(form, name);
    }
    return states;
}

void clickSwitch(QWidget* form, const QString& name) {
    QLabel* label = switchOf(form, name);
    // Right of the picture, on the caption: the whole area of the switch reacts.
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(150, 16));
}

} // namespace

class TestGasForm : public QObject {
    Q_OBJECT

private:
    QString minePath(const AppFixture& app) const {
        return app.dataFolder() + QStringLiteral("GasMines.xml");
    }

    // The shipped mine list with the Goldmine row's Status set to `gold`.
    static QByteArray shippedWithGold(const QByteArray& shipped, const char* gold) {
        QByteArray changed = shipped;
        changed.replace("GUID=\"101311\" Name=\"Goldmine\" Status=\"false\"",
                        QByteArray("GUID=\"101311\" Name=\"Goldmine\" Status=\"") + gold + "\"");
        return changed;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(ImageCollection::instance().indexOf(QStringLiteral("Ja")) >= 0);
        QVERIFY(ImageCollection::instance().indexOf(QStringLiteral("Nein")) >= 0);
        QVERIFY(PixmapFromCollection(QStringLiteral("Ja"), 32, 32).toImage() !=
                PixmapFromCollection(QStringLiteral("Nein"), 32, 32).toImage());
    }

    // Through the main window's button, as the user opens it: shipped file all "Nein"; a click on Goldmine
    // shows "Ja" and changes only that row's Status; a second click restores the file.
    void shippedFileAndGoldMine() {
        AppFixture app;
        QVERIFY(app.start());
        const QByteArray shipped = ReadFileBytes(minePath(app));
        QVERIFY(shipped.contains("GUID=\"101311\" Name=\"Goldmine\" Status=\"false\""));

        QStringList before, afterFirst, afterSecond;
        QByteArray fileAfterFirst, fileAfterSecond;
        QString title;
        QSize size;
        bool sawDialog = false;
        AppFixture::onNextModal([&](QWidget* dialog) {
            if (dialog != GasForm) {
                return;
            }
            sawDialog = true;
            title = dialog->windowTitle();
            size = dialog->frameGeometry().size();
            before = shownAll(dialog);
            clickSwitch(dialog, QStringLiteral("GoldMineImage"));
            afterFirst = shownAll(dialog);
            fileAfterFirst = ReadFileBytes(minePath(app));
            clickSwitch(dialog, QStringLiteral("GoldMineImage"));
            afterSecond = shownAll(dialog);
            fileAfterSecond = ReadFileBytes(minePath(app));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CloseBtn")), Qt::LeftButton);
        });
        AppFixture::click(QStringLiteral("AddGasBuffToMinesBtn"));

        QVERIFY(sawDialog);
        QVERIFY(!GasForm->isVisible());
        QCOMPARE(title, QStringLiteral("Gasproduktion"));
        QCOMPARE(size, QSize(372, 341));
        const QStringList no(5, QStringLiteral("Nein"));
        QCOMPARE(before, no);
        QCOMPARE(afterFirst, QStringList({"Nein", "Nein", "Nein", "Nein", "Ja"}));
        QCOMPARE(fileAfterFirst, shippedWithGold(shipped, "true"));
        QCOMPARE(afterSecond, no);
        QCOMPARE(fileAfterSecond, shipped);
        QCOMPARE(app.takeErrors(), QStringList());
    }

    // Rows the dialog cannot switch: unknown states and missing rows show no picture and ignore clicks;
    // the Status is found by position; the sixth mine is never touched.
    void unusualRows() {
        AppFixture app;
        QVERIFY(app.start());
        const QByteArray file("<GasMines>\r\n"
                              "\t<GasMine GUID=\"1010305\" Name=\"Eisenmine\" Status=\"True\"/>\r\n"
                              "\t<GasMine GUID=\"1010307\" Name=\"Zinkmine\" Status=\" true\"/>\r\n"
                              "\t<GasMine GUID=\"1010308\" Name=\"Kupfermine\" Status=\"true\"/>\r\n"
                              "\t<GasMine GUID=\"1010309\" Name=\"Zementmine\" Status=\"true\"/>\r\n"
                              "\t<GasMine GUID=\"101311\" Status=\"true\" Name=\"false\"/>\r\n"
                              "</GasMines>\r\n");
        WriteFileAtomically(minePath(app), file);
        GasForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(GasForm));
        QCOMPARE(shownAll(GasForm), QStringList({"", "", "Ja", "", "Nein"}));

        for (const QString& name : {QStringLiteral("CoalMineImage"), QStringLiteral("IronMineImage"),
                                    QStringLiteral("TinMineImage")}) {
            clickSwitch(GasForm, name);
        }
        QCOMPARE(ReadFileBytes(minePath(app)), file);

        clickSwitch(GasForm, QStringLiteral("GoldMineImage"));
        clickSwitch(GasForm, QStringLiteral("CopperMIneImage"));
        QCOMPARE(shownAll(GasForm), QStringList({"", "", "Nein", "", "Ja"}));
        QByteArray expected = file;
        expected.replace("Status=\"true\" Name=\"false\"", "Status=\"true\" Name=\"true\"");
        expected.replace("Name=\"Kupfermine\" Status=\"true\"", "Name=\"Kupfermine\" Status=\"false\"");
        QCOMPARE(ReadFileBytes(minePath(app)), expected);
        GasForm->close();
    }

    // Showing again reloads the file; a save that fails reports the error and the switch keeps showing
    // what the file holds.
    void reloadAndFailingSave() {
        AppFixture app;
        QVERIFY(app.start());
        const QByteArray shipped = ReadFileBytes(minePath(app));
        GasForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(GasForm));
        GasForm->close();
        WriteFileAtomically(minePath(app), shippedWithGold(shipped, "true"));
        GasForm->show();
        QCOMPARE(shown(GasForm, QStringLiteral("GoldMineImage")), QStringLiteral("Ja"));

        // The data folder turns into a file: the mine list can no longer be saved.
        const QString data = app.dataFolder().chopped(1);
        QVERIFY(QDir(data).removeRecursively());
        WriteFileAtomically(data, "kein Ordner");
        QVERIFY_THROWS_EXCEPTION(SkylatheError, GasForm->GoldMineImageClick());
        QCOMPARE(shown(GasForm, QStringLiteral("GoldMineImage")), QStringLiteral("Ja"));
        // A user's click ends in the general error display, and the dialog stays usable.
        app.takeErrors();
        clickSwitch(GasForm, QStringLiteral("GoldMineImage"));
        const QStringList errors = app.takeErrors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QStringLiteral("GasMines.xml")), qPrintable(errors.first()));
        QCOMPARE(shown(GasForm, QStringLiteral("GoldMineImage")), QStringLiteral("Ja"));
        QVERIFY(GasForm->isVisible());
        GasForm->close();
    }
};

SKYLATHE_WINDOW_TEST_MAIN(TestGasForm)
#include "test_gasform.moc"
