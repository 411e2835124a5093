#include "ui/HoverHelp.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

HoverHelp::HoverHelp(QWidget* root, QHash<QString, int> ids, QLabel* header, QLabel* text)
    : QObject(root), m_root(root), m_ids(std::move(ids)), m_header(header), m_text(text) {
    // The help panel shows the help file's texts as they are, never as markup.
    m_header->setTextFormat(Qt::PlainText);
    m_text->setTextFormat(Qt::PlainText);
    trackMouseMoves(m_root);
}

void HoverHelp::setHelpDocument(XmlDocument document) {
    m_helpDocument = std::move(document);
}

bool HoverHelp::ShowHelpText(const QString& id) {
    const QString record = QStringLiteral("//Text[GUID=\"%1\"]/").arg(id);
    if (m_helpDocument.selectSingle(record + QStringLiteral("Text1")).isNull())
        return true;
    m_header->setText(m_helpDocument.selectSingle(record + QStringLiteral("Header")).text());
    const QString text1 = m_helpDocument.selectSingle(record + QStringLiteral("Text1")).text();
    const QString text2 = m_helpDocument.selectSingle(record + QStringLiteral("Text2")).text();
    const QString text3 = m_helpDocument.selectSingle(record + QStringLiteral("Text3")).text();
    m_text->setText(text1 + QLatin1Char('\n') + text2 + QLatin1Char('\n') + text3);
    return true;
}

bool HoverHelp::eventFilter(QObject* watched, QEvent* event) {
    // A move is never consumed here: the window and its controls see it as well.
    if (event->type() == QEvent::MouseMove) {
        if (auto* widget = qobject_cast<QWidget*>(watched))
            handleMouseMove(widget, static_cast<QMouseEvent*>(event)->position());
    } else if (event->type() == QEvent::HoverMove) {
        if (auto* widget = qobject_cast<QWidget*>(watched))
            handleMouseMove(widget, static_cast<QHoverEvent*>(event)->position());
    }
    return false;
}

QWidget* HoverHelp::namedControl(QWidget* widget) const {
    while (widget && widget != m_root &&
           (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))))
        widget = widget->parentWidget();
    return widget;
}

void HoverHelp::trackMouseMoves(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    for (QObject* child : widget->children()) {
        if (auto* childWidget = qobject_cast<QWidget*>(child))
            trackMouseMoves(childWidget);
    }
}

bool HoverHelp::handleMouseMove(QWidget* watched, const QPointF& position) {
    if (watched != m_root && !m_root->isAncestorOf(watched))
        return false;
    // A move that a child left unhandled travels on to its parents; only the control under the mouse
    // decides, so an icon inside a panel does not show the panel's help.
    const QPoint inRoot = watched->mapTo(m_root, position.toPoint());
    QWidget* under = m_root->childAt(inRoot);
    if (!under)
        under = m_root;
    if (under != watched)
        return false;
    QWidget* control = namedControl(under);
    if (!control)
        return false;
    const auto found = m_ids.constFind(control->objectName());
    if (found == m_ids.constEnd())
        return false;
    ShowHelpText(QString::number(found.value()));
    return true;
}
