// skylathe-cli generate <DataFolder> <ModFolder>: one generation run into the mods folder.
#include "app/ProgramGeneration.h"
#include "app/Services.h"
#include "data/Error.h"
#include "tools/Commands.h"

#include <QDir>
#include <QFileInfo>

int RunGenerateCommand(const QStringList& args) {
    if (args.size() != 2) {
        PrintError(QStringLiteral("Aufruf: skylathe-cli generate <DataFolder> <ModFolder>"));
        return 2;
    }
    if (IsGameRunning(GameExecutableName())) {
        PrintError(QStringLiteral("Velmora läuft gerade. Die Modifikation wurde nicht geschrieben; bitte das "
                                  "Spiel zuerst beenden."));
        return 3;
    }
    try {
        if (!QFileInfo(args.at(0)).isDir()) {
            throw SkylatheError(
                QStringLiteral("Der Datenordner „%1“ fehlt.").arg(QDir::toNativeSeparators(args.at(0))));
        }
        CreateModification(ProgramGenerationContext(QDir::fromNativeSeparators(args.at(0)),
                                                    QDir::fromNativeSeparators(args.at(1))));
    } catch (const SkylatheError& error) {
        PrintError(error.message());
        return 1;
    }
    return 0;
}
