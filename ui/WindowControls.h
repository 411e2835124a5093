#pragma once

#include "ui/ValueBox.h"

#include <QLabel>
#include <QString>

// Controls of a window found by object name, the way the rows of like controls are addressed (prefix +
// digit). A name the window does not hold is a program error and reported as such, never a crash.
class WindowControls {
public:
    explicit WindowControls(QWidget* window) : m_window(window) {}

    // The window's own control of that name, or nullptr; controls of the dialogs it owns do not count.
    QWidget* find(const QString& name) const;
    QWidget* widget(const QString& name) const;
    QLabel* label(const QString& name) const;
    ValueBox* box(const QString& name) const;

    // Clears the picture, repaints, then shows the named picture of the collection at size × size.
    void setPicture(const QString& labelName, const QString& pictureName, int size) const;

private:
    QWidget* m_window;
};

// Clears the picture label, repaints, then shows the named picture of the collection at size × size.
void ShowPicture(QLabel* label, const QString& pictureName, int size);
