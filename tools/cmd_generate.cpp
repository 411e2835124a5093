#include "tools/Commands.h"

int RunGenerateCommand(const QStringList&) {
    PrintError(QStringLiteral("Der Befehl „generate“ ist in diesem Build nicht enthalten."));
    return 1;
}
