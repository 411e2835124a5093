#include "ui/DisplayLook.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>

QPalette DisplayPalette(const QColor& window) {
    const QColor button(240, 240, 240);
    const QColor white(255, 255, 255);
    const QColor disabledText(138, 126, 108);

    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        const QColor text = disabled ? disabledText : kDisplayText;
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, disabled ? button : white);
        palette.setColor(group, QPalette::AlternateBase, QColor(247, 236, 214));
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::PlaceholderText, disabledText);
        palette.setColor(group, QPalette::Button, button);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::BrightText, white);
        palette.setColor(group, QPalette::Light, white);
        palette.setColor(group, QPalette::Midlight, QColor(227, 227, 227));
        palette.setColor(group, QPalette::Mid, QColor(184, 184, 184));
        palette.setColor(group, QPalette::Dark, QColor(160, 160, 160));
        palette.setColor(group, QPalette::Shadow, QColor(105, 105, 105));
        // White on this blue reads at 5.6:1.
        palette.setColor(group, QPalette::Highlight, disabled ? QColor(145, 145, 145) : QColor(0, 102, 204));
        palette.setColor(group, QPalette::HighlightedText, white);
        palette.setColor(group, QPalette::Link, QColor(0, 0, 192));
        palette.setColor(group, QPalette::LinkVisited, QColor(112, 0, 112));
        palette.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        palette.setColor(group, QPalette::ToolTipText, QColor(0, 0, 0));
        palette.setColor(group, QPalette::NoRole, window);
    }
    return palette;
}

void InstallDisplayLook() {
    const QString fusion = QStringLiteral("Fusion");
    if (QApplication::style()->name().compare(fusion, Qt::CaseInsensitive) != 0) {
        if (QStyle* style = QStyleFactory::create(fusion))
            QApplication::setStyle(style);
    }
    const QPalette palette = DisplayPalette();
    QApplication::setPalette(palette);
    QToolTip::setPalette(palette);
}
