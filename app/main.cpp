#include "app/AfterFirstPaint.h"
#include "app/Forms.h"
#include "app/MainFormUnit.h"
#include "ui/ErrorDisplay.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Errors are not caught inside the operations: whatever escapes an event handler ends the user's action
// here and is shown in the general error display.
class SkylatheApplication : public QApplication {
public:
    SkylatheApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override {
        bool handled = false;
        RunWithErrorDisplay([&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }
};

} // namespace

int main(int argc, char** argv) {
    SkylatheApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Skylathe"));

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
