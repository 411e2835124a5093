#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The picture of the collection that the mod shows as its preview, written as it is stored.
QString ModPreviewPictureName();

// The 44 lines of the mod's "modinfo.json" with the given program version and the base64 text of the
// preview picture.
QStringList ModInfoLines(const QString& version, const QString& imageBase64);

// The whole "modinfo.json" (UTF-8 without BOM, CR LF after every line).
QByteArray ModInfoBytes(const QString& version, const QString& imageBase64);

// Writes the preview picture (PNG bytes as stored) to dataFolder + "Active.png", removes a leftover
// dataFolder + "ActiveIcon.png", and returns the whole modinfo.json (as ModInfoBytes) with the picture
// encoded from the written file.
QByteArray PrepareModInfo(const QString& dataFolder, const QString& version, const QByteArray& previewPng);

// The whole file as one line of base64 (RFC 4648 alphabet, "=" padding). Throws SkylatheError naming the
// file when it cannot be read.
QString EncodeFileBase64(const QString& path);
