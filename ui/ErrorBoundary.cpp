#include "ui/ErrorBoundary.h"

#include "data/Error.h"

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

bool ErrorBoundary::run(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const SkylatheError& error) {
        show(error.message());
    } catch (const std::exception& error) {
        show(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        show(QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}

void ErrorBoundary::show(const QString& message) {
    if (collector().collecting) {
        collector().errors.append(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("GeneralErrorBox"));
    box.exec();
}

void ErrorBoundary::setCollecting(bool collect) {
    collector().collecting = collect;
}

QStringList ErrorBoundary::takeCollected() {
    QStringList errors;
    errors.swap(collector().errors);
    return errors;
}

SkylatheApplication::SkylatheApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool SkylatheApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    ErrorBoundary::run([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
