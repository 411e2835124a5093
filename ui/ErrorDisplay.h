#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The general error display: a German message box with the error's text. Every error that escapes an
// event handler ends here; nothing ends the program silently.
void ShowGeneralError(const QString& message);

// Runs `action` and shows any error it throws (SkylatheError or another std::exception) in the general
// error display. Returns false when it threw.
bool RunWithErrorDisplay(const std::function<void()>& action);

// Runs an editor action at the event boundary: a SkylatheError (or any other error) ends the action and is
// shown by the general error display; the window stays usable.
void RunEditorAction(const std::function<void()>& action);

// For tests: while set, errors are collected instead of shown in a modal box.
void SetCollectGeneralErrors(bool collect);
QStringList TakeCollectedGeneralErrors();
