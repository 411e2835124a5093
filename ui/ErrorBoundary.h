#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>

#include <functional>

// The program's one error boundary. Operations throw; every handler of every window runs inside
// ErrorBoundary::run, and the application object (SkylatheApplication) runs every event dispatch inside
// it as well, so whatever escapes ends the user's action in the general error display: a German message
// box with the error's text. Nothing ends the program silently and nothing is swallowed.
class ErrorBoundary {
public:
    // Runs `action`; a SkylatheError, another std::exception or anything else it throws is shown in the
    // general error display. Returns false when it threw.
    static bool run(const std::function<void()>& action);

    // The general error display itself.
    static void show(const QString& message);

    // For the window tests: while set, errors are collected instead of shown in a modal box.
    static void setCollecting(bool collect);
    static QStringList takeCollected();
};

// The application object of the program and of its window tests: it installs the error boundary around
// the dispatch of every event.
class SkylatheApplication : public QApplication {
public:
    SkylatheApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
