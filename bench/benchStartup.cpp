// The program's start-up to its main window shown, beside an empty Qt
// window's: each child is spawned with benchPaintProbe preloaded, which
// writes a line at the first paint of a widget; the time from the spawn to
// that line is the start-up. Offscreen (QT_QPA_PLATFORM=offscreen) unless a
// platform is set, on a settings store of its own, from an empty folder.
// An argument names another build of the program to measure instead.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "benchSpread.h"
#include "benchTable.h"

namespace {

constexpr int runs = 9;
constexpr int answerMs = 20000;
constexpr double limit = 1.15;
const QList<int> widths = {26, 22, 12};

// ms from the spawn to the first paint, -1 when none came.
double startUp(const QString &program, const QString &configHome, const QString &folder)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(ZT_PROBE_LIBRARY));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(folder);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(program, QStringList());
    double ms = -1;
    while (child.waitForReadyRead(answerMs)) {
        if (child.readAll().contains("painted")) {
            ms = clock.nsecsElapsed() / 1e6;
            break;
        }
    }
    child.kill();
    child.waitForFinished(answerMs);
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZT_PROGRAM);
    benchTable::printLoad("before");
    QTemporaryDir configHome;
    QTemporaryDir folder;
    // Alternating, so that a change of the machine's load touches both alike.
    benchSpread ours;
    benchSpread empty;
    for (int i = 0; i < runs; ++i) {
        ours.add(startUp(program, configHome.path(), folder.path()));
        empty.add(startUp(QStringLiteral(ZT_EMPTY_WINDOW), configHome.path(), folder.path()));
    }
    std::printf("spawn to the first paint, ms, min/median/max of %d runs each\n", runs);
    benchTable::printRow({"program", "ms", "target"}, widths);
    benchTable::printRow({"ztModBusUtility", ours.text(1), "-"}, widths);
    benchTable::printRow({"empty QWidget window", empty.text(1), "-"}, widths);
    benchTable::printRow({"program / empty window", ours.over(empty.median()).text(2),
                          QStringLiteral("<= %1").arg(limit, 0, 'f', 2)},
                         widths);
    benchTable::printLoad("after");
    return 0;
}
