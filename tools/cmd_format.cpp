#include "tools/Commands.h"

#include "data/Error.h"
#include "data/Xml.h"

int RunFormatCommand(const QStringList& args) {
    if (args.isEmpty()) {
        PrintError(QStringLiteral("Aufruf: skylathe-cli format <Datei>…"));
        return 1;
    }
    for (const QString& file : args) {
        try {
            FormatXmlFile(file);
        } catch (const SkylatheError& error) {
            PrintError(error.message());
            return 1;
        }
    }
    return 0;
}
