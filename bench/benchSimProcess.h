#ifndef BENCHSIMPROCESS_H
#define BENCHSIMPROCESS_H

#include <QProcess>
#include <QStringList>

// The vrd3310-sim program in a process of its own, so that the CPU time the
// benchmark measures on itself leaves the simulated modules out.
class benchSimProcess
{
public:
    explicit benchSimProcess(const QString &program);
    ~benchSimProcess();
    benchSimProcess(const benchSimProcess &) = delete;
    benchSimProcess &operator=(const benchSimProcess &) = delete;

    // moduleArguments: one "ADDR@BAUD:FORMAT[:options]" per module.
    bool start(const QStringList &moduleArguments, QString *error);
    QString portPath() const { return m_portPath; }

private:
    QString m_program;
    QProcess m_process;
    QString m_portPath;
};

#endif
