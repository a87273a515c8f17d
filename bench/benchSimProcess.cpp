#include "benchSimProcess.h"

namespace {
constexpr int startMs = 5000;
constexpr int stopMs = 3000;
}

benchSimProcess::benchSimProcess(const QString &program)
    : m_program(program)
{
}

benchSimProcess::~benchSimProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    // SIGTERM lets the simulator close its pty in order.
    m_process.terminate();
    if (!m_process.waitForFinished(stopMs))
        m_process.kill();
    m_process.waitForFinished(stopMs);
}

bool benchSimProcess::start(const QStringList &moduleArguments, QString *error)
{
    QStringList arguments;
    for (const QString &module : moduleArguments)
        arguments << QStringLiteral("--module") << module;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(m_program, arguments);
    if (!m_process.waitForStarted(startMs)) {
        *error = m_program + QStringLiteral(": ") + m_process.errorString();
        return false;
    }
    // Its first line is the tty the master opens.
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(startMs)) {
            *error = m_program + QStringLiteral(": no tty path printed");
            return false;
        }
    }
    m_portPath = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    return !m_portPath.isEmpty();
}
