#include "ui/WindowControls.h"

#include "app/ImageCollection.h"
#include "data/Error.h"

QWidget* WindowControls::find(const QString& name) const {
    // The dialogs a window owns hold controls of the same names.
    for (QWidget* candidate : m_window->findChildren<QWidget*>(name)) {
        if (candidate->window() == m_window)
            return candidate;
    }
    return nullptr;
}

QWidget* WindowControls::widget(const QString& name) const {
    QWidget* found = find(name);
    if (!found) {
        throw SkylatheError(QStringLiteral("Interner Fehler: das Fenster „%1“ hat kein Element „%2“.")
                                .arg(m_window->objectName(), name));
    }
    return found;
}

QLabel* WindowControls::label(const QString& name) const {
    auto* found = qobject_cast<QLabel*>(widget(name));
    if (!found) {
        throw SkylatheError(QStringLiteral("Interner Fehler: „%1“ ist kein Bildfeld.").arg(name));
    }
    return found;
}

ValueBox* WindowControls::box(const QString& name) const {
    auto* found = qobject_cast<ValueBox*>(widget(name));
    if (!found) {
        throw SkylatheError(QStringLiteral("Interner Fehler: „%1“ ist kein Zahlenfeld.").arg(name));
    }
    return found;
}

void WindowControls::setPicture(const QString& labelName, const QString& pictureName, int size) const {
    ShowPicture(label(labelName), pictureName, size);
}

void ShowPicture(QLabel* label, const QString& pictureName, int size) {
    label->clear();
    label->update();
    label->setPixmap(PixmapFromCollection(pictureName, size, size));
}
