// The game watch on a fake /proc: what it notices and when, in looks 50 ms apart on its own clock, and what a
// look costs in files read.
#include "app/platform/ProcessWatch.h"
#include "tests/support/DataRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using platform::ProcessWatch;
using namespace std::chrono_literals;

namespace {

const std::string kGame = "Velmora.exe";

// A /proc tree of fake processes: a numeric folder each with "comm", "cmdline" and "stat", and "loadavg",
// whose last field is the last process id handed out, as the kernel keeps it.
class FakeProc {
public:
    explicit FakeProc(bool withLoadavg = true) : m_loadavg(withLoadavg) { QVERIFY(m_dir.isValid()); }
    std::string root() const { return m_dir.path().toStdString(); }
    QString folder(int pid) const { return m_dir.path() + "/" + QString::number(pid); }

    // `args` separated by "|".
    void add(int pid, const QByteArray& comm, const QByteArray& args, int startTime = 100) {
        QDir(m_dir.path()).mkpath(QString::number(pid));
        write(pid, comm, args, startTime, 'S');
        handOut(pid);
    }
    // A thread of the kernel: no command line, the kernel-thread flag in "stat".
    void addKernelThread(int pid, const QByteArray& name) {
        QDir(m_dir.path()).mkpath(QString::number(pid));
        writeTo(folder(pid), pid, name, QByteArray(), 100, 'S', 0x00200040);
        handOut(pid);
    }
    // The program changes in place, as by exec(): same folder, same start time.
    void exec(int pid, const QByteArray& comm, const QByteArray& args, int startTime = 100) {
        write(pid, comm, args, startTime, 'S');
    }
    void becomeZombie(int pid, const QByteArray& comm, int startTime = 100) {
        write(pid, comm, QByteArray(), startTime, 'Z');
    }
    void remove(int pid) { QDir(folder(pid)).removeRecursively(); }
    // Another process gets the id: the kernel makes the folder anew.
    void reuse(int pid, const QByteArray& comm, const QByteArray& args, int startTime) {
        const QString fresh = m_dir.path() + "/new";
        QDir(m_dir.path()).mkpath("new");
        writeTo(fresh, pid, comm, args, startTime, 'S');
        remove(pid);
        QVERIFY(QDir(m_dir.path()).rename("new", QString::number(pid)));
        handOut(pid);
    }
    // The kernel made its folder anew, the process is the same.
    void remake(int pid) {
        QVERIFY(QDir(m_dir.path()).rename(QString::number(pid), "old"));
        QVERIFY(QDir().mkpath(folder(pid)));
        for (const char* name : {"comm", "cmdline", "stat"})
            QVERIFY(QFile::rename(m_dir.path() + "/old/" + name, folder(pid) + "/" + name));
        QVERIFY(QDir(m_dir.path() + "/old").removeRecursively());
    }
    void writeFile(int pid, const QString& name, const QByteArray& content) {
        QFile file(folder(pid) + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), content.size());
    }

private:
    void handOut(int pid) {
        if (!m_loadavg)
            return;
        QFile file(m_dir.path() + "/loadavg");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("0.00 0.01 0.05 1/123 " + QByteArray::number(pid) + "\n");
    }
    void write(int pid, const QByteArray& comm, const QByteArray& args, int startTime, char state) {
        writeTo(folder(pid), pid, comm, args, startTime, state);
    }
    static void writeTo(const QString& dir, int pid, const QByteArray& comm, const QByteArray& args,
                        int startTime, char state, unsigned flags = 0x00400100) {
        const auto put = [&](const char* name, const QByteArray& content) {
            QFile file(dir + "/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
        };
        put("comm", comm + "\n");
        put("cmdline", args.isEmpty() ? QByteArray() : QByteArray(args).replace('|', '\0') + '\0');
        put("stat", QByteArray::number(pid) + " (" + comm.left(15) + ") " + state + " 1 1 1 0 -1 " +
                        QByteArray::number(flags) + " 0 0 0 0 0 0 0 0 20 0 1 0 " +
                        QByteArray::number(startTime) + " 1000 100 18446744073709551615\n");
    }
    QTemporaryDir m_dir;
    bool m_loadavg;
};

// Looks 50 ms apart on the watch's own clock.
class Ticker {
public:
    explicit Ticker(ProcessWatch& watch) : m_watch(watch) {}
    bool look() {
        m_now += 50ms;
        return m_watch.IsRunning(kGame, m_now);
    }
    ProcessWatch::Clock::time_point now() const { return m_now; }

private:
    ProcessWatch& m_watch;
    ProcessWatch::Clock::time_point m_now{};
};

void addOthers(FakeProc& proc, int count, int firstPid = 1000) {
    for (int i = 0; i < count; ++i)
        proc.add(firstPid + i, "helper", "/usr/bin/helper|--serve");
}

} // namespace

class TestProcessWatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newProcessShowsAtTheNextLook_data();
    void newProcessShowsAtTheNextLook();
    void endedProcessGoesAtTheNextLook_data();
    void endedProcessGoesAtTheNextLook();
    void reusedProcessId_data();
    void reusedProcessId();
    void sameProcessWithFolderMadeAnewIsNotReread();
    void execIntoTheGameWithinASecond();
    void forkCaughtBeforeItsExec();
    void steadyStateReadsFewFiles_data();
    void steadyStateReadsFewFiles();
    void otherNameAskedForLater();
    void badEntriesAreSkipped_data();
    void badEntriesAreSkipped();
    void missingProcFolder();
};

void TestProcessWatch::newProcessShowsAtTheNextLook_data() {
    QTest::addColumn<bool>("anotherEnds");
    AddRow("alone", false);
    AddRow("while another ends: as many processes as before", true);
}

void TestProcessWatch::newProcessShowsAtTheNextLook() {
    QFETCH(bool, anotherEnds);
    FakeProc proc;
    addOthers(proc, 20);
    ProcessWatch watch(proc.root());
    Ticker ticker(watch);
    QVERIFY(!ticker.look());
    QVERIFY(!ticker.look());
    if (anotherEnds)
        proc.remove(1005);
    proc.add(4711, "Velmora.exe", "Z:\\home\\me\\Velmora\\Bin\\Win64\\Velmora.exe");
    QVERIFY(ticker.look());
    QCOMPARE(watch.KnownProcesses(), std::size_t(anotherEnds ? 20 : 21));
}

void TestProcessWatch::endedProcessGoesAtTheNextLook_data() {
    QTest::addColumn<bool>("zombie");
    AddRow("folder gone", false);
    AddRow("ended, not yet collected by its parent", true);
}

void TestProcessWatch::endedProcessGoesAtTheNextLook() {
    QFETCH(bool, zombie);
    FakeProc proc;
    addOthers(proc, 20);
    proc.add(4711, "Velmora.exe", "C:\\Games\\Velmora\\Bin\\Win64\\Velmora.exe");
    ProcessWatch watch(proc.root());
    Ticker ticker(watch);
    QVERIFY(ticker.look());
    QVERIFY(ticker.look());
    if (zombie)
        proc.becomeZombie(4711, "Velmora.exe");
    else
        proc.remove(4711);
    QVERIFY(!ticker.look());
    QVERIFY(!ticker.look());
}

void TestProcessWatch::reusedProcessId_data() {
    AddColumns<QByteArray, QByteArray>("before", "after");
    AddRow("game ends, another program gets its id", QByteArray("Velmora.exe"), QByteArray("bash"));
    AddRow("another program ends, the game gets its id", QByteArray("bash"), QByteArray("Velmora.exe"));
}

void TestProcessWatch::reusedProcessId() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    FakeProc proc;
    proc.add(4711, before, "/usr/bin/" + before, 100);
    // Ids are handed out in turn: others came after 4711 before the id came round again.
    addOthers(proc, 20);
    ProcessWatch watch(proc.root());
    Ticker ticker(watch);
    QCOMPARE(ticker.look(), before == "Velmora.exe");
    proc.reuse(4711, after, "/usr/bin/" + after, 900);
    QCOMPARE(ticker.look(), after == "Velmora.exe");
}

void TestProcessWatch::sameProcessWithFolderMadeAnewIsNotReread() {
    // The kernel may drop a folder from its cache and make it again; the start time tells it is the same
    // process, so the next listing reads only its "stat" (besides "loadavg" and the new process's files).
    FakeProc proc;
    proc.add(4711, "bash", "/bin/bash");
    ProcessWatch watch(proc.root());
    Ticker ticker(watch);
    QVERIFY(!ticker.look());
    proc.remake(4711);
    proc.add(5000, "sleep", "/bin/sleep|60");
    QVERIFY(!ticker.look());
    QVERIFY(watch.ListedByLastLook());
    QCOMPARE(watch.FilesReadByLastLook(), std::size_t(1 + 1 + 3));
}

