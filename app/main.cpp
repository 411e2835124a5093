#include "app/AfterFirstPaint.h"
#include "app/ApplicationIcon.h"
#include "app/Forms.h"
#include "app/InformationOptions.h"
#include "app/MainFormUnit.h"
#include "ui/ErrorBoundary.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const char* const kHelp =
    "Aufruf: Skylathe [--version | --help]\n"
    "\n"
    "Skylathe bearbeitet die sechzehn Luftschiffe des Spiels Velmora und schreibt daraus eine\n"
    "Modifikation in den Mod-Ordner des Spiels. Ohne Argument öffnet sich das Programmfenster.\n"
    "\n"
    "  --version   die Programmversion ausgeben\n"
    "  --help, -h  diese Hilfe ausgeben\n"
    "\n"
    "Die Befehle ohne Fenster bietet skylathe-cli (siehe skylathe-cli --help).\n";

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (AnswerInformationOption(argv[i], kHelp))
            return 0;
    // Whatever escapes an event handler ends the user's action in the general error display.
    SkylatheApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Skylathe"));
    QGuiApplication::setDesktopFileName(ApplicationId());
    QApplication::setWindowIcon(ApplicationIcon());

    // Qt's own texts (buttons of the system message boxes, context menus) in German.
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    if (!CreateMainWindow())
        return 1;
    MainForm->show();
    new AfterFirstPaint(MainForm, [] { CreateDialogWindows(); });
    const int result = QApplication::exec();
    DestroyApplicationWindows();
    return result;
}
