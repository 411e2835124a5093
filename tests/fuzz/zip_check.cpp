#include "tests/fuzz/FuzzChecks.h"

#include "app/DataPackage.h"
#include "data/AtomicFile.h"
#include "tests/fuzz/FuzzScratch.h"

#include <QDirIterator>
#include <QHash>
#include <optional>

namespace {

QStringList entriesBelow(const QString& folder) {
    QStringList list;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        list << QDir(folder).relativeFilePath(it.next());
    }
    list.sort();
    return list;
}

} // namespace

QString CheckZipInput(const QByteArray& input) {
    std::optional<ZipArchive> archive;
    try {
        archive.emplace(input, QStringLiteral("fuzz.zip"));
    } catch (const PackageError& e) {
        return e.message().isEmpty() ? QStringLiteral("refused without a message") : QString();
    }
    QHash<QString, QByteArray> contents;
    bool readable = true;
    for (const ZipMember& member : archive->members()) {
        try {
            const QByteArray bytes = archive->read(member);
            if (!member.isDirectory) {
                contents.insert(member.name, bytes);
            }
        } catch (const PackageError&) {
            readable = false;
        }
    }

    const QString outer = FuzzScratchFolder() + QStringLiteral("/outer");
    QDir(outer).removeRecursively();
    const QString target = outer + QStringLiteral("/target/");
    QDir().mkpath(target);
    WriteFileAtomically(outer + QStringLiteral("/sentinel"), "s");

    bool extracted = true;
    try {
        ExtractZipArchive(*archive, target);
    } catch (const PackageError& e) {
        extracted = false;
        if (e.message().isEmpty()) {
            return QStringLiteral("extraction refused without a message");
        }
    }
    QString problem;
    const QStringList around = entriesBelow(outer);
    if (!around.startsWith(QStringLiteral("sentinel")) ||
        QDir(outer).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System) !=
            QStringList({QStringLiteral("sentinel"), QStringLiteral("target")})) {
        problem =
            QStringLiteral("something landed outside the target folder: ") + around.join(QLatin1Char(' '));
    } else if (!extracted) {
        const QStringList written = entriesBelow(target);
        if (!written.isEmpty()) {
            problem = QStringLiteral("a failing archive wrote: ") + written.join(QLatin1Char(' '));
        }
    } else if (!readable) {
        problem = QStringLiteral("an archive with an unreadable member was extracted");
    } else {
        for (auto it = contents.constBegin(); it != contents.constEnd(); ++it) {
            QByteArray bytes;
            try {
                bytes = ReadFileBytes(target + it.key());
            } catch (const std::exception&) {
                problem = QStringLiteral("member missing after extraction: ") + it.key();
                break;
            }
            if (bytes != it.value()) {
                problem = QStringLiteral("member extracted with other content: ") + it.key();
                break;
            }
        }
        if (problem.isEmpty()) {
            for (const QString& entry : entriesBelow(target)) {
                if (QFileInfo(target + entry).isFile() && !contents.contains(entry)) {
                    problem = QStringLiteral("extraction wrote a file that is no member: ") + entry;
                    break;
                }
            }
        }
    }
    QDir(outer).removeRecursively();
    return problem;
}