void TestProcessWatch::execIntoTheGameWithinASecond() {
    FakeProc proc;
    addOthers(proc, 50);
    proc.add(4711, "wine64-preload", "wine64-preloader|/usr/lib/wine/wine64|start.exe");
    ProcessWatch watch(proc.root());
    Ticker ticker(watch);
    QVERIFY(!ticker.look());
    proc.exec(4711, "Velmora.exe", "Z:\\home\\me\\Velmora\\Bin\\Win64\\Velmora.exe");
    int looks = 1;
    std::size_t most = 0;
    while (!ticker.look()) {
        most = std::max(most, watch.FilesReadByLastLook());
        QVERIFY2(++looks <= 20, "not noticed within a second");
    }
    // ... without reading every process at every look.
    QVERIFY2(most <= 10, qPrintable(QString("a look read %1 files").arg(most)));
}

void TestProcessWatch::forkCaughtBeforeItsExec() {
    // Seen between fork and exec the new process still bears its parent's name; it is read again at the
    // next look.
    FakeProc proc;
    addOthers(proc, 50);
    ProcessWatch watch(proc.root());
    Ticker ticker(watch);
    QVERIFY(!ticker.look());
    proc.add(5000, "steam", "/home/me/.steam/steam");
    QVERIFY(!ticker.look());
    proc.exec(5000, "Velmora.exe", "Z:\\home\\me\\Velmora\\Bin\\Win64\\Velmora.exe");
    QVERIFY(ticker.look());
}

void TestProcessWatch::steadyStateReadsFewFiles_data() {
    AddColumns<int, int, bool>("others", "kernelThreads", "loadavg");
    AddRow("300 processes", 300, 0, true);
    AddRow("1500 processes", 1500, 0, true);
    AddRow("300 processes, no loadavg: a listing at every look", 300, 0, false);
    AddRow("150 processes and 150 threads of the kernel", 150, 150, true);
}

void TestProcessWatch::steadyStateReadsFewFiles() {
    QFETCH(int, others);
    QFETCH(int, kernelThreads);
    QFETCH(bool, loadavg);
    FakeProc proc(loadavg);
    for (int i = 0; i < kernelThreads; ++i)
        proc.addKernelThread(2 + i, "kworker/" + QByteArray::number(i));
    addOthers(proc, others);
    proc.add(4711, "Velmora.exe", "C:\\Games\\Velmora\\Bin\\Win64\\Velmora.exe");
    const std::size_t processes = std::size_t(others) + 1;
    ProcessWatch watch(proc.root());
    Ticker ticker(watch);

    // The first look reads every process: "stat", "comm" and "cmdline" (of a kernel thread "stat" only);
    // besides "loadavg" and the game's "stat".
    QVERIFY(ticker.look());
    QCOMPARE(watch.FilesReadByLastLook(), 3 * processes + std::size_t(kernelThreads) + 2);

    // From then on each process's "comm" once a second (a kernel thread never becomes the game), spread
    // over the looks; at every look "loadavg",
    // to see whether a process has come or gone, and the game's "stat", to notice its end. Nothing comes
    // or goes, so the folder is listed once a second only.
    for (int second = 0; second < 3; ++second) {
        std::size_t total = 0;
        std::size_t most = 0;
        int listings = 0;
        for (int i = 0; i < 20; ++i) {
            QVERIFY(ticker.look());
            total += watch.FilesReadByLastLook();
            most = std::max(most, watch.FilesReadByLastLook());
            listings += watch.ListedByLastLook() ? 1 : 0;
        }
        QCOMPARE(total, processes + 20 + 20);
        QVERIFY2(most <= processes / 10 + 3, qPrintable(QString("a look read %1 files").arg(most)));
        QCOMPARE(listings, loadavg ? 1 : 20);
    }
}

void TestProcessWatch::otherNameAskedForLater() {
    FakeProc proc;
    proc.add(4711, "Velmora.exe", "C:\\Games\\Velmora\\Bin\\Win64\\Velmora.exe");
    proc.add(4712, "Launcher.exe", "C:\\Games\\Launcher.exe");
    ProcessWatch watch(proc.root());
    const auto t = ProcessWatch::Clock::time_point{};
    QVERIFY(watch.IsRunning("Velmora.exe", t + 50ms));
    QVERIFY(!watch.IsRunning("Other.exe", t + 100ms));
    QVERIFY(watch.IsRunning("LAUNCHER.EXE", t + 150ms));
}

