#include "tools/pack/Dds.h"

#include "data/Error.h"

#include <QtEndian>
#include <array>

namespace {

constexpr quint32 kHeaderCaps = 0x1, kHeaderHeight = 0x2, kHeaderWidth = 0x4, kHeaderPixelFormat = 0x1000,
                  kHeaderMipCount = 0x20000, kHeaderLinearSize = 0x80000;
constexpr quint32 kPixelFourCC = 0x4;
constexpr quint32 kCapsComplex = 0x8, kCapsTexture = 0x1000, kCapsMipmap = 0x400000;

void Put32(QByteArray& out, quint32 v) {
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

quint16 To565(QRgb c) {
    return quint16(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
}

QRgb From565(quint16 c) {
    const int r = (c >> 11) & 0x1F, g = (c >> 5) & 0x3F, b = c & 0x1F;
    return qRgb((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// The block's brightest and darkest pixel span the palette; good enough for the soft patterns we ship.
void EncodeBlock(const QImage& image, int bx, int by, QByteArray& out) {
    std::array<QRgb, 16> pixels{};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            pixels[size_t(y * 4 + x)] =
                image.pixel(qMin(bx + x, image.width() - 1), qMin(by + y, image.height() - 1));
        }
    }
    QRgb low = pixels[0], high = pixels[0];
    for (const QRgb p : pixels) {
        if (qGray(p) < qGray(low)) {
            low = p;
        }
        if (qGray(p) > qGray(high)) {
            high = p;
        }
    }
    quint16 c0 = To565(high), c1 = To565(low);
    if (c0 < c1) {
        std::swap(c0, c1);
    }
    quint32 indices = 0;
    if (c0 != c1) {
        const QRgb p0 = From565(c0), p1 = From565(c1);
        const std::array<QRgb, 4> palette{
            p0, p1,
            qRgb((2 * qRed(p0) + qRed(p1)) / 3, (2 * qGreen(p0) + qGreen(p1)) / 3,
                 (2 * qBlue(p0) + qBlue(p1)) / 3),
            qRgb((qRed(p0) + 2 * qRed(p1)) / 3, (qGreen(p0) + 2 * qGreen(p1)) / 3,
                 (qBlue(p0) + 2 * qBlue(p1)) / 3)};
        for (int i = 0; i < 16; ++i) {
            quint32 best = 0;
            for (quint32 k = 1; k < 4; ++k) {
                if (Distance(pixels[size_t(i)], palette[k]) < Distance(pixels[size_t(i)], palette[best])) {
                    best = k;
                }
            }
            indices |= best << (2 * i);
        }
    }
    const quint16 le0 = qToLittleEndian(c0), le1 = qToLittleEndian(c1);
    out.append(reinterpret_cast<const char*>(&le0), 2);
    out.append(reinterpret_cast<const char*>(&le1), 2);
    Put32(out, indices);
}

bool IsPowerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

} // namespace

QByteArray EncodeDxt1Dds(const QImage& source) {
    if (!IsPowerOfTwo(source.width()) || !IsPowerOfTwo(source.height())) {
        throw SkylatheError(QStringLiteral("Texturen brauchen Kantenlängen, die Zweierpotenzen sind."));
    }
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    int levels = 1;
    for (int s = qMax(image.width(), image.height()); s > 1; s /= 2) {
        ++levels;
    }
    QByteArray out("DDS ");
    Put32(out, 124);
    Put32(out, kHeaderCaps | kHeaderHeight | kHeaderWidth | kHeaderPixelFormat | kHeaderMipCount |
                   kHeaderLinearSize);
    Put32(out, quint32(image.height()));
    Put32(out, quint32(image.width()));
    Put32(out, quint32(qMax(1, image.width() / 4) * qMax(1, image.height() / 4) * 8));
    Put32(out, 0); // depth
    Put32(out, quint32(levels));
    for (int i = 0; i < 11; ++i) {
        Put32(out, 0);
    }
    Put32(out, 32); // pixel format size
    Put32(out, kPixelFourCC);
    out.append("DXT1", 4);
    for (int i = 0; i < 5; ++i) {
        Put32(out, 0); // bit count and masks
    }
    Put32(out, kCapsTexture | kCapsComplex | kCapsMipmap);
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0); // caps 2 to 4, reserved
    }
    for (int level = 0; level < levels; ++level) {
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4) {
                EncodeBlock(image, x, y, out);
            }
        }
        image = image.scaled(qMax(1, image.width() / 2), qMax(1, image.height() / 2), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    }
    return out;
}
