#include "data/TextFile.h"

#include "data/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Without this, a folder that forbids creating the temporary file would make QSaveFile fall back
    // to writing the target in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        throw SkylatheError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        throw SkylatheError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}

void WriteTextLines(const QString& path, const QStringList& lines, bool byteOrderMark) {
    QByteArray bytes;
    if (byteOrderMark) {
        bytes.append("\xEF\xBB\xBF");
    }
    for (const QString& line : lines) {
        bytes.append(line.toUtf8());
        bytes.append("\r\n");
    }
    WriteFileAtomically(path, bytes);
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw SkylatheError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return file.readAll();
}

QStringList ReadTextLines(const QString& path) {
    QByteArray bytes = ReadFileBytes(path);
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}
