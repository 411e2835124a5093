#include "app/DataPackage.h"

#include "data/AtomicFile.h"
#include "data/Folders.h"
#include "data/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <zlib.h>

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kCentralSignature = 0x02014b50;
constexpr quint32 kLocalSignature = 0x04034b50;
constexpr qsizetype kEndRecordSize = 22;
constexpr qsizetype kCentralHeaderSize = 46;
constexpr qsizetype kLocalHeaderSize = 30;
constexpr quint16 kFlagEncrypted = 0x0001;
constexpr quint16 kFlagUtf8 = 0x0800;

const QString kCaption = QStringLiteral("Programmabbruch");
const QString kFileError = QStringLiteral("EFileError");
const QString kZipError = QStringLiteral("EZipError");
const QString kResourceError = QStringLiteral("EResourceError");

quint16 U16(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData() + at);
    return quint16(p[0] | (p[1] << 8));
}

quint32 U32(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData() + at);
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

// Names are UTF-8 when the archive says so or when they decode cleanly; otherwise Latin-1.
QString DecodeName(const QByteArray& raw, bool utf8Flag) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(raw);
    if (utf8Flag || !decoder.hasError()) {
        return text;
    }
    return QString::fromLatin1(raw);
}

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

ZipArchive::ZipArchive(QByteArray bytes, const QString& nameForMessages)
    : m_bytes(std::move(bytes)), m_name(nameForMessages) {
    const qsizetype total = m_bytes.size();
    if (total < kEndRecordSize) {
        fail(QStringLiteral("Die Datei ist zu kurz für ein ZIP-Archiv."));
    }
    // The end record sits in the last 22 bytes plus at most 65535 bytes of comment; its comment length
    // must reach exactly to the end of the file, which keeps a stray signature inside data from matching.
    qsizetype end = -1;
    const qsizetype lowest = qMax<qsizetype>(0, total - kEndRecordSize - 0xFFFF);
    for (qsizetype at = total - kEndRecordSize; at >= lowest; --at) {
        if (U32(m_bytes, at) == kEndSignature && at + kEndRecordSize + U16(m_bytes, at + 20) == total) {
            end = at;
            break;
        }
    }
    if (end < 0) {
        fail(QStringLiteral("Das Ende des Inhaltsverzeichnisses wurde nicht gefunden; das Archiv ist "
                            "unvollständig oder beschädigt."));
    }
    const quint16 disk = U16(m_bytes, end + 4);
    const quint16 directoryDisk = U16(m_bytes, end + 6);
    const quint16 entriesHere = U16(m_bytes, end + 8);
    const quint16 entries = U16(m_bytes, end + 10);
    const quint32 directorySize = U32(m_bytes, end + 12);
    const quint32 directoryOffset = U32(m_bytes, end + 16);
    if (entries == 0xFFFF || directorySize == 0xFFFFFFFFu || directoryOffset == 0xFFFFFFFFu) {
        fail(QStringLiteral("ZIP64-Archive werden nicht unterstützt."));
    }
    if (disk != 0 || directoryDisk != 0 || entriesHere != entries) {
        fail(QStringLiteral("Auf mehrere Dateien verteilte Archive werden nicht unterstützt."));
    }
    if (quint64(directoryOffset) + directorySize > quint64(end)) {
        fail(QStringLiteral("Das Inhaltsverzeichnis liegt außerhalb der Datei."));
    }

    quint64 totalSize = 0;
    qsizetype at = directoryOffset;
    const qsizetype directoryEnd = qsizetype(directoryOffset) + directorySize;
    for (int i = 0; i < entries; ++i) {
        if (at + kCentralHeaderSize > directoryEnd || U32(m_bytes, at) != kCentralSignature) {
            fail(QStringLiteral("Eintrag %1 des Inhaltsverzeichnisses ist beschädigt.").arg(i + 1));
        }
        const quint16 flags = U16(m_bytes, at + 8);
        const quint16 method = U16(m_bytes, at + 10);
        const quint16 nameLength = U16(m_bytes, at + 28);
        const quint16 extraLength = U16(m_bytes, at + 30);
        const quint16 commentLength = U16(m_bytes, at + 32);
        const qsizetype next = at + kCentralHeaderSize + nameLength + extraLength + commentLength;
        if (next > directoryEnd) {
            fail(QStringLiteral("Eintrag %1 des Inhaltsverzeichnisses ist beschädigt.").arg(i + 1));
        }
        ZipMember member;
        member.name = DecodeName(m_bytes.mid(at + kCentralHeaderSize, nameLength), flags & kFlagUtf8);
        member.isDirectory = member.name.endsWith(QLatin1Char('/'));
        member.method = method;
        member.crc = U32(m_bytes, at + 16);
        member.compressedSize = U32(m_bytes, at + 20);
        member.size = U32(m_bytes, at + 24);
        member.localHeaderOffset = U32(m_bytes, at + 42);
        const QString which = QStringLiteral("„%1“").arg(member.name);
        if (flags & kFlagEncrypted) {
            fail(QStringLiteral("Der Eintrag %1 ist verschlüsselt.").arg(which));
        }
        if (method != 0 && method != 8) {
            fail(QStringLiteral("Der Eintrag %1 verwendet die nicht unterstützte Packmethode %2.")
                     .arg(which)
                     .arg(method));
        }
        if (method == 0 && member.compressedSize != member.size) {
            fail(QStringLiteral("Die Größenangaben des Eintrags %1 widersprechen sich.").arg(which));
        }
        if (member.localHeaderOffset + kLocalHeaderSize > directoryOffset) {
            fail(QStringLiteral("Die Daten des Eintrags %1 liegen außerhalb des Archivs.").arg(which));
        }
        const qsizetype local = qsizetype(member.localHeaderOffset);
        if (U32(m_bytes, local) != kLocalSignature) {
            fail(QStringLiteral("Der Kopf des Eintrags %1 fehlt.").arg(which));
        }
        member.dataOffset =
            member.localHeaderOffset + kLocalHeaderSize + U16(m_bytes, local + 26) + U16(m_bytes, local + 28);
        if (member.dataOffset + member.compressedSize > directoryOffset) {
            fail(QStringLiteral("Die Daten des Eintrags %1 liegen außerhalb des Archivs.").arg(which));
        }
        if (member.isDirectory && member.size != 0) {
            fail(QStringLiteral("Der Ordnereintrag %1 enthält Daten.").arg(which));
        }
        if (member.size > kMaxMemberSize || (totalSize += member.size) > kMaxTotalSize) {
            fail(QStringLiteral("Der Eintrag %1 ist zu groß.").arg(which));
        }
        m_members.append(member);
        at = next;
    }

    // Each member's header and data must stand apart from every other's; shared data would be extracted
    // several times over.
    QList<QPair<quint64, quint64>> ranges;
    for (const ZipMember& member : m_members) {
        ranges.append({member.localHeaderOffset, member.dataOffset + member.compressedSize});
    }
    std::sort(ranges.begin(), ranges.end());
    for (qsizetype i = 1; i < ranges.size(); ++i) {
        if (ranges[i].first < ranges[i - 1].second) {
            fail(QStringLiteral("Die Daten zweier Einträge überlappen sich."));
        }
    }
}

