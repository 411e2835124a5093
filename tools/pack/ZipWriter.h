#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Writes a ZIP archive in memory: stored directory entries, deflate-compressed files, CRC-32 and a central
// directory. Every entry carries one fixed time stamp so that the same tree always gives the same bytes.
class ZipWriter {
public:
    // `name` is the path inside the archive with "/" separators; a directory name ends with "/".
    void addDirectory(const QString& name);
    void addFile(const QString& name, const QByteArray& data);

    // The finished archive. Throws SkylatheError when an entry exceeds the limits of the plain format.
    QByteArray finish() const;

private:
    struct Entry {
        QByteArray name;
        bool directory = false;
        quint16 method = 0;
        quint32 crc = 0;
        quint32 size = 0;
        QByteArray data; // as stored in the archive
    };
    QList<Entry> m_entries;
};
