#pragma once

#include <QString>

// German texts for the operating system's error codes (errno values; the Windows side maps its codes to
// them), so that no English system text reaches the user on its own.

// The reason as a German sentence, for example "Auf dem Datenträger ist kein Platz mehr frei."
QString SystemErrorReason(int code);

// What the user can do about it, as a German sentence; empty when there is nothing to advise.
QString SystemErrorAdvice(int code);

// Reason and advice together, separated by a blank.
QString SystemErrorText(int code);
