#pragma once

// skylathe-cli run as a separate process, as a script or a plain shell runs it: no display, no
// XDG_RUNTIME_DIR, and anything that would start a platform plugin or the font set-up made to fail loudly.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline CliRun runCli(const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "XDG_SESSION_TYPE"}) {
        env.remove(QString::fromLatin1(name));
    }
    // A GUI application would stop here: this platform plugin does not exist.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    // Fontconfig would complain about its missing configuration.
    env.insert(QStringLiteral("FONTCONFIG_FILE"), QStringLiteral("/nonexistent/fonts.conf"));
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(SKYLATHE_CLI), args);
    if (!cli.waitForFinished(120000) || cli.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}
