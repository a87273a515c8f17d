// The command-line search's memory and libraries: ztModBusUtility --scan over
// three addresses of a simulated bus (vrd3310-sim in its own process), its
// peak resident size beside that of benchSerialPeer, a program of Qt Core and
// Qt Serial Port alone doing one read on the same bus; and whether Qt Gui or
// Qt Widgets was mapped into the search's process. Each child is traced only
// to be held at its exit, where its VmHWM and maps are read: a child's
// ru_maxrss would count this process's memory from before the exec.
// An argument names another build of the program to measure instead.

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "benchSimProcess.h"
#include "benchSpread.h"
#include "benchTable.h"

extern char **environ;

namespace {

constexpr int runs = 5;
constexpr double limitMb = 10.0;
const QList<int> widths = {34, 20, 8};

struct child_t
{
    double peakMb = -1;
    bool guiMapped = false;
    int status = -1;
};

QByteArray procFile(pid_t pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void readAtExit(pid_t pid, child_t &child)
{
    static const QRegularExpression peak(QStringLiteral("VmHWM:\\s*(\\d+) kB"));
    static const QRegularExpression gui(QStringLiteral("libQt\\d(Gui|Widgets)"));
    const QRegularExpressionMatch match = peak.match(QString::fromLatin1(procFile(pid, "status")));
    child.peakMb = match.hasMatch() ? match.captured(1).toDouble() / 1024.0 : -1;
    child.guiMapped = gui.match(QString::fromLatin1(procFile(pid, "maps"))).hasMatch();
}

// No display and a settings store of its own, as a script on a server runs it.
std::vector<QByteArray> childEnvironment(const QByteArray &configHome)
{
    std::vector<QByteArray> environment;
    for (char **entry = environ; *entry; ++entry) {
        const QByteArray text(*entry);
        if (text.startsWith("DISPLAY=") || text.startsWith("WAYLAND_DISPLAY=") || text.startsWith("QT_QPA_PLATFORM=")
            || text.startsWith("XDG_CONFIG_HOME="))
            continue;
        environment.push_back(text);
    }
    environment.push_back("XDG_CONFIG_HOME=" + configHome);
    return environment;
}

std::vector<char *> pointers(std::vector<QByteArray> &texts)
{
    std::vector<char *> result;
    for (QByteArray &text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

// Runs the child to its end, holding it at its exit for the readings.
child_t runChild(const QStringList &arguments, const QByteArray &configHome)
{
    std::vector<QByteArray> argTexts;
    for (const QString &argument : arguments)
        argTexts.push_back(argument.toLocal8Bit());
    std::vector<QByteArray> envTexts = childEnvironment(configHome);
    std::vector<char *> argv = pointers(argTexts);
    std::vector<char *> envp = pointers(envTexts);
    child_t child;
    const pid_t pid = fork();
    if (pid < 0)
        return child;
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0); // stopped at the exec
    ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT);
    int signalToPass = 0;
    for (;;) {
        ptrace(PTRACE_CONT, pid, nullptr, signalToPass);
        if (waitpid(pid, &status, 0) < 0 || WIFEXITED(status) || WIFSIGNALED(status))
            break;
        signalToPass = 0;
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8)))
            readAtExit(pid, child);
        else
            signalToPass = WSTOPSIG(status);
    }
    child.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return child;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZT_PROGRAM);
    benchTable::printLoad("before");
    benchSimProcess sim(QStringLiteral(ZT_SIM_PROGRAM));
    QString error;
    if (!sim.start({QStringLiteral("1@115200:8N1")}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QTemporaryDir configHome;
    const QByteArray home = configHome.path().toLocal8Bit();
    int found = 0;
    int guiRuns = 0;
    const benchSpread ours = benchSpread::of(runs, [&] {
        const child_t child = runChild({program, "--scan", "--port", sim.portPath(), "--from", "1", "--to", "3",
                                        "--baud", "115200", "--format", "8N1", "--timeout", "50"},
                                       home);
        found += child.status == 0;
        guiRuns += child.guiMapped;
        return child.peakMb;
    });
    int answered = 0;
    const benchSpread peer = benchSpread::of(runs, [&] {
        const child_t child = runChild({QStringLiteral(ZT_PEER_PROGRAM), sim.portPath()}, home);
        answered += child.status == 0;
        return child.peakMb;
    });
    std::printf("peak resident MB, min/median/max of %d runs each\n", runs);
    benchTable::printRow({"program", "peak MB", "target"}, widths);
    benchTable::printRow({"ztModBusUtility --scan", ours.text(1), QStringLiteral("<= %1").arg(limitMb, 0, 'f', 0)},
                         widths);
    benchTable::printRow({"Qt Core + Serial Port peer", peer.text(1), "-"}, widths);
    benchTable::printRow({"scan / peer", ours.relativeTo(peer).text(2), "-"}, widths);
    std::printf("the search found the module in %d of %d runs, the peer was answered in %d of %d\n", found, runs,
                answered, runs);
    std::printf("Qt Gui or Qt Widgets mapped into the search: %d of %d runs (target 0)\n", guiRuns, runs);
    benchTable::printLoad("after");
    return 0;
}
