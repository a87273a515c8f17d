#include "headlessProgram.h"

#include <QDeadlineTimer>

namespace {

// Only a guard against a hung program: nothing here waits this long.
constexpr int guardMs = 120000;

} // namespace

headlessProgram::headlessProgram(const QString &program, const QString &preload)
    : m_program(program)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_configHome.path());
    if (!preload.isEmpty())
        env.insert(QStringLiteral("LD_PRELOAD"), preload);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(m_workDir.path());
}

void headlessProgram::start(const QStringList &arguments)
{
    process.start(m_program, arguments);
}

bool headlessProgram::finish()
{
    const bool ended = process.waitForFinished(guardMs);
    output += process.readAllStandardOutput();
    errors += process.readAllStandardError();
    return ended;
}

bool headlessProgram::waitForError(const QByteArray &text)
{
    const QDeadlineTimer deadline(guardMs);
    process.setReadChannel(QProcess::StandardError);
    while (!errors.contains(text)) {
        if (!process.waitForReadyRead(int(deadline.remainingTime())))
            return false;
        errors += process.readAllStandardError();
    }
    return true;
}

int headlessProgram::exitCode() const
{
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QStringList headlessProgram::outputLines() const
{
    return QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