void ZipArchive::fail(const QString& what) const {
    throw PackageError(kZipError,
                       QStringLiteral("Das Archiv „%1“ ist nicht lesbar: %2").arg(Native(m_name), what));
}

QByteArray ZipArchive::read(const ZipMember& member) const {
    const QString which = QStringLiteral("„%1“").arg(member.name);
    const qsizetype dataStart = qsizetype(member.dataOffset);
    const auto* input = reinterpret_cast<const Bytef*>(m_bytes.constData() + dataStart);
    QByteArray out;
    if (member.method == 0) {
        out = m_bytes.mid(dataStart, qsizetype(member.size));
    } else {
        // Inflated piece by piece, so a size the directory overstates costs no memory; one byte more than
        // the directory says shows a stream that holds more.
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
            fail(QStringLiteral("Der Entpacker ließ sich nicht starten."));
        }
        stream.next_in = const_cast<Bytef*>(input);
        stream.avail_in = uInt(member.compressedSize);
        const quint64 limit = member.size + 1;
        int result = Z_OK;
        while (result == Z_OK && quint64(out.size()) < limit) {
            const qsizetype chunk = qsizetype(qMin<quint64>(limit - quint64(out.size()), 1 << 16));
            const qsizetype before = out.size();
            out.resize(before + chunk);
            stream.next_out = reinterpret_cast<Bytef*>(out.data() + before);
            stream.avail_out = uInt(chunk);
            result = inflate(&stream, Z_NO_FLUSH);
            out.resize(before + chunk - qsizetype(stream.avail_out));
            if (result == Z_BUF_ERROR && stream.avail_in == 0) {
                break;
            }
        }
        inflateEnd(&stream);
        if (quint64(out.size()) > member.size) {
            fail(QStringLiteral("Der Eintrag %1 ist größer als angegeben.").arg(which));
        }
        if (result != Z_STREAM_END) {
            fail(QStringLiteral("Die Daten des Eintrags %1 sind beschädigt.").arg(which));
        }
        if (quint64(out.size()) != member.size) {
            fail(QStringLiteral("Der Eintrag %1 hat nicht die angegebene Größe.").arg(which));
        }
    }
    const quint32 crc = quint32(crc32(0L, reinterpret_cast<const Bytef*>(out.constData()), uInt(out.size())));
    if (crc != member.crc) {
        fail(QStringLiteral("Die Prüfsumme des Eintrags %1 stimmt nicht.").arg(which));
    }
    return out;
}

