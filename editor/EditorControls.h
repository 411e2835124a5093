#pragma once

#include "ui/ValueBox.h"

#include <QLabel>
#include <QString>
#include <functional>

// Controls of a window found by object name, the way the rows of like controls are addressed (prefix +
// digit). A name the window does not hold is a program error and reported as such, never a crash.
class EditorControls {
public:
    explicit EditorControls(QWidget* window) : m_window(window) {}

    QWidget* widget(const QString& name) const;
    QLabel* label(const QString& name) const;
    ValueBox* box(const QString& name) const;

    // Clears the picture, repaints, then shows the named picture of the collection at size × size.
    void setPicture(const QString& labelName, const QString& pictureName, int size) const;

private:
    QWidget* m_window;
};

// Runs an editor action at the event boundary: a SkylatheError (or any other error) ends the action and is
// shown by the general error display; the window stays usable.
void RunEditorAction(const std::function<void()>& action);
