#pragma once

#include <QStringList>

// The headless commands of skylathe-cli. Each takes the arguments after the command name and returns the
// process exit code; messages go to stderr.
int RunMakeDataCommand(const QStringList& args); // makedata <OriginalFolder> <DataFolder>
int RunFormatCommand(const QStringList& args);   // format <file>…
int RunUnpackCommand(const QStringList& args);   // unpack <ProgramFolder>
int RunGenerateCommand(const QStringList& args); // generate <DataFolder> <ModFolder>

// Prints a message line to stderr.
void PrintError(const QString& message);
