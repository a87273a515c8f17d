#ifndef MBPOLLRUNNER_H
#define MBPOLLRUNNER_H

#include <QString>
#include <QStringList>

#include "benchTiming.h"

// Times mbpoll, an independent master, reading holding registers. mbpoll has
// no poll count, but it polls every slave of an address list back to back, so
// a list naming one slave N times gives N polls in one run.
class mbpollRunner
{
public:
    mbpollRunner(const QString &program, const QString &port, qint32 baud, int address);

    static QString find(); // empty when mbpoll is not installed

    // Milliseconds per poll as benchTiming::msPerRequest, from runs of
    // `polls` polls and of one, which the process start costs alike.
    // Negative when a run failed.
    double msPerPoll(quint16 startReg, int count, int polls, int repeats) const;
    // One run of `polls` polls and one of a single poll, as above, with the
    // CPU time mbpoll spent on them.
    benchTiming::perRequest_t costPerPoll(quint16 startReg, int count, int polls) const;
    QString commandLine(quint16 startReg, int count, int polls) const;

private:
    QStringList arguments(quint16 startReg, int count, int polls) const;
    benchTiming::cost_t run(quint16 startReg, int count, int polls) const;

    QString m_program;
    QString m_port;
    qint32 m_baud;
    int m_address;
};

#endif
