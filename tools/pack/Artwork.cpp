#include "tools/pack/Artwork.h"

#include "app/ImageCollection.h"
#include "data/Error.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPainterPath>

namespace {

QString FindArtworkFile(const QString& imagesFolder, const QString& name) {
    const QDir dir(imagesFolder);
    for (const QString& suffix : {QStringLiteral(".svg"), QStringLiteral(".png")}) {
        for (const QString& entry : dir.entryList(QDir::Files)) {
            if (entry.compare(name + suffix, Qt::CaseInsensitive) == 0) {
                return dir.filePath(entry);
            }
        }
    }
    return QString();
}

void DrawAirship(QPainter& p, const QRectF& r, const QColor& hull) {
    const QRectF envelope(r.left() + r.width() * 0.08, r.top() + r.height() * 0.22, r.width() * 0.84,
                          r.height() * 0.38);
    QLinearGradient shade(envelope.topLeft(), envelope.bottomLeft());
    shade.setColorAt(0, hull.lighter(140));
    shade.setColorAt(1, hull.darker(130));
    p.setPen(QPen(QColor(60, 45, 30), r.width() / 64.0));
    p.setBrush(shade);
    p.drawEllipse(envelope);
    QPainterPath fin;
    fin.moveTo(envelope.left() + envelope.width() * 0.05, envelope.center().y());
    fin.lineTo(envelope.left() - r.width() * 0.04, envelope.top() - r.height() * 0.02);
    fin.lineTo(envelope.left() - r.width() * 0.04, envelope.bottom() + r.height() * 0.02);
    fin.closeSubpath();
    p.drawPath(fin);
    const QRectF gondola(r.left() + r.width() * 0.36, envelope.bottom() + r.height() * 0.06, r.width() * 0.28,
                         r.height() * 0.12);
    p.drawLine(QPointF(gondola.left() + gondola.width() * 0.2, envelope.bottom() - r.height() * 0.02),
               gondola.topLeft() + QPointF(gondola.width() * 0.2, 0));
    p.drawLine(QPointF(gondola.right() - gondola.width() * 0.2, envelope.bottom() - r.height() * 0.02),
               gondola.topRight() - QPointF(gondola.width() * 0.2, 0));
    p.setBrush(QColor(120, 80, 45));
    p.drawRoundedRect(gondola, r.width() * 0.03, r.width() * 0.03);
}

void DrawYard(QPainter& p, const QRectF& r) {
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(150, 190, 220));
    sky.setColorAt(1, QColor(233, 203, 148));
    p.fillRect(r, sky);
    const QRectF hall(r.left() + r.width() * 0.1, r.top() + r.height() * 0.55, r.width() * 0.8,
                      r.height() * 0.35);
    QPainterPath roof;
    roof.moveTo(hall.bottomLeft());
    roof.lineTo(hall.topLeft());
    roof.quadTo(QPointF(hall.center().x(), hall.top() - r.height() * 0.2), hall.topRight());
    roof.lineTo(hall.bottomRight());
    roof.closeSubpath();
    p.setPen(QPen(QColor(60, 45, 30), r.width() / 64.0));
    p.setBrush(QColor(140, 95, 55));
    p.drawPath(roof);
    p.setBrush(QColor(70, 57, 48));
    p.drawRect(QRectF(hall.center().x() - hall.width() * 0.15, hall.top() + hall.height() * 0.25,
                      hall.width() * 0.3, hall.height() * 0.75));
    DrawAirship(p, QRectF(r.left(), r.top() - r.height() * 0.08, r.width(), r.height() * 0.6),
                QColor(200, 170, 110));
}

void DrawGas(QPainter& p, const QRectF& r, const QColor& colour) {
    const QRectF bottle(r.left() + r.width() * 0.3, r.top() + r.height() * 0.2, r.width() * 0.4,
                        r.height() * 0.72);
    QLinearGradient shade(bottle.topLeft(), bottle.topRight());
    shade.setColorAt(0, colour.lighter(150));
    shade.setColorAt(1, colour.darker(140));
    p.setPen(QPen(QColor(60, 45, 30), r.width() / 48.0));
    p.setBrush(shade);
    p.drawRoundedRect(bottle, r.width() * 0.12, r.width() * 0.12);
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(r.left() + r.width() * 0.43, r.top() + r.height() * 0.08, r.width() * 0.14,
                      r.height() * 0.13));
}

QImage DrawFallback(const QString& name, int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, width, height);
    const QString lower = name.toLower();
    if (lower.contains(QLatin1String("yard"))) {
        DrawYard(p, r);
    } else if (lower == QLatin1String("heliumgas")) {
        DrawGas(p, r, QColor(230, 190, 60));
    } else if (lower == QLatin1String("arcticgas")) {
        DrawGas(p, r, QColor(200, 70, 60));
    } else {
        DrawAirship(p, r, QColor(170, 150, 120));
    }
    return image;
}

} // namespace

QImage RenderArtwork(const QString& imagesFolder, const QString& name, int width, int height) {
    const QString file = FindArtworkFile(imagesFolder, name);
    if (!file.isEmpty()) {
        // Drawn exactly as the program's image collection draws it.
        const ImageCollection artwork({{name, file}});
        const QImage image = artwork.image(0, width, height);
        if (!image.isNull()) {
            return image;
        }
    }
    return DrawFallback(name, width, height);
}

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
        throw SkylatheError(QStringLiteral("Ein Bild ließ sich nicht als PNG speichern."));
    }
    return bytes;
}
