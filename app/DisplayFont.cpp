#include "app/DisplayFont.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPalette>
#include <QWidget>

namespace {

// A bold serif every installation of the system has; the style hint covers a missing one.
#ifdef Q_OS_WIN
const QString kFallbackFamily = QStringLiteral("Georgia");
#else
const QString kFallbackFamily = QStringLiteral("DejaVu Serif");
#endif

QString& RegisteredFamily() {
    static QString family;
    return family;
}

QString RegisterEmbeddedFont() {
    static bool tried = false;
    if (tried) {
        return RegisteredFamily();
    }
    tried = true;
    QFile file(QStringLiteral(":/font/texgyrepagella-bold.otf"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const int id = QFontDatabase::addApplicationFontFromData(file.readAll());
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) {
        RegisteredFamily() = families.first();
        // The designs (the mine dialog, the help page) name the family they were drawn with; the embedded
        // font stands in for it.
        QFont::insertSubstitution(QStringLiteral("Heuristica"), RegisteredFamily());
    }
    return RegisteredFamily();
}

} // namespace

QString DisplayFontFamily() {
    const QString family = RegisterEmbeddedFont();
    return family.isEmpty() ? kFallbackFamily : family;
}

bool InstallDisplayFont(QWidget* mainWindow) {
    const bool registered = !RegisterEmbeddedFont().isEmpty();
    if (!registered) {
        QMessageBox box(QMessageBox::Information, QString(),
                        QStringLiteral("Die Anzeigeschriftart wurde geändert."), QMessageBox::Ok);
        box.setObjectName(QStringLiteral("DisplayFontMessage"));
        box.exec();
    }
    if (mainWindow != nullptr) {
        QFont font(DisplayFontFamily(), 10, QFont::Bold);
        font.setStyleHint(QFont::Serif);
        mainWindow->setFont(font);
        QPalette palette = mainWindow->palette();
        const QColor text(kDisplayTextRed, kDisplayTextGreen, kDisplayTextBlue);
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(role, text);
        }
        mainWindow->setPalette(palette);
    }
    return registered;
}
