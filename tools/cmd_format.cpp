#include "tools/Commands.h"

int RunFormatCommand(const QStringList&) {
    PrintError(QStringLiteral("Der Befehl „format“ ist in diesem Build nicht enthalten."));
    return 1;
}
