#include "tools/Commands.h"

int RunUnpackCommand(const QStringList&) {
    PrintError(QStringLiteral("Der Befehl „unpack“ ist in diesem Build nicht enthalten."));
    return 1;
}
