#include "data/Utf8.h"

#include "data/Error.h"

#include <QDir>

qsizetype FindInvalidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            min = 0x80;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            min = 0x800;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            min = 0x10000;
            code = c & 0x07;
        } else {
            return i;
        }
        if (i + length > n) {
            return i;
        }
        for (int k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) {
                return i;
            }
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return i;
        }
        i += length;
    }
    return -1;
}

QString DescribeTextPosition(const QByteArray& bytes, qsizetype offset) {
    qsizetype line = 1;
    qsizetype column = 1;
    const qsizetype end = qMin(offset, bytes.size());
    for (qsizetype i = 0; i < end; ++i) {
        const unsigned char c = uchar(bytes[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80 && c != '\r') {
            ++column;
        }
    }
    return QStringLiteral("Zeile %1, Spalte %2").arg(line).arg(column);
}

QString InvalidUtf8Message(const QByteArray& bytes, const QString& pathForMessages) {
    const qsizetype bad = FindInvalidUtf8(bytes);
    if (bad < 0) {
        return QString();
    }
    return QStringLiteral(
               "Die Datei „%1“ ist keine gültige UTF-8-Datei: Das Byte 0x%2 in %3 ist kein gültiges "
               "UTF-8-Zeichen. Es wurde nichts verändert. Bitte speichern Sie die Datei in der "
               "Kodierung UTF-8.")
        .arg(QDir::toNativeSeparators(pathForMessages))
        .arg(uchar(bytes[bad]), 2, 16, QLatin1Char('0'))
        .arg(DescribeTextPosition(bytes, bad));
}

QString DecodeUtf8Strictly(const QByteArray& bytes, const QString& pathForMessages) {
    const QString message = InvalidUtf8Message(bytes, pathForMessages);
    if (!message.isEmpty()) {
        throw SkylatheError(message);
    }
    return QString::fromUtf8(bytes);
}
