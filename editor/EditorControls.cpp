#include "editor/EditorControls.h"

#include "app/ImageCollection.h"
#include "data/Error.h"
#include "ui/ErrorDisplay.h"

#include <exception>

QWidget* EditorControls::widget(const QString& name) const {
    QWidget* found = m_window->findChild<QWidget*>(name);
    if (!found) {
        throw SkylatheError(QStringLiteral("Interner Fehler: das Fenster „%1“ hat kein Element „%2“.")
                                .arg(m_window->objectName(), name));
    }
    return found;
}

QLabel* EditorControls::label(const QString& name) const {
    auto* found = qobject_cast<QLabel*>(widget(name));
    if (!found) {
        throw SkylatheError(QStringLiteral("Interner Fehler: „%1“ ist kein Bildfeld.").arg(name));
    }
    return found;
}

ValueBox* EditorControls::box(const QString& name) const {
    auto* found = qobject_cast<ValueBox*>(widget(name));
    if (!found) {
        throw SkylatheError(QStringLiteral("Interner Fehler: „%1“ ist kein Zahlenfeld.").arg(name));
    }
    return found;
}

void EditorControls::setPicture(const QString& labelName, const QString& pictureName, int size) const {
    QLabel* picture = label(labelName);
    picture->clear();
    picture->update();
    picture->setPixmap(PixmapFromCollection(pictureName, size, size));
}

void RunEditorAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const SkylatheError& e) {
        ShowGeneralError(e.message());
    } catch (const std::exception& e) {
        ShowGeneralError(QString::fromLocal8Bit(e.what()));
    }
}
