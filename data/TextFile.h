#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Atomic file writes: the bytes go to a temporary file beside the target, which is then renamed into
// place, so a failing write never leaves a torn file. Throws SkylatheError with the system's text.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Writes the lines as UTF-8, every line (the last one too) ended by CR LF; optionally with a BOM.
void WriteTextLines(const QString& path, const QStringList& lines, bool byteOrderMark = false);

// Reads a text file as UTF-8 lines (CR LF, LF or CR line ends; a BOM is skipped). A final line end does
// not produce an empty last line. Throws SkylatheError naming the file when it cannot be read.
QStringList ReadTextLines(const QString& path);

// Reads a whole file. Throws SkylatheError naming the file when it cannot be read.
QByteArray ReadFileBytes(const QString& path);
