#include "mbpollRunner.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

#include "benchTiming.h"
#include "cEndpoint.h"

namespace {
constexpr int finishMs = 60000;
}

mbpollRunner::mbpollRunner(const QString &program, const QString &port, qint32 baud, int address)
    : m_program(program)
    , m_port(port)
    , m_baud(baud)
    , m_address(address)
{
}

QString mbpollRunner::find()
{
    return QStandardPaths::findExecutable(QStringLiteral("mbpoll"));
}

// -0: references are register numbers; -1: one pass over the list; -q: no
// banner. A tcp:// port is a ModBus TCP gateway, whose line is its own.
QStringList mbpollRunner::arguments(quint16 startReg, int count, int polls) const
{
    QStringList slaves;
    for (int i = 0; i < polls; ++i)
        slaves << QString::number(m_address);
    const cEndpoint endpoint(m_port);
    const QStringList mode = endpoint.isNetwork()
        ? QStringList{"-m", "tcp", "-p", QString::number(endpoint.port())}
        : QStringList{"-m", "rtu", "-b", QString::number(m_baud), "-P", "none"};
    return mode + QStringList{
            QStringLiteral("-a"), slaves.join(QLatin1Char(',')),
            QStringLiteral("-t"), QStringLiteral("4"),
            QStringLiteral("-0"), QStringLiteral("-r"), QString::number(startReg),
            QStringLiteral("-c"), QString::number(count),
            QStringLiteral("-1"), QStringLiteral("-q"),
            QStringLiteral("-o"), QStringLiteral("1"),
            endpoint.isNetwork() ? endpoint.host() : m_port};
}

QString mbpollRunner::commandLine(quint16 startReg, int count, int polls) const
{
    return QStringLiteral("mbpoll ") + arguments(startReg, count, polls).join(QLatin1Char(' '));
}

benchTiming::cost_t mbpollRunner::run(quint16 startReg, int count, int polls) const
{
    const qint64 cpuBefore = benchTiming::childrenCpuNs();
    const qint64 wakesBefore = benchTiming::childrenWakes();
    QProcess mbpoll;
    mbpoll.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    mbpoll.start(m_program, arguments(startReg, count, polls));
    if (!mbpoll.waitForFinished(finishMs)) {
        mbpoll.kill();
        mbpoll.waitForFinished();
        return benchTiming::cost_t();
    }
    const qint64 elapsed = clock.nsecsElapsed();
    if (mbpoll.exitStatus() != QProcess::NormalExit || mbpoll.exitCode() != 0)
        return benchTiming::cost_t();
    // Every poll prints its first register; a failed poll prints an error instead.
    const QByteArray firstValue = '[' + QByteArray::number(startReg) + "]:";
    const QList<QByteArray> lines = mbpoll.readAllStandardOutput().split('\n');
    const auto answered = std::count_if(lines.cbegin(), lines.cend(), [&](const QByteArray &line) {
        return line.startsWith(firstValue);
    });
    if (answered != polls)
        return benchTiming::cost_t();
    return {elapsed, benchTiming::childrenCpuNs() - cpuBefore, benchTiming::childrenWakes() - wakesBefore};
}

double mbpollRunner::msPerPoll(quint16 startReg, int count, int polls, int repeats) const
{
    return benchTiming::msPerRequest([&](int n) { return run(startReg, count, n).ns; }, polls,
                                     repeats);
}

benchTiming::perRequest_t mbpollRunner::costPerPoll(quint16 startReg, int count, int polls) const
{
    return benchTiming::perRequest([&](int n) { return run(startReg, count, n); }, polls);
}
