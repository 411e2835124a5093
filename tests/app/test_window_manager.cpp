// The windows under a real window manager: an X server (Xvfb) of the given screen size with Openbox, and
// the program started on it by window_probe. Skips with the reason where either is not installed.
#include "tests/support/DataRows.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A process this test started, ended again when the test leaves its scope.
struct Started {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    ~Started() {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }
};

bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 10000)
            return false;
        QTest::qWait(25);
    }
    return true;
}

// "key=value" pairs of the probe's line that starts with `name`.
QMap<QString, QString> probeLine(const QString& output, const QString& name) {
    QMap<QString, QString> values;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty() || words.takeFirst() != name)
            continue;
        for (const QString& word : words)
            values.insert(word.section(QLatin1Char('='), 0, 0), word.section(QLatin1Char('='), 1));
    }
    return values;
}

} // namespace

class TestWindowManager : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void outerSizes_data();
    void outerSizes();

private:
    QString m_xvfb;
    QString m_openbox;
};

void TestWindowManager::initTestCase() {
    m_xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    m_openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (m_xvfb.isEmpty() || m_openbox.isEmpty())
        QSKIP("Xvfb and openbox are needed (scripts/install-deps installs them)");
}

void TestWindowManager::outerSizes_data() {
    AddColumns<QSize, QString, QString>("screen", "mainOuter", "scroll");
    // An ordinary desktop: the window as designed, outer size included the frame.
    AddRow("1920x1080", QSize(1920, 1080), "1390x716", "none");
    // Laptop screens: the whole window on screen, the layout in a scrollable area.
    AddRow("1366x768", QSize(1366, 768), "", "reaches-close");
    AddRow("1280x720", QSize(1280, 720), "", "reaches-close");
}

void TestWindowManager::outerSizes() {
    QFETCH(QSize, screen);
    QFETCH(QString, mainOuter);
    QFETCH(QString, scroll);
    QTemporaryDir home;
    QVERIFY(home.isValid());

    // A display number no other server holds.
    Started server;
    int display = 0;
    for (int candidate = 71; candidate < 200 && display == 0; ++candidate) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(candidate)) ||
            QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(candidate)))
            continue;
        server.process->start(m_xvfb, {QStringLiteral(":%1").arg(candidate), QStringLiteral("-screen"),
                                       QStringLiteral("0"),
                                       QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                                       QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(candidate);
        if (waitFor(
                [&] { return QFile::exists(socket) || server.process->state() == QProcess::NotRunning; }) &&
            server.process->state() == QProcess::Running) {
            display = candidate;
        } else if (server.process->state() != QProcess::NotRunning) {
            // It never opened its socket: end it before the next number is tried.
            server.process->kill();
            server.process->waitForFinished(5000);
        }
    }
    QVERIFY2(display != 0, "no X server could be started");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));

    // Openbox runs its start-up command once it manages the screen.
    Started manager;
    const QString ready = home.path() + QStringLiteral("/wm-ready");
    manager.process->setProcessEnvironment(env);
    manager.process->start(m_openbox, {QStringLiteral("--startup"), QStringLiteral("touch ") + ready});
    QVERIFY2(waitFor([&] { return QFile::exists(ready); }), "the window manager did not start");

    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(WINDOW_PROBE), {qEnvironmentVariable("SKYLATHE_SHOTS")});
    QVERIFY(probe.waitForFinished(60000));
    const QString output = QString::fromUtf8(probe.readAllStandardOutput());
    qInfo().noquote() << output.trimmed();
    QVERIFY2(probe.exitCode() == 0, qPrintable(output + QString::fromUtf8(probe.readAllStandardError())));

    const QMap<QString, QString> main = probeLine(output, QStringLiteral("main"));
    QCOMPARE(main.value(QStringLiteral("settled")), QStringLiteral("1"));
    if (!mainOuter.isEmpty())
        QCOMPARE(main.value(QStringLiteral("outer")), mainOuter);
    QCOMPARE(main.value(QStringLiteral("inside")), QStringLiteral("1"));
    QCOMPARE(main.value(QStringLiteral("scroll")), scroll);
    // The layout keeps the client size the window has on a large screen: 1390 × 716 outer less the frame.
    const QStringList frame = main.value(QStringLiteral("frame")).split(QLatin1Char('x'));
    QCOMPARE(frame.size(), 2);
    QCOMPARE(main.value(QStringLiteral("layout")),
             QStringLiteral("%1x%2").arg(1390 - frame[0].toInt()).arg(716 - frame[1].toInt()));
    QVERIFY2(frame[1].toInt() > 0, "the window manager drew no title bar");

    const QMap<QString, QString> info = probeLine(output, QStringLiteral("info"));
    QCOMPARE(info.value(QStringLiteral("settled")), QStringLiteral("1"));
    QCOMPARE(info.value(QStringLiteral("outer")), QStringLiteral("590x716"));
    QVERIFY2(output.contains(QStringLiteral("\nerrors 0\n")), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestWindowManager)
#include "test_window_manager.moc"
