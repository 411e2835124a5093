// skylathe-cli generate <DataFolder> <ModFolder>: one generation run into the mods folder.
#include "app/Services.h"
#include "data/Error.h"
#include "data/Folders.h"
#include "modgen/CreateModification.h"
#include "tools/Commands.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

int RunGenerateCommand(const QStringList& args) {
    if (args.size() != 2) {
        PrintError(QStringLiteral("Aufruf: skylathe-cli generate <DataFolder> <ModFolder>"));
        return 2;
    }
    if (IsGameRunning(QStringLiteral("Velmora.exe"))) {
        PrintError(QStringLiteral("Velmora läuft gerade. Die Modifikation wurde nicht geschrieben; bitte das "
                                  "Spiel zuerst beenden."));
        return 3;
    }
    try {
        const QString dataFolder = WithTrailingSlash(QDir::fromNativeSeparators(args.at(0)));
        if (!QFileInfo(dataFolder).isDir()) {
            throw SkylatheError(
                QStringLiteral("Der Datenordner „%1“ fehlt.").arg(QDir::toNativeSeparators(args.at(0))));
        }
        GenerationContext context;
        context.dataFolder = dataFolder;
        context.modFolder = WithTrailingSlash(QDir::fromNativeSeparators(args.at(1)));
        context.gameRunning = [] { return false; };
        context.now = QDateTime::currentDateTime();
        context.userName = GetCurrentUserName();
        context.version = GetProgramVersion();
        context.pictures = ModPictures::FromImageCollection();
        CreateModification(context);
    } catch (const SkylatheError& error) {
        PrintError(error.message());
        return 1;
    }
    return 0;
}
