#pragma once

#include "data/Xml.h"

#include <QHash>
#include <QObject>
#include <QString>

class QLabel;
class QPointF;
class QWidget;

// The hover help of a window: whenever the mouse moves over one of the controls below `root` that has a
// help id, the help panel (a header label and a text label) shows that control's record of the help
// document. Controls without an id leave the panel unchanged.
class HoverHelp : public QObject {
public:
    // `ids`: the help id of every control with hover help, by object name.
    HoverHelp(QWidget* root, QHash<QString, int> ids, QLabel* header, QLabel* text);

    // The document of the help records ("Help.xml"); an empty document shows nothing.
    void setHelpDocument(XmlDocument document);

    // Shows the help record with the given id in the help panel; a record without Text1 (or no record)
    // leaves the panel as it is. Always true.
    bool ShowHelpText(const QString& id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void trackMouseMoves(QWidget* widget);
    bool handleMouseMove(QWidget* watched, const QPointF& position);
    // The control a mouse position over `widget` belongs to: internal children of a control (a box's
    // line edit, a list's viewport) count as the control itself.
    QWidget* namedControl(QWidget* widget) const;

    QWidget* m_root;
    QHash<QString, int> m_ids;
    QLabel* m_header;
    QLabel* m_text;
    XmlDocument m_helpDocument;
};
