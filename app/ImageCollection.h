#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QPair>
#include <QPixmap>
#include <QString>

// The store of every picture the program shows or writes: named entries, each with one or more source
// pictures (SVG drawings rendered at the requested size, or stored bitmaps). Names are looked up without
// regard to letter case; the first match wins. A picture is rendered when it is first asked for, at the
// size asked for, and for the screen at its device pixel ratio, so that it stays sharp at 200 %.
//
// Besides the names the data files and windows ask for, the collection holds these pictures of the main
// window and the dialogs:
//   "Background"   1390 × 716  backdrop of the main window
//   "VelmoraLogo"  116 × 42    the game's logo (VelmoraImage)
//   "Yard"         100 × 100   picture of the yard building (YardImage)
//   "Image1"       decorative emblem above the version label
//   "Decoration"   96 × 96     decorative picture of the mine dialog
//   "SingleReset"  44 × 44     reset of one ship (SingleResetImage)
//   "FullReset"    reset of all ships (FullResetImage)
//   "HelpBook"     opens the information window (HelpImage)
//   "BrownList"    36 × 36     the original-values pictures at rest (ImagePanelNameCost/Detail);
//                              "GreenList" marks the one clicked
//   "ChangeDot"    12 × 36     change marker of a value or cost row
//   "Armed"        symbol of an armed ship (ArmedImage)
class ImageCollection {
public:
    // The program's collection, built once from the embedded artwork.
    static const ImageCollection& instance();

    // A collection of the given (name, picture file) entries in this order; the files may be Qt resource
    // paths. SVG files are rendered, other files are read as bitmaps.
    explicit ImageCollection(const QList<QPair<QString, QString>>& entries);
    ~ImageCollection();
    ImageCollection(const ImageCollection&) = delete;
    ImageCollection& operator=(const ImageCollection&) = delete;

    // Index of the first entry whose name equals `name` ignoring case; -1 when there is none.
    int indexOf(const QString& name) const;
    int count() const;
    QString nameAt(int index) const;

    // The entry's picture scaled to width × height; a null image for an index out of range, an empty size
    // or a picture that cannot be read.
    QImage image(int index, int width, int height) const;
    // The same as PNG data, as a generation run writes it; empty where image() is null.
    QByteArray scaledPng(int index, int width, int height) const;
    // The picture for a control of width × height (device-independent pixels) on a screen with the given
    // device pixel ratio: rendered at the screen's own pixels. Small pictures are kept for the next call.
    QPixmap pixmap(int index, int width, int height, qreal devicePixelRatio) const;
    // The entry's picture as stored (for "AeroluneYard": the 128 × 128 PNG), as PNG bytes; empty when the
    // index is out of range. The bytes are the same on every run.
    QByteArray storedPng(int index) const;

private:
    ImageCollection();
    struct Entry;
    QList<Entry*> m_entries;
    // Small rendered pictures by (index, device width, device height): the same icons are asked for again
    // and again. Large ones (the backdrops) are shown once and not kept twice.
    mutable QHash<quint64, QPixmap> m_rendered;
};

// The picture named `name` from the collection, scaled to width × height; a null image (and so an empty
// control) for a name the collection does not hold.
QImage ImageFromCollection(const ImageCollection& collection, int index, int width, int height);
QImage ImageFromCollection(const QString& name, int width, int height);
// The same for a control of width × height, at the device pixel ratio of the program's screens.
QPixmap PixmapFromCollection(const QString& name, int width, int height);
