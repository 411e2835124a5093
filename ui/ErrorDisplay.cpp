#include "ui/ErrorDisplay.h"

#include "data/Error.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace {

struct Collector {
    bool collecting = false;
    QStringList errors;
};

Collector& collector() {
    static Collector instance;
    return instance;
}

} // namespace

void ShowGeneralError(const QString& message) {
    if (collector().collecting) {
        collector().errors.append(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("GeneralErrorBox"));
    box.exec();
}

bool RunWithErrorDisplay(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const SkylatheError& error) {
        ShowGeneralError(error.message());
    } catch (const std::exception& error) {
        ShowGeneralError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowGeneralError(QStringLiteral("Unbekannter Fehler."));
    }
    return false;
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

void SetCollectGeneralErrors(bool collect) {
    collector().collecting = collect;
}

QStringList TakeCollectedGeneralErrors() {
    QStringList errors;
    errors.swap(collector().errors);
    return errors;
}
