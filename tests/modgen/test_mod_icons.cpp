// The pictures a generation run writes, taken from the program's own image collection.
#include "app/ImageCollection.h"
#include "app/ProgramGeneration.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "modgen/CreateModification.h"
#include "modgen/Deployment.h"
#include "modgen/ModInfo.h"
#include "support/ModgenFixture.h"
#include "tests/support/DataRows.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

using namespace modgentest;

namespace {


bool hasVisiblePixel(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class TestModIcons : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void iconsAndPreviewFromTheCollection() {
        if (!QFileInfo::exists(packageData() + QStringLiteral("/AirShipFull.xml"))) {
            QSKIP("Das Datenpaket ist in diesem Build nicht gebaut.");
        }
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString data = dir.filePath(QStringLiteral("XMLD/"));
        copyTree(packageData(), data);
        GenerationContext context;
        context.dataFolder = data;
        context.modFolder = dir.filePath(QStringLiteral("mods/"));
        context.gameRunning = [] { return false; };
        context.now = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
        context.userName = QStringLiteral("Testnutzer");
        context.version = QStringLiteral("18.3.7.3");
        context.pictures = ProgramModPictures();
        QVERIFY(CreateModification(context));

        const QStringList stars{QStringLiteral("icon_airship_artic_star.png"),
                                QStringLiteral("icon_airship_hunter_light_star.png"),
                                QStringLiteral("icon_airship_hunter_star.png"),
                                QStringLiteral("icon_airship_cargo_small_star.png"),
                                QStringLiteral("icon_airship_cargo_medium_b_star.png"),
                                QStringLiteral("icon_airship_cargo_large_a_star.png")};
        QStringList expected = stars;
        expected << QStringLiteral("icon_gas_buff.png");
        expected.sort();
        const QString iconFolder = dir.filePath(kMod + QStringLiteral("data/icon/"));
        QCOMPARE(snapshot(iconFolder).keys(), expected);
        for (const QString& name : expected) {
            QImageReader reader(iconFolder + name);
            QCOMPARE(reader.format(), QByteArray("png"));
            const QImage icon = reader.read();
            QVERIFY2(!icon.isNull(), qPrintable(name + QStringLiteral(": ") + reader.errorString()));
            QCOMPARE(icon.size(), QSize(128, 128));
            QVERIFY2(hasVisiblePixel(icon), qPrintable(name));
        }

        const ImageCollection& collection = ImageCollection::instance();
        const QByteArray yard = collection.storedPng(collection.indexOf(QStringLiteral("AeroluneYard")));
        QVERIFY(!yard.isEmpty());
        QCOMPARE(ReadFileBytes(data + QStringLiteral("Active.png")), yard);
        QImage preview;
        QVERIFY(preview.loadFromData(yard, "PNG"));
        QCOMPARE(preview.size(), QSize(128, 128));

        // Every ship record points at one of the star icons just written.
        const XmlDocument assets = XmlDocument::load(
            dir.filePath(kMod + QStringLiteral("data/config/export/main/asset/assets.xml")));
        const auto records = assets.selectAll(QStringLiteral("/ModOps/ModOp[@GUID=\"114166\"]/Asset"));
        QCOMPARE(records.size(), 16);
        for (const XmlNode& record : records) {
            const QString icon = record.selectSingle(QStringLiteral("Values/Standard/IconFilename")).text();
            QVERIFY2(icon.startsWith(QStringLiteral("data/icon/")) &&
                         stars.contains(icon.mid(QStringLiteral("data/icon/").size())),
                     qPrintable(icon));
        }
    }

    // The program carries the pictures as the build rendered them; they are the collection's, byte for byte
    // what rendering them now gives.
    void builtPicturesAreTheCollections_data() {
        AddColumns<QString, bool>("name", "icon");
        for (const QString& name : ModIconNames()) {
            AddRow(qPrintable(name), name, true);
        }
        AddRow("preview", ModPreviewPictureName(), false);
    }

    void builtPicturesAreTheCollections() {
        QFETCH(QString, name);
        QFETCH(bool, icon);
        const ImageCollection& collection = ImageCollection::instance();
        const ModPictures built = ProgramModPictures();
        const QByteArray png = icon ? built.iconPng(name) : built.storedPng(name);
        QVERIFY(!png.isEmpty());
        QCOMPARE(png, icon ? collection.scaledPng(collection.indexOf(name), 128, 128)
                           : collection.storedPng(collection.indexOf(name)));
        // Looked up like the collection: without regard to letter case.
        QCOMPARE(icon ? built.iconPng(name.toUpper()) : built.storedPng(name.toUpper()), png);
    }
};

QTEST_MAIN(TestModIcons)
#include "test_mod_icons.moc"
