#include "tools/Commands.h"

int RunMakeDataCommand(const QStringList&) {
    PrintError(QStringLiteral("Der Befehl „makedata“ ist in diesem Build nicht enthalten."));
    return 1;
}
