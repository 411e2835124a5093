#pragma once

#include <QByteArray>
#include <QImage>

// Encodes the picture as a DXT1 (BC1) texture in a DDS file: the 128-byte header ("DDS " and the 124-byte
// header with its pixel format) followed by the full chain of mip levels down to 1 × 1. Width and height
// must be powers of two.
QByteArray EncodeDxt1Dds(const QImage& image);
