#include "tools/pack/ZipWriter.h"

#include "data/Error.h"

#include <zlib.h>

namespace {

// 2026-01-01 00:00:00 in DOS form.
constexpr quint16 kDosTime = 0;
constexpr quint16 kDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;
constexpr quint16 kFlagUtf8 = 0x0800;

void Put16(QByteArray& out, quint32 v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& out, quint32 v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

QByteArray RawDeflate(const QByteArray& data) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw SkylatheError(QStringLiteral("Der Packer ließ sich nicht starten."));
    }
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    const uLong produced = stream.total_out;
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw SkylatheError(QStringLiteral("Das Packen der Daten ist fehlgeschlagen."));
    }
    out.truncate(qsizetype(produced));
    return out;
}

} // namespace

void ZipWriter::addDirectory(const QString& name) {
    Entry entry;
    entry.name = name.toUtf8();
    entry.directory = true;
    m_entries.append(entry);
}

void ZipWriter::addFile(const QString& name, const QByteArray& data) {
    if (quint64(data.size()) >= 0xFFFFFFFFull) {
        throw SkylatheError(QStringLiteral("Die Datei „%1“ ist zu groß für das Archiv.").arg(name));
    }
    Entry entry;
    entry.name = name.toUtf8();
    entry.size = quint32(data.size());
    entry.crc = quint32(crc32(0L, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
    entry.method = 8;
    entry.data = RawDeflate(data);
    m_entries.append(entry);
}

QByteArray ZipWriter::finish() const {
    if (m_entries.size() >= 0xFFFF) {
        throw SkylatheError(QStringLiteral("Das Archiv hätte zu viele Einträge."));
    }
    QByteArray out;
    QByteArray directory;
    for (const Entry& e : m_entries) {
        const quint32 offset = quint32(out.size());
        bool ascii = true;
        for (const char c : e.name) {
            if (uchar(c) >= 0x80) {
                ascii = false;
            }
        }
        const quint16 flag = ascii ? 0 : kFlagUtf8;
        const quint16 version = 20;

        // The fields the local header and the central directory share, from "version needed" to the name's
        // length.
        const auto putShared = [&](QByteArray& to) {
            Put16(to, version);
            Put16(to, flag);
            Put16(to, e.method);
            Put16(to, kDosTime);
            Put16(to, kDosDate);
            Put32(to, e.crc);
            Put32(to, quint32(e.data.size()));
            Put32(to, e.size);
            Put16(to, quint32(e.name.size()));
        };

        Put32(out, 0x04034b50);
        putShared(out);
        Put16(out, 0);
        out.append(e.name);
        out.append(e.data);

        Put32(directory, 0x02014b50);
        Put16(directory, (3 << 8) | version); // made by: Unix, so the attributes below are modes
        putShared(directory);
        Put16(directory, 0); // extra
        Put16(directory, 0); // comment
        Put16(directory, 0); // disk
        Put16(directory, 0); // internal attributes
        const quint32 mode = e.directory ? 040755u : 0100644u;
        Put32(directory, (mode << 16) | (e.directory ? 0x10u : 0u));
        Put32(directory, offset);
        directory.append(e.name);
    }
    const quint32 directoryOffset = quint32(out.size());
    out.append(directory);
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, quint32(m_entries.size()));
    Put16(out, quint32(m_entries.size()));
    Put32(out, quint32(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}
