#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The pictures of the package come from the program's artwork in resources/images (one SVG or PNG per
// picture name, names compared without regard to letter case). A picture that is not there yet is drawn
// in a simple form instead, so the package always builds.
QImage RenderArtwork(const QString& imagesFolder, const QString& name, int width, int height);

// PNG bytes of the picture. Throws SkylatheError when encoding fails.
QByteArray EncodePng(const QImage& image);
