#pragma once

#include "data/Error.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// The embedded data package: a ZIP archive whose members all lie below "XMLD/". At first start it is
// written out beside the executable, extracted into the program folder and deleted again.

// Where the package lives among the program's Qt resources (library skylathe_package).
inline constexpr const char* kDataPackageResource = ":/package/XMLD.zip";

// The errors of the unpacking, each with the type name that the start-up report shows in front of the
// message:
//   "EResourceError" – the embedded package cannot be read;
//   "EFileError"     – a file cannot be written, read or deleted;
//   "EZipError"      – the archive is damaged, uses a feature we do not read, or holds an unsafe member.
class PackageError : public SkylatheError {
public:
    PackageError(const QString& typeName, const QString& message)
        : SkylatheError(message), m_type(typeName) {}
    const QString& typeName() const { return m_type; }

private:
    QString m_type;
};

// One member of the central directory.
struct ZipMember {
    QString name; // path inside the archive, "/" separated; directories end with "/"
    bool isDirectory = false;
    quint16 method = 0; // 0 stored, 8 deflate
    quint32 crc = 0;
    quint64 compressedSize = 0;
    quint64 size = 0;
    quint64 localHeaderOffset = 0;
    quint64 dataOffset = 0; // first byte of the member's data, behind its local header
};

// A read-only view of a ZIP archive held in memory. Reads the end record, the whole central directory and
// every local header up front (members whose data overlaps are refused, so no data counts twice); member
// data is inflated on demand and checked against the directory's sizes and CRC-32.
// Not read: ZIP64, split archives, encryption, methods other than stored and deflate.
class ZipArchive {
public:
    // Throws PackageError "EZipError" naming `nameForMessages` when the directory is damaged.
    ZipArchive(QByteArray bytes, const QString& nameForMessages);

    const QList<ZipMember>& members() const { return m_members; }
    // The member's uncompressed bytes. Throws PackageError "EZipError" on damaged data.
    QByteArray read(const ZipMember& member) const;

    // Upper bound of the uncompressed size of one member and of the whole archive; larger archives are
    // refused before anything is inflated.
    static constexpr quint64 kMaxMemberSize = 256ull * 1024 * 1024;
    static constexpr quint64 kMaxTotalSize = 1024ull * 1024 * 1024;

private:
    [[noreturn]] void fail(const QString& what) const;
    QByteArray m_bytes;
    QString m_name;
    QList<ZipMember> m_members;
};

// Empty when the member path stays inside the folder it is extracted to; otherwise a German reason.
// Refused: empty names, absolute paths, drive letters and other colons, backslashes, NUL and other control
// characters, and the components "." and ".." as well as empty ones.
QString UnsafeMemberReason(const QString& name);

// Extracts every member below `targetFolder` (ends with "/"), overwriting existing files. Checked before the
// first byte is written: every member path (safe, each part within the file system's name length), name
// clashes (two members of one path, a file and a folder of one name, also differing only in letter case),
// what already lies in the target folder (a file where a folder is needed and the reverse, symbolic links
// on the way), and all data inflated and verified. The files are then written as temporaries and renamed
// into place only when all are complete, so a failing archive (or a full disk) writes nothing at all and
// a good one is extracted completely. Throws PackageError.
void ExtractZipArchive(const ZipArchive& archive, const QString& targetFolder);

// Receives the report of a failed step: caption "Programmabbruch", text = type name + message.
using PackageReporter = std::function<void(const QString& caption, const QString& text)>;

// The three steps of the first start: write the package to programFolder + "XMLD.zip" (replacing a stale
// file), extract it into programFolder, delete the zip. Each step's failure is reported on its own and the
// next step runs regardless. `resource` names the package (a Qt resource path or a file). Returns true
// when no step reported a failure.
bool UnpackDataPackage(const QString& programFolder, const PackageReporter& report,
                       const QString& resource = QString::fromLatin1(kDataPackageResource));
