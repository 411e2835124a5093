#include "app/ImageCollection.h"
#include "tests/support/DataRows.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QtTest>

class TestImages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyNameInUse_data() {
        QTest::addColumn<QString>("name");
        const QStringList names = {"HeliumgasSelected",
                                   "Heliumgas",
                                   "ArcticgasSelected",
                                   "Arcticgas",
                                   "icon_airship_artic",
                                   "icon_airship_hunter_light",
                                   "icon_airship_hunter",
                                   "icon_airship_cargo_small",
                                   "icon_airship_cargo_medium_b",
                                   "icon_airship_cargo_large_a",
                                   "icon_resource_money",
                                   "icon_wooden_planks",
                                   "icon_aluminium",
                                   "icon_weapons",
                                   "icon_steel",
                                   "icon_brass",
                                   "icon_sail",
                                   "icon_linen_fabric",
                                   "icon_cotton_fur",
                                   "icon_caoutchouc",
                                   "icon_lacquer",
                                   "icon_steam_machine",
                                   "icon_motor",
                                   "icon_electric_cable_3",
                                   "icon_extinguisher",
                                   "delete",
                                   "icon_gas_red",
                                   "icon_helium",
                                   "NoProduct",
                                   "ProductShape",
                                   "RedArrow",
                                   "BrownArrow",
                                   "GreenArrow",
                                   "GreenList",
                                   "BrownList",
                                   "Frage",
                                   "Ja",
                                   "Nein",
                                   "AeroluneYard",
                                   "icon_gas_buff",
                                   "Background",
                                   "VelmoraLogo",
                                   "Yard",
                                   "Image1",
                                   "Decoration",
                                   "SingleReset",
                                   "FullReset",
                                   "HelpBook",
                                   "ChangeDot",
                                   "Armed",
                                   "PanelSpeed",
                                   "PanelCargoFactor",
                                   "PanelSessionFactor",
                                   "PanelTradePoints",
                                   "PanelAirFleetPoints",
                                   "PanelMaintenance",
                                   "PanelCraftingTime",
                                   "PanelSlots",
                                   "PanelSockets",
                                   "PanelStackLimit",
                                   "PanelInfluence",
                                   "PanelHitPoints",
                                   "PanelShafts",
                                   "PanelReload",
                                   "PanelDamage",
                                   "PanelMilitary"};
        for (const QString& name : names) {
            AddRow(qPrintable(name), name);
        }
        for (const char* ship :
             {"artic", "hunter_light", "hunter", "cargo_small", "cargo_medium_b", "cargo_large_a"}) {
            const QString name = QStringLiteral("icon_airship_%1_star").arg(ship);
            AddRow(qPrintable(name), name);
        }
    }

    // Every name the program asks for comes out at the sizes its callers request.
    void everyNameInUse() {
        QFETCH(QString, name);
        for (const int size : {100, 128, 64, 58, 36, 32}) {
            const QImage image = ImageFromCollection(name, size, size);
            QVERIFY2(!image.isNull(), qPrintable(name));
            QCOMPARE(image.size(), QSize(size, size));
        }
        QVERIFY(!PixmapFromCollection(name, 118, 118).isNull());
    }

    void storedSizes_data() {
        AddColumns<QString, QSize>("name", "size");
        AddRow("AeroluneYard", "AeroluneYard", QSize(128, 128));
        AddRow("Background", "Background", QSize(1390, 716));
        AddRow("VelmoraLogo", "VelmoraLogo", QSize(116, 42));
        AddRow("Yard", "Yard", QSize(100, 100));
        AddRow("Decoration", "Decoration", QSize(96, 96));
        AddRow("SingleReset", "SingleReset", QSize(44, 44));
        AddRow("ChangeDot", "ChangeDot", QSize(12, 36));
    }

    void storedSizes() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const ImageCollection& c = ImageCollection::instance();
        QCOMPARE(QImage::fromData(c.storedPng(c.indexOf(name)), "PNG").size(), size);
    }

    void lookup() {
        const ImageCollection& c = ImageCollection::instance();
        // The embedded artwork is there although the collection lives in a static library.
        QVERIFY(c.count() >= 56);
        QCOMPARE(c.nameAt(c.indexOf("ICON_AIRSHIP_HUNTER_STAR")), QStringLiteral("icon_airship_hunter_Star"));
        QCOMPARE(c.indexOf("icon_airship_hunte"), -1);
        QVERIFY(ImageFromCollection("kein_bild", 36, 36).isNull());
        QVERIFY(PixmapFromCollection("", 36, 36).isNull());
        QVERIFY(c.image(c.indexOf("Frage"), 0, 36).isNull());
        QVERIFY(c.image(c.count(), 36, 36).isNull());
        QVERIFY(c.storedPng(-1).isEmpty());

        // First match wins among names equal but for letter case.
        const ImageCollection dup(QList<QPair<QString, QString>>{{"Pfeil", ":/images/RedArrow.svg"},
                                                                 {"PFEIL", ":/images/GreenArrow.svg"},
                                                                 {"Kaputt", ":/images/does-not-exist.svg"}});
        QCOMPARE(dup.indexOf("pfeil"), 0);
        QCOMPARE(dup.image(dup.indexOf("PFEIL"), 36, 36), c.image(c.indexOf("RedArrow"), 36, 36));
        QVERIFY(dup.image(2, 36, 36).isNull());
    }

    void storedPngOfTheYard() {
        const ImageCollection& c = ImageCollection::instance();
        const QByteArray png = c.storedPng(c.indexOf("aeroluneyard"));
        QVERIFY(png.startsWith("\x89PNG"));
        const ImageCollection fresh(
            QList<QPair<QString, QString>>{{"AeroluneYard", ":/images/AeroluneYard.svg"}});
        QCOMPARE(fresh.storedPng(0), png); // the same bytes from a fresh render
    }

    void renderingCost() {
        const ImageCollection fresh(
            QList<QPair<QString, QString>>{{"Schiff", ":/images/icon_airship_cargo_large_a.svg"}});
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!fresh.pixmap(0, 64, 64, 1.0).isNull());
        const qint64 first = timer.nsecsElapsed();
        timer.restart();
        for (int i = 0; i < 100; ++i) {
            fresh.pixmap(0, 64, 64, 1.0);
        }
        qInfo("64 x 64 ship icon: first render %.2f ms, cached %.4f ms", first / 1e6,
              timer.nsecsElapsed() / 100e6);
    }
};

QTEST_MAIN(TestImages)
#include "test_images.moc"