QString UnsafeMemberReason(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("Der Name ist leer.");
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return QStringLiteral("Der Name enthält Steuerzeichen.");
        }
        if (c == QLatin1Char('\\')) {
            return QStringLiteral("Der Name enthält einen umgekehrten Schrägstrich.");
        }
        if (c == QLatin1Char(':')) {
            return QStringLiteral("Der Name enthält einen Doppelpunkt (Laufwerksangabe).");
        }
    }
    if (name.startsWith(QLatin1Char('/'))) {
        return QStringLiteral("Der Pfad ist absolut.");
    }
    QStringList parts = name.split(QLatin1Char('/'));
    if (name.endsWith(QLatin1Char('/'))) {
        parts.removeLast();
    }
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
            return QStringLiteral("Der Pfad enthält einen leeren Abschnitt, „.“ oder „..“.");
        }
    }
    return QString();
}

namespace {

constexpr int kMaxNamePartBytes = 255;
constexpr int kMaxPathBytes = 4000;

[[noreturn]] void refuseMember(const QString& name, const QString& reason) {
    throw PackageError(kZipError,
                       QStringLiteral("Das Archiv enthält den unzulässigen Eintrag „%1“: %2 Es wurde "
                                      "nichts entpackt.")
                           .arg(name, reason));
}

QString withoutSlash(const QString& name) {
    return name.endsWith(QLatin1Char('/')) ? name.chopped(1) : name;
}

// Names, clashes between members and what the target folder already holds; nothing is written here.
void checkMembers(const ZipArchive& archive, const QString& base) {
    QHash<QString, const ZipMember*> byKey;
    for (const ZipMember& member : archive.members()) {
        const QString reason = UnsafeMemberReason(member.name);
        if (!reason.isEmpty()) {
            refuseMember(member.name,
                         QStringLiteral("Er könnte außerhalb des Programmordners landen: %1").arg(reason));
        }
        const QString path = withoutSlash(member.name);
        for (const QString& part : path.split(QLatin1Char('/'))) {
            if (part.toUtf8().size() > kMaxNamePartBytes) {
                refuseMember(
                    member.name,
                    QStringLiteral("Ein Namensteil ist länger als %1 Bytes.").arg(kMaxNamePartBytes));
            }
        }
        if ((base + path).toUtf8().size() > kMaxPathBytes) {
            refuseMember(member.name, QStringLiteral("Der Pfad ist für das Dateisystem zu lang."));
        }
        const QString key = path.toCaseFolded();
        const auto found = byKey.constFind(key);
        if (found != byKey.constEnd()) {
            if (!(member.isDirectory && found.value()->isDirectory)) {
                refuseMember(
                    member.name,
                    QStringLiteral("Ein anderer Eintrag „%1“ hat denselben Namen.").arg(found.value()->name));
            }
            continue;
        }
        byKey.insert(key, &member);
    }
    for (const ZipMember& member : archive.members()) {
        const QStringList parts = withoutSlash(member.name).split(QLatin1Char('/'));
        QString prefix;
        QString on = base;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            prefix += (i ? QStringLiteral("/") : QString()) + parts[i];
            on += (i ? QStringLiteral("/") : QString()) + parts[i];
            const bool needsFolder = i + 1 < parts.size() || member.isDirectory;
            const auto other = byKey.constFind(prefix.toCaseFolded());
            if (needsFolder && other != byKey.constEnd() && !other.value()->isDirectory) {
                refuseMember(member.name,
                             QStringLiteral("„%1“ ist zugleich eine Datei und ein Ordner.").arg(prefix));
            }
            const QFileInfo existing(on);
            if (existing.isSymLink()) {
                refuseMember(
                    member.name,
                    QStringLiteral("„%1“ ist im Zielordner eine symbolische Verknüpfung.").arg(Native(on)));
            }
            if (existing.exists() && needsFolder && !existing.isDir()) {
                refuseMember(member.name,
                             QStringLiteral("Im Zielordner liegt an der Stelle des Ordners „%1“ eine Datei.")
                                 .arg(Native(on)));
            }
            if (existing.exists() && !needsFolder && !existing.isFile()) {
                refuseMember(
                    member.name,
                    QStringLiteral("Im Zielordner liegt an der Stelle der Datei „%1“ ein Ordner oder eine "
                                   "Sonderdatei.")
                        .arg(Native(on)));
            }
        }
    }
}

} // namespace

