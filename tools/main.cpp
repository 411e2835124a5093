// skylathe-cli: the editor's headless operations for scripts, the build and CI.
#include "app/InformationOptions.h"
#include "tools/Commands.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {
const char* const kUsage =
    "Skylathe – Kommandozeile\n"
    "\n"
    "  skylathe-cli makedata <OriginalFolder> <DataFolder>   Datendateien aus den Spieldaten neu erzeugen\n"
    "  skylathe-cli unpack <ProgramFolder>                   <ProgramFolder>/XMLD aus dem Datenpaket "
    "anlegen\n"
    "  skylathe-cli generate <DataFolder> <ModFolder>        die Modifikation in den Mod-Ordner schreiben\n"
    "  skylathe-cli format <Datei>…                          XML-Dateien im Programmformat einrücken\n"
    "  skylathe-cli --version                                die Programmversion ausgeben\n"
    "  skylathe-cli --help                                   diese Hilfe ausgeben\n";
}

void PrintError(const QString& message) {
    QTextStream err(stderr);
    err << message << Qt::endl;
}

int main(int argc, char* argv[]) {
    if (argc > 1 && AnswerInformationOption(argv[1], kUsage)) {
        return 0;
    }
    // No command draws anything (the mod's pictures are made when the program is built), so no display,
    // platform plugin or font set-up is needed.
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h") ||
        args.first() == QLatin1String("help")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("makedata")) {
        return RunMakeDataCommand(args);
    }
    if (command == QLatin1String("format")) {
        return RunFormatCommand(args);
    }
    if (command == QLatin1String("unpack")) {
        return RunUnpackCommand(args);
    }
    if (command == QLatin1String("generate")) {
        return RunGenerateCommand(args);
    }
    PrintError(QStringLiteral("Unbekannter Befehl „%1“.").arg(command));
    std::fputs(kUsage, stderr);
    return 2;
}
