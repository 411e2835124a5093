// Pictures on a screen at 200 %: drawn from their drawings at the screen's own pixels, not enlarged.
#include "app/ImageCollection.h"
#include "tests/support/DataRows.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QtTest>

namespace {

// The largest difference of a colour channel between two pictures of the same size.
int largestDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// The picture as it looks on the label's background.
QImage onBackground(const QImage& picture, const QColor& background) {
    QImage out(picture.size(), QImage::Format_ARGB32);
    out.fill(background);
    QPainter painter(&out);
    painter.drawImage(0, 0, picture);
    return out;
}

} // namespace

class TestImagesHiDpi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shownSharp_data() {
        AddColumns<QString, int>("name", "size");
        AddRow("help book", "HelpBook", 48);
        AddRow("cost arrow", "BrownArrow", 36);
        AddRow("ship icon", "icon_airship_cargo_large_a", 118);
    }

    void shownSharp() {
        QFETCH(QString, name);
        QFETCH(int, size);
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        QWidget window;
        window.setFixedSize(200, 200);
        const QColor background(236, 210, 164);
        window.setStyleSheet(QStringLiteral("background: rgb(236, 210, 164)"));
        QLabel label(&window);
        label.setGeometry(10, 10, size, size);
        label.setPixmap(PixmapFromCollection(name, size, size));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QImage shown = label.grab().toImage();
        QCOMPARE(shown.size(), QSize(2 * size, 2 * size));
        const ImageCollection& collection = ImageCollection::instance();
        const int index = collection.indexOf(name);
        const QImage sharp = onBackground(collection.image(index, 2 * size, 2 * size), background);
        const QImage enlarged =
            onBackground(collection.image(index, size, size)
                             .scaled(2 * size, 2 * size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                         background);
        QVERIFY2(largestDifference(shown, sharp) <= 2, qPrintable(name));
        QVERIFY2(largestDifference(shown, enlarged) > 40, qPrintable(name));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestImagesHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_images_hidpi.moc"
