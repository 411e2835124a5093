#pragma once

#include <QByteArray>
#include <QString>

// Strict UTF-8: overlong forms, surrogates and code points beyond U+10FFFF count as invalid.
// The byte offset of the first invalid byte, or -1 when the bytes are valid UTF-8.
qsizetype FindInvalidUtf8(const QByteArray& bytes);

// "Zeile L, Spalte C" of a byte offset (columns count characters of valid UTF-8).
QString DescribeTextPosition(const QByteArray& bytes, qsizetype offset);

// Empty when the bytes are valid UTF-8; otherwise a German message naming the file and the position.
QString InvalidUtf8Message(const QByteArray& bytes, const QString& pathForMessages);

// Decodes the bytes; throws SkylatheError naming the file and the position of the first invalid byte.
QString DecodeUtf8Strictly(const QByteArray& bytes, const QString& pathForMessages);
