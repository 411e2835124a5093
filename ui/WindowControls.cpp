#include "ui/WindowControls.h"

#include "app/ImageCollection.h"
#include "data/Error.h"

#include <QHash>
#include <QPair>
#include <QPointer>

namespace {

// The first control of that name in the window's own tree, in the order findChildren lists them; the
// dialogs a window owns (windows of their own) hold controls of the same names and are not entered.
QWidget* FindInWindow(const QWidget* parent, const QString& name) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || widget->isWindow())
            continue;
        if (widget->objectName() == name)
            return widget;
        if (QWidget* found = FindInWindow(widget, name))
            return found;
    }
    return nullptr;
}

// Controls found before, by window and name: the rows of like controls are looked up again and again.
// An entry counts only while its control lives, still bears the name and still belongs to the window.
QHash<QPair<const QWidget*, QString>, QPointer<QWidget>>& FoundControls() {
    static QHash<QPair<const QWidget*, QString>, QPointer<QWidget>> found;
    return found;
}

} // namespace

QWidget* WindowControls::find(const QString& name) const {
    auto& known = FoundControls();
    const QPair<const QWidget*, QString> key(m_window, name);
    const auto it = known.constFind(key);
    if (it != known.constEnd()) {
        QWidget* control = it->data();
        if (control != nullptr && control->objectName() == name && control->window() == m_window)
            return control;
    }
    // Inside a control that is no window of its own nothing belongs to the window.
    QWidget* control = m_window->isWindow() ? FindInWindow(m_window, name) : nullptr;
    if (control != nullptr)
        known.insert(key, control);
    else
        known.remove(key);
    return control;
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
