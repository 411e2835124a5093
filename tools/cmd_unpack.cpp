#include "app/DataPackage.h"
#include "data/Folders.h"
#include "tools/Commands.h"

#include <QDir>
#include <QFileInfo>

// unpack <ProgramFolder>: the first-start unpacking of the embedded data package, reports on stderr.
int RunUnpackCommand(const QStringList& args) {
    if (args.size() != 1) {
        PrintError(QStringLiteral("Aufruf: skylathe-cli unpack <ProgramFolder>"));
        return 2;
    }
    const QString folder = WithTrailingSlash(QFileInfo(args.first()).absoluteFilePath());
    QDir().mkpath(folder);
    const bool ok = UnpackDataPackage(folder, [](const QString& caption, const QString& text) {
        PrintError(caption + QStringLiteral(": ") + text);
    });
    return ok ? 0 : 1;
}
