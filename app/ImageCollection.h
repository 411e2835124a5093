#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>

// The store of every picture the program shows or writes: named entries, each with one or more source
// pictures (SVG drawings rendered at the requested size, or stored bitmaps). Names are looked up without
// regard to letter case; the first match wins.
class ImageCollection {
public:
    // The program's collection, built once from the embedded artwork.
    static const ImageCollection& instance();

    // Index of the first entry whose name equals `name` ignoring case; -1 when there is none.
    int indexOf(const QString& name) const;
    int count() const;
    QString nameAt(int index) const;

    // The entry's picture scaled to width × height; a null image for an index out of range.
    QImage image(int index, int width, int height) const;
    // The entry's picture as stored (for "AeroluneYard": the 128 × 128 PNG), as PNG bytes; empty when the
    // index is out of range.
    QByteArray storedPng(int index) const;

private:
    ImageCollection();
    struct Entry;
    QList<Entry*> m_entries;
};

// The picture named `name` from the collection, scaled to width × height; a null image (and so an empty
// control) for a name the collection does not hold.
QImage ImageFromCollection(const ImageCollection& collection, int index, int width, int height);
QImage ImageFromCollection(const QString& name, int width, int height);
QPixmap PixmapFromCollection(const QString& name, int width, int height);
