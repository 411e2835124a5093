#pragma once

#include <QString>

// The general error display: a German message box with the error's text. Every error that escapes an
// event handler ends here; nothing ends the program silently.
void ShowGeneralError(const QString& message);

// For tests: while set, errors are collected instead of shown in a modal box.
void SetCollectGeneralErrors(bool collect);
QStringList TakeCollectedGeneralErrors();
