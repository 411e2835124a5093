#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "ui/ErrorBoundary.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    // Whatever escapes an event handler ends the user's action in the general error display.
    SkylatheApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Skylathe"));

    // Qt's own texts (buttons of the system message boxes, context menus) in German.
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    if (!CreateApplicationWindows())
        return 1;
    MainForm->show();
    const int result = QApplication::exec();
    DestroyApplicationWindows();
    return result;
}
