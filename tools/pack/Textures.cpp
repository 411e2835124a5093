#include "tools/pack/Textures.h"

#include <QPainter>

namespace {

constexpr int kSize = 64;

QImage Planks(const QColor& wood, const QColor& trim) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    QPainter p(&image);
    for (int row = 0; row < kSize / 8; ++row) {
        const QColor shade = (row % 2) ? wood : wood.darker(112);
        p.fillRect(0, row * 8, kSize, 8, shade);
        p.fillRect(0, row * 8 + 7, kSize, 1, wood.darker(150));
        p.fillRect(((row * 23) % kSize), row * 8, 1, 8, wood.darker(150));
    }
    p.fillRect(0, 0, kSize, 4, trim);
    p.fillRect(0, kSize - 4, kSize, 4, trim);
    return image;
}

QImage FlatNormals(int grooveEvery) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 255));
    QPainter p(&image);
    for (int y = grooveEvery - 1; y < kSize; y += grooveEvery) {
        p.fillRect(0, y, kSize, 1, QColor(128, 100, 240));
    }
    return image;
}

QImage Metal(int base) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int v = qBound(0, base + ((x * 7 + y * 13) % 17) - 8, 255);
            image.setPixel(x, y, qRgb(v, v, v));
        }
    }
    return image;
}

QImage Flag(const QColor& field, const QColor& stripe) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(field);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, kSize / 2 - 6, kSize, 12, stripe);
    p.setBrush(stripe.lighter(130));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(kSize / 2.0, kSize / 2.0), 14, 9);
    return image;
}

QImage Ground() {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool joint = (x % 16 == 0) || (y % 16 == 0);
            const int grain = ((x * 31 + y * 17) % 11) - 5;
            image.setPixel(x, y, joint ? qRgb(95, 85, 70) : qRgb(160 + grain, 145 + grain, 120 + grain));
        }
    }
    return image;
}

} // namespace

QList<YardTexture> YardTextures() {
    return {
        {QStringLiteral("aerolune_yard_helium_diff_0.dds"),
         Planks(QColor(150, 105, 60), QColor(220, 185, 70))},
        {QStringLiteral("aerolune_yard_helium_norm_0.dds"), FlatNormals(8)},
        {QStringLiteral("aerolune_yard_helium_metal_0.dds"), Metal(70)},
        {QStringLiteral("aerolune_yard_arctic_diff_0.dds"),
         Planks(QColor(130, 120, 115), QColor(190, 70, 60))},
        {QStringLiteral("aerolune_yard_arctic_norm_0.dds"), FlatNormals(8)},
        {QStringLiteral("aerolune_yard_arctic_metal_0.dds"), Metal(90)},
        {QStringLiteral("aerolune_flag_diff_0.dds"), Flag(QColor(40, 70, 120), QColor(233, 203, 148))},
        {QStringLiteral("aerolune_flag_norm_0.dds"), FlatNormals(16)},
        {QStringLiteral("aerolune_flag_metal_0.dds"), Metal(20)},
        {QStringLiteral("aerolune_yard_ground_diff_0.dds"), Ground()},
    };
}