void ExtractZipArchive(const ZipArchive& archive, const QString& targetFolder) {
    const QString base = QDir::cleanPath(QFileInfo(targetFolder).absoluteFilePath()) + QLatin1Char('/');
    checkMembers(archive, base);
    // Inflate and verify everything before writing, so a damaged archive leaves no half data folder.
    for (const ZipMember& member : archive.members()) {
        archive.read(member);
    }
    try {
        FileBatch batch;
        for (const ZipMember& member : archive.members()) {
            const QString path = base + withoutSlash(member.name);
            if (member.isDirectory) {
                batch.createFolder(path);
            } else {
                batch.createFolder(QFileInfo(path).absolutePath());
                batch.write(path, archive.read(member));
            }
        }
        batch.commit();
    } catch (const PackageError&) {
        throw;
    } catch (const SkylatheError& e) {
        throw PackageError(kFileError, e.message() + QStringLiteral(" Es wurde nichts entpackt."));
    }
}

namespace {

void WritePackageFile(const QString& resource, const QString& zipPath) {
    QFile source(resource);
    if (!source.open(QIODevice::ReadOnly)) {
        throw PackageError(
            kResourceError,
            QStringLiteral("Das eingebettete Datenpaket „%1“ ist nicht lesbar.").arg(Native(resource)));
    }
    const QByteArray bytes = source.readAll();
    try {
        WriteFileAtomically(zipPath, bytes);
    } catch (const SkylatheError& e) {
        throw PackageError(kFileError, e.message());
    }
}

void ExtractPackageFile(const QString& zipPath, const QString& programFolder) {
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(zipPath);
    } catch (const SkylatheError& e) {
        throw PackageError(kFileError, e.message());
    }
    const ZipArchive archive(std::move(bytes), zipPath);
    ExtractZipArchive(archive, programFolder);
}

void DeletePackageFile(const QString& zipPath) {
    QFile file(zipPath);
    if (!file.exists()) {
        throw PackageError(kFileError,
                           QStringLiteral("Die Datei „%1“ kann nicht gelöscht werden: Sie ist nicht "
                                          "vorhanden.")
                               .arg(Native(zipPath)));
    }
    if (std::remove(QFile::encodeName(zipPath).constData()) != 0) {
        throw PackageError(kFileError, QStringLiteral("Die Datei „%1“ kann nicht gelöscht werden: %2")
                                           .arg(Native(zipPath), SystemErrorText(errno)));
    }
}

template <typename Step> bool RunStep(const PackageReporter& report, Step step) {
    try {
        step();
        return true;
    } catch (const PackageError& e) {
        report(kCaption, e.typeName() + e.message());
    } catch (const SkylatheError& e) {
        report(kCaption, kFileError + e.message());
    } catch (const std::exception& e) {
        report(kCaption, QStringLiteral("EError") + QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace

bool UnpackDataPackage(const QString& programFolder, const PackageReporter& report, const QString& resource) {
    const QString folder = WithTrailingSlash(programFolder);
    const QString zipPath = folder + QStringLiteral("XMLD.zip");
    bool ok = RunStep(report, [&] { WritePackageFile(resource, zipPath); });
    QCoreApplication::processEvents();
    ok = RunStep(report, [&] { ExtractPackageFile(zipPath, folder); }) && ok;
    QCoreApplication::processEvents();
    ok = RunStep(report, [&] { DeletePackageFile(zipPath); }) && ok;
    return ok;
}
