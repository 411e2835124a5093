#include "tools/Commands.h"

#include "data/DataPreparation.h"
#include "data/Error.h"
#include "data/Folders.h"

#include <QDir>
#include <QFileInfo>

int RunMakeDataCommand(const QStringList& args) {
    if (args.size() != 2) {
        PrintError(QStringLiteral("Aufruf: skylathe-cli makedata <OriginalFolder> <DataFolder>"));
        return 1;
    }
    const QString originalFolder = WithTrailingSlash(args[0]);
    const QString dataFolder = WithTrailingSlash(args[1]);
    if (!QFileInfo(originalFolder).isDir()) {
        PrintError(QStringLiteral("Der Ordner mit den Spieldaten „%1“ existiert nicht.")
                       .arg(QDir::toNativeSeparators(originalFolder)));
        return 1;
    }
    try {
        RunDataPreparation(originalFolder, dataFolder);
    } catch (const SkylatheError& error) {
        PrintError(error.message());
        return 1;
    }
    return 0;
}
