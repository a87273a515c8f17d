// The program's start-up to its main window shown, beside an empty Qt
// window's: each child is spawned with benchPaintProbe preloaded, which
// writes a line at the first paint of a widget; the time from the spawn to
// that line is the start-up. Offscreen (QT_QPA_PLATFORM=offscreen) unless a
// platform is set, from an empty folder, on a settings store of its own that
// holds search settings: a first start would list the serial ports for a
// default, which opens every /dev/ttyS*.
// An argument names another build of the program to measure instead.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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
double startUp(const QString &program, const QTemporaryDir &home)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(ZT_PROBE_LIBRARY));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(home.filePath(QStringLiteral("work")));
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

// Every key, as the program writes them, so that nothing is to be told at start.
bool storeSettings(const QString &folder)
{
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(QStringLiteral("cfgSrch.conf")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = "[cfgSrchSettings]\nsrch_cfg_w_sv=165\n";
    for (const char *baud : {"115200", "57600", "38400", "19200", "9600", "4800", "2400", "1200"})
        text += "cfg_srch_bdr" + QByteArray(baud) + "=1\n";
    for (const char *format : {"8n1", "8n2", "8e1", "8o1"})
        text += "cfg_srch_parity_" + QByteArray(format) + "=1\n";
    text += "cfg_srch_name=" + folder.toLocal8Bit() + "/ttyNone\ncfg_srch_timeOut=100\ncfg_srch_echo=0\n";
    return file.write(text) == text.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZT_PROGRAM);
    benchTable::printLoad("before");
    // Settings, the runtime folder (0700, as Qt wants it) and an empty working folder of their own.
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral("work"));
    if (!storeSettings(home.filePath(QStringLiteral("config/Zeltrovia")))) {
        std::fprintf(stderr, "the settings store cannot be written\n");
        return 1;
    }
    // Alternating, so that a change of the machine's load touches both alike.
    benchSpread ours;
    benchSpread empty;
    for (int i = 0; i < runs; ++i) {
        ours.add(startUp(program, home));
        empty.add(startUp(QStringLiteral(ZT_EMPTY_WINDOW), home));
    }
    std::printf("spawn to the first paint, ms, min/median/max of %d runs each\n", runs);
    benchTable::printRow({"program", "ms", "target"}, widths);
    benchTable::printRow({"ztModBusUtility", ours.text(1), "-"}, widths);
    benchTable::printRow({"empty QWidget window", empty.text(1), "-"}, widths);
    benchTable::printRow({"program / empty window", ours.relativeTo(empty).text(2),
                          QStringLiteral("<= %1").arg(limit, 0, 'f', 2)},
                         widths);
    benchTable::printLoad("after");
    return 0;
}
