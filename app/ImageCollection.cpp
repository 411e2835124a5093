#include "app/ImageCollection.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <memory>

namespace {

// Pictures up to this many device pixels are kept once rendered (a 128 × 128 icon at 200 %).
constexpr qint64 kKeptPixels = 256 * 256;

QByteArray EncodePng(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        return {};
    }
    return bytes;
}

bool ValidSize(int width, int height) {
    return width > 0 && height > 0 && width <= 0xFFFF && height <= 0xFFFF;
}

} // namespace

struct ImageCollection::Entry {
    QString name;
    QString file;
    // Parsed on first use only, so building the collection costs no more than listing the names.
    mutable std::unique_ptr<QSvgRenderer> renderer;
    mutable QImage bitmap;
    mutable bool loaded = false;

    bool isSvg() const { return file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive); }

    void load() const {
        if (loaded) {
            return;
        }
        loaded = true;
        if (isSvg()) {
            renderer = std::make_unique<QSvgRenderer>(file);
            if (!renderer->isValid()) {
                renderer.reset();
            }
        } else {
            bitmap = QImage(file);
        }
    }

    QSize storedSize() const {
        load();
        if (renderer) {
            return renderer->defaultSize();
        }
        return bitmap.size();
    }

    QImage render(int width, int height) const {
        load();
        if (renderer) {
            QImage out(width, height, QImage::Format_ARGB32_Premultiplied);
            out.fill(Qt::transparent);
            QPainter painter(&out);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            renderer->render(&painter, QRectF(0, 0, width, height));
            painter.end();
            return out;
        }
        if (bitmap.isNull()) {
            return {};
        }
        return bitmap.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
};

ImageCollection::ImageCollection() {
    const QDir dir(QStringLiteral(":/images"));
    const QStringList files =
        dir.entryList({QStringLiteral("*.svg"), QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        auto* entry = new Entry;
        entry->name = QFileInfo(file).completeBaseName();
        entry->file = dir.filePath(file);
        m_entries.append(entry);
    }
}

ImageCollection::ImageCollection(const QList<QPair<QString, QString>>& entries) {
    for (const auto& [name, file] : entries) {
        auto* entry = new Entry;
        entry->name = name;
        entry->file = file;
        m_entries.append(entry);
    }
}

ImageCollection::~ImageCollection() {
    qDeleteAll(m_entries);
}

const ImageCollection& ImageCollection::instance() {
    static const ImageCollection collection;
    return collection;
}

int ImageCollection::indexOf(const QString& name) const {
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]->name.compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

int ImageCollection::count() const {
    return static_cast<int>(m_entries.size());
}

QString ImageCollection::nameAt(int index) const {
    return index >= 0 && index < m_entries.size() ? m_entries[index]->name : QString();
}

QImage ImageCollection::image(int index, int width, int height) const {
    if (index < 0 || index >= m_entries.size() || !ValidSize(width, height)) {
        return {};
    }
    return m_entries[index]->render(width, height);
}

QByteArray ImageCollection::scaledPng(int index, int width, int height) const {
    const QImage picture = image(index, width, height);
    return picture.isNull() ? QByteArray() : EncodePng(picture);
}

QPixmap ImageCollection::pixmap(int index, int width, int height, qreal devicePixelRatio) const {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int deviceWidth = static_cast<int>(std::ceil(width * ratio));
    const int deviceHeight = static_cast<int>(std::ceil(height * ratio));
    if (index < 0 || index >= m_entries.size() || !ValidSize(width, height) ||
        !ValidSize(deviceWidth, deviceHeight)) {
        return {};
    }
    const bool keep = qint64(deviceWidth) * deviceHeight <= kKeptPixels;
    const quint64 key =
        (quint64(quint32(index)) << 32) | (quint64(deviceWidth) << 16) | quint64(deviceHeight);
    if (keep) {
        const auto cached = m_rendered.constFind(key);
        if (cached != m_rendered.constEnd()) {
            QPixmap shown = *cached;
            shown.setDevicePixelRatio(ratio);
            return shown;
        }
    }
    QImage picture = m_entries[index]->render(deviceWidth, deviceHeight);
    if (picture.isNull()) {
        return {};
    }
    QPixmap shown = QPixmap::fromImage(std::move(picture));
    shown.setDevicePixelRatio(ratio);
    if (keep) {
        m_rendered.insert(key, shown);
    }
    return shown;
}

QByteArray ImageCollection::storedPng(int index) const {
    if (index < 0 || index >= m_entries.size()) {
        return {};
    }
    const QSize size = m_entries[index]->storedSize();
    const QImage picture = image(index, size.width(), size.height());
    if (picture.isNull()) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(picture.convertToFormat(QImage::Format_ARGB32));
    return bytes;
}

QImage ImageFromCollection(const ImageCollection& collection, int index, int width, int height) {
    return collection.image(index, width, height);
}

QImage ImageFromCollection(const QString& name, int width, int height) {
    const ImageCollection& collection = ImageCollection::instance();
    return collection.image(collection.indexOf(name), width, height);
}

QPixmap PixmapFromCollection(const QString& name, int width, int height) {
    const ImageCollection& collection = ImageCollection::instance();
    // The highest ratio of the program's screens: a window moved there stays sharp.
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    return collection.pixmap(collection.indexOf(name), width, height, ratio);
}
