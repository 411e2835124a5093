#include "data/AtomicFile.h"

#include "data/Error.h"
#include "data/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 kMaxReadSize = 1024ll * 1024 * 1024;
constexpr qint64 kChunk = 1 << 16;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

#ifdef Q_OS_WIN
int errnoFromWindows(DWORD code) {
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_DIR_NOT_EMPTY:
        return ENOTEMPTY;
    case ERROR_INVALID_NAME:
        return EINVAL;
    default:
        return EIO;
    }
}
#endif

bool targetExists(const QString& path) {
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

[[noreturn]] void failWrite(const QString& path, int code, bool existed) {
    QString text = QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
                       .arg(native(path), SystemErrorReason(code));
    if (existed) {
        text += QStringLiteral(" Die bisherige Datei ist unverändert.");
    }
    const QString advice = SystemErrorAdvice(code);
    if (!advice.isEmpty()) {
        text += QLatin1Char(' ') + advice;
    }
    throw SkylatheError(text);
}

[[noreturn]] void failRead(const QString& path, const QString& reason) {
    throw SkylatheError(
        QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2").arg(native(path), reason));
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// Opens a file for reading without blocking on a FIFO or a device, following a symbolic link in its last
// part only when asked; refuses anything that is not a regular file. Returns the descriptor.
int openRegularForReading(const QString& path, qint64* size, bool followLink) {
#ifdef Q_OS_WIN
    Q_UNUSED(followLink);
    int fd = -1;
    if (_wsopen_s(&fd, reinterpret_cast<const wchar_t*>(path.utf16()), _O_RDONLY | _O_BINARY, _SH_DENYWR,
                  0) != 0) {
        failRead(path, SystemErrorText(errno));
    }
    struct _stat64 st {};
    if (_fstat64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
        _close(fd);
        failRead(path, QStringLiteral("Sie ist keine gewöhnliche Datei."));
    }
    *size = st.st_size;
    return fd;
#else
    const int fd =
        ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        if (errno == ELOOP) {
            failRead(path, QStringLiteral("Sie ist eine symbolische Verknüpfung, der nicht gefolgt wird."));
        }
        failRead(path, SystemErrorText(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int code = errno;
        ::close(fd);
        failRead(path, SystemErrorText(code));
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        failRead(path, SystemErrorReason(EISDIR));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        failRead(path,
                 QStringLiteral("Sie ist keine gewöhnliche Datei (sondern z. B. eine benannte Pipe oder "
                                "ein Gerät)."));
    }
    *size = st.st_size;
    return fd;
#endif
}

qint64 readSome(int fd, char* buffer, qint64 max) {
#ifdef Q_OS_WIN
    return _read(fd, buffer, unsigned(max));
#else
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size_t(max));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return n;
    }
#endif
}

void closeDescriptor(int fd) {
#ifdef Q_OS_WIN
    _close(fd);
#else
    ::close(fd);
#endif
}

} // namespace

// A temporary file beside its target, renamed over the target by commit(); removed otherwise.
class StagedFile {
public:
    explicit StagedFile(const QString& target) : m_target(target), m_existed(targetExists(target)) {
        const QString folder = QFileInfo(target).absolutePath();
#ifdef Q_OS_WIN
        for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
            m_temp = folder + QStringLiteral("/.skylathe-%1.tmp")
                                  .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            if (_wsopen_s(&m_fd, reinterpret_cast<const wchar_t*>(m_temp.utf16()),
                          _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _SH_DENYRW,
                          _S_IREAD | _S_IWRITE) != 0) {
                m_fd = -1;
                if (errno != EEXIST) {
                    failWrite(m_target, errno, m_existed);
                }
            }
        }
        if (m_fd < 0) {
            failWrite(m_target, EEXIST, m_existed);
        }
#else
        QByteArray pattern = encoded(folder + QStringLiteral("/.skylathe-XXXXXX"));
        m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (m_fd < 0) {
            failWrite(m_target, errno, m_existed);
        }
        m_temp = QFile::decodeName(pattern);
        // The new file gets the old one's permissions, or the usual ones for a new file.
        struct stat st {};
        mode_t mode;
        if (::stat(encoded(m_target).constData(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(m_fd, mode);
#endif
    }

    ~StagedFile() {
        discard();
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const QString& target() const {
        return m_target;
    }

    void write(const char* data, qint64 size) {
        while (size > 0) {
            const qint64 chunk = qMin<qint64>(size, 1 << 30);
#ifdef Q_OS_WIN
            const int n = _write(m_fd, data, unsigned(chunk));
#else
            const ssize_t n = ::write(m_fd, data, size_t(chunk));
            if (n < 0 && errno == EINTR) {
                continue;
            }
#endif
            if (n < 0) {
                fail(errno);
            }
            if (n == 0) {
                fail(ENOSPC);
            }
            data += n;
            size -= n;
        }
    }

    // Everything on the disk and the descriptor closed, both checked.
    void finish() {
#ifdef Q_OS_WIN
        if (_commit(m_fd) != 0) {
            fail(errno);
        }
        const int fd = m_fd;
        m_fd = -1;
        if (_close(fd) != 0) {
            fail(errno);
        }
#else
        if (::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS) {
            fail(errno);
        }
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && errno != EINTR) {
            fail(errno);
        }
#endif
    }

    void commit() {
        if (m_fd >= 0) {
            finish();
        }
#ifdef Q_OS_WIN
        if (!MoveFileExW(reinterpret_cast<const wchar_t*>(m_temp.utf16()),
                         reinterpret_cast<const wchar_t*>(m_target.utf16()),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            fail(errnoFromWindows(GetLastError()));
        }
#else
        if (::rename(encoded(m_temp).constData(), encoded(m_target).constData()) != 0) {
            fail(errno);
        }
        // The rename itself reaches the disk with the folder's entry.
        const int folder = ::open(encoded(QFileInfo(m_target).absolutePath()).constData(),
                                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
#endif
        m_temp.clear();
    }

    void discard() {
        if (m_fd >= 0) {
            closeDescriptor(m_fd);
            m_fd = -1;
        }
        if (!m_temp.isEmpty()) {
            QFile::remove(m_temp);
            m_temp.clear();
        }
    }

private:
    [[noreturn]] void fail(int code) {
        discard();
        failWrite(m_target, code, m_existed);
    }

    QString m_target;
    QString m_temp;
    int m_fd = -1;
    bool m_existed = false;
};

namespace {

void streamInto(StagedFile& out, const QString& source) {
    qint64 size = 0;
    const int fd = openRegularForReading(source, &size, false);
    QByteArray buffer(kChunk, Qt::Uninitialized);
    try {
        for (;;) {
            const qint64 n = readSome(fd, buffer.data(), kChunk);
            if (n < 0) {
                failRead(source, SystemErrorText(errno));
            }
            if (n == 0) {
                break;
            }
            out.write(buffer.constData(), n);
        }
    } catch (...) {
        closeDescriptor(fd);
        throw;
    }
    closeDescriptor(fd);
}

// Creates the missing folders of the path one by one, so that the failing one and its reason can be named.
void createFolders(const QString& folder, QStringList* created) {
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (QFileInfo(clean).isDir()) {
        return;
    }
    QStringList missing;
    QString at = clean;
    while (!at.isEmpty() && !QFileInfo(at).isDir()) {
        missing.prepend(at);
        const QString parent = QFileInfo(at).absolutePath();
        if (parent == at) {
            break;
        }
        at = parent;
    }
    for (const QString& path : missing) {
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink()) {
            if (info.isDir()) {
                continue;
            }
            throw SkylatheError(
                QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden: An dieser Stelle liegt "
                               "eine Datei gleichen Namens.")
                    .arg(native(path)));
        }
#ifdef Q_OS_WIN
        const bool ok = _wmkdir(reinterpret_cast<const wchar_t*>(path.utf16())) == 0;
#else
        const bool ok = ::mkdir(encoded(path).constData(), 0777) == 0;
#endif
        if (!ok) {
            const int code = errno;
            if (code == EEXIST && QFileInfo(path).isDir()) {
                continue;
            }
            throw SkylatheError(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden: %2")
                                    .arg(native(path), SystemErrorText(code)));
        }
        if (created) {
            created->append(path);
        }
    }
}

} // namespace

int RenamePath(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()),
                       reinterpret_cast<const wchar_t*>(to.utf16()), MOVEFILE_WRITE_THROUGH)
               ? 0
               : errnoFromWindows(GetLastError());
#else
    return ::rename(encoded(from).constData(), encoded(to).constData()) == 0 ? 0 : errno;
#endif
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    StagedFile file(path);
    file.write(bytes.constData(), bytes.size());
    file.commit();
}

void CopyFileAtomically(const QString& source, const QString& target) {
    StagedFile file(target);
    streamInto(file, source);
    file.commit();
}

void CreateFolderPath(const QString& folder) {
    createFolders(folder, nullptr);
}

bool IsRegularFile(const QString& path) {
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
#else
    struct stat st {};
    return ::lstat(encoded(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
#endif
}

QByteArray ReadFileBytes(const QString& path) {
    if (path.startsWith(QLatin1Char(':'))) {
        QFile resource(path);
        if (!resource.open(QIODevice::ReadOnly)) {
            failRead(path, QStringLiteral("Die eingebettete Datei ist nicht vorhanden."));
        }
        return resource.readAll();
    }
    qint64 size = 0;
    const int fd = openRegularForReading(path, &size, true);
    if (size > kMaxReadSize) {
        closeDescriptor(fd);
        failRead(path, QStringLiteral("Sie ist mit %1 MB zu groß.").arg(size / (1024 * 1024)));
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(size));
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = readSome(fd, buffer.data(), kChunk);
        if (n < 0) {
            const int code = errno;
            closeDescriptor(fd);
            failRead(path, SystemErrorText(code));
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() + n > kMaxReadSize) {
            closeDescriptor(fd);
            failRead(path, QStringLiteral("Sie ist zu groß."));
        }
        bytes.append(buffer.constData(), n);
    }
    closeDescriptor(fd);
    return bytes;
}

// ---------------------------------------------------------------------------------------------------------

FileBatch::FileBatch() = default;

FileBatch::~FileBatch() {
    discard();
}

void FileBatch::createFolder(const QString& folder) {
    createFolders(folder, &m_createdFolders);
}

void FileBatch::write(const QString& path, const QByteArray& bytes) {
    auto file = std::make_unique<StagedFile>(path);
    file->write(bytes.constData(), bytes.size());
    file->finish();
    m_files.push_back(std::move(file));
}

void FileBatch::copy(const QString& source, const QString& target) {
    auto file = std::make_unique<StagedFile>(target);
    streamInto(*file, source);
    file->finish();
    m_files.push_back(std::move(file));
}

void FileBatch::commit() {
    for (auto& file : m_files) {
        file->commit();
    }
    m_files.clear();
    m_createdFolders.clear();
}

void FileBatch::discard() {
    m_files.clear();
    for (auto it = m_createdFolders.crbegin(); it != m_createdFolders.crend(); ++it) {
        QDir().rmdir(*it);
    }
    m_createdFolders.clear();
}
