#ifndef MBPOLLRUNNER_H
#define MBPOLLRUNNER_H

#include <QString>
#include <QStringList>

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
    QString commandLine(quint16 startReg, int count, int polls) const;

private:
    QStringList arguments(quint16 startReg, int count, int polls) const;
    qint64 runNs(quint16 startReg, int count, int polls) const;

    QString m_program;
    QString m_port;
    qint32 m_baud;
    int m_address;
};

#endif