// Each row makes process 4711 odd in some way; the game runs as 4712 beside it whenever `gameBeside` is set.
void TestProcessWatch::badEntriesAreSkipped_data() {
    AddColumns<QString, bool, bool>("kind", "gameBeside", "running");
    for (const bool beside : {false, true}) {
        const char* suffix = beside ? ", game beside" : "";
        AddRow(qPrintable(QString("vanished, folder without files%1").arg(suffix)), "empty", beside, beside);
        AddRow(qPrintable(QString("unreadable comm and cmdline%1").arg(suffix)), "directories", beside,
               beside);
        AddRow(qPrintable(QString("cmdline a FIFO%1").arg(suffix)), "fifo", beside, beside);
        AddRow(qPrintable(QString("cmdline a link to /dev/zero%1").arg(suffix)), "link", beside, beside);
        AddRow(qPrintable(QString("process folder is a file%1").arg(suffix)), "file", beside, beside);
        AddRow(qPrintable(QString("garbage stat%1").arg(suffix)), "badstat", beside, beside);
        AddRow(qPrintable(QString("huge argv0 without an end%1").arg(suffix)), "hugeargv0", beside, beside);
    }
    AddRow("10 MB cmdline, game as argv0", "hugegame", false, true);
    AddRow("game named only behind 64 KB of arguments", "gamefar", false, false);
}

void TestProcessWatch::badEntriesAreSkipped() {
    QFETCH(QString, kind);
    QFETCH(bool, gameBeside);
    QFETCH(bool, running);
    FakeProc proc;
    addOthers(proc, 5);
    const QString odd = proc.folder(4711);
    if (kind == "file") {
        QFile file(odd);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(odd));
    }
    if (kind == "directories") {
        QVERIFY(QDir().mkpath(odd + "/comm"));
        QVERIFY(QDir().mkpath(odd + "/cmdline"));
        QVERIFY(QDir().mkpath(odd + "/stat"));
    } else if (kind == "fifo") {
        proc.add(4711, "bash", "");
        QFile::remove(odd + "/cmdline");
        QCOMPARE(::mkfifo(QFile::encodeName(odd + "/cmdline").constData(), 0600), 0);
    } else if (kind == "link") {
        proc.add(4711, "bash", "");
        QFile::remove(odd + "/cmdline");
        QVERIFY(QFile::link("/dev/zero", odd + "/cmdline"));
    } else if (kind == "badstat") {
        proc.add(4711, "Velmora.exe", "");
        proc.writeFile(4711, "stat", "4711 (Velmora.exe");
        proc.writeFile(4711, "comm", "bash\n");
    } else if (kind == "hugeargv0") {
        proc.add(4711, "bash", "");
        proc.writeFile(4711, "cmdline", QByteArray(1 << 20, 'x') + "\\Velmora.exe");
    } else if (kind == "hugegame") {
        proc.add(4711, "bash", "");
        QByteArray args = "C:\\Games\\Velmora.exe";
        args += '\0';
        for (int i = 0; i < 10 * 1024; ++i)
            args += QByteArray(1023, 'a') + '\0';
        proc.writeFile(4711, "cmdline", args);
    } else if (kind == "gamefar") {
        proc.add(4711, "wine64-preload", "");
        QByteArray args = "wine64-preloader";
        args += '\0';
        for (int i = 0; i < 64; ++i)
            args += "--" + QByteArray(1021, 'o') + '\0';
        args += "C:\\Games\\Velmora.exe";
        args += '\0';
        proc.writeFile(4711, "cmdline", args);
    }
    if (gameBeside)
        proc.add(4712, "Velmora.exe", "C:\\Games\\Velmora\\Bin\\Win64\\Velmora.exe");

    ProcessWatch watch(proc.root());
    Ticker ticker(watch);
    for (int i = 0; i < 25; ++i)
        QCOMPARE(ticker.look(), running);
}

void TestProcessWatch::missingProcFolder() {
    ProcessWatch watch("/nonexistent/proc");
    Ticker ticker(watch);
    QVERIFY(!ticker.look());
    QCOMPARE(watch.KnownProcesses(), std::size_t(0));
}

QTEST_GUILESS_MAIN(TestProcessWatch)
#include "test_process_watch.moc"
