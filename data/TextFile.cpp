#include "data/TextFile.h"

#include "data/Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QByteArray TextLinesBytes(const QStringList& lines, bool byteOrderMark) {
    QByteArray bytes;
    if (byteOrderMark) {
        bytes.append("\xEF\xBB\xBF");
    }
    for (const QString& line : lines) {
        bytes.append(line.toUtf8());
        bytes.append("\r\n");
    }
    return bytes;
}

void WriteTextLines(const QString& path, const QStringList& lines, bool byteOrderMark) {
    WriteFileAtomically(path, TextLinesBytes(lines, byteOrderMark));
}

QStringList ReadTextLines(const QString& path) {
    QByteArray bytes = ReadFileBytes(path);
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QString text = DecodeUtf8Strictly(bytes, path);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}
