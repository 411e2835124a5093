#pragma once

#include "data/AtomicFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lines as UTF-8, every line (the last one too) ended by CR LF; optionally with a BOM.
QByteArray TextLinesBytes(const QStringList& lines, bool byteOrderMark = false);

// Writes the lines as UTF-8, every line (the last one too) ended by CR LF; optionally with a BOM.
void WriteTextLines(const QString& path, const QStringList& lines, bool byteOrderMark = false);

// Reads a text file as UTF-8 lines (CR LF, LF or CR line ends; a BOM is skipped). A final line end does
// not produce an empty last line. Throws SkylatheError naming the file when it cannot be read or when it
// is not valid UTF-8 (naming the position).
QStringList ReadTextLines(const QString& path);
