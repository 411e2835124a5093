#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The ten textures of the yard mod ("data/maps/"): diffuse, normal and metal maps of the helium yard, the
// arctic-gas yard and the flag, and the ground decal under both yards. Drawn, not stored, 64 × 64 each.
struct YardTexture {
    QString fileName;
    QImage image;
};

QList<YardTexture> YardTextures();
