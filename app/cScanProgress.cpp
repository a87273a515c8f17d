#include "cScanProgress.h"

#include <QCoreApplication>
#include <cstdio>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace {

constexpr int barWidth = 30;

// Qt cannot tell whether a stream is a terminal.
bool stderrIsTerminal()
{
#if defined(Q_OS_UNIX)
    return qEnvironmentVariableIsSet("TERM") && ::isatty(STDERR_FILENO);
#elif defined(Q_OS_WIN)
    return ::_isatty(::_fileno(stderr));
#else
    return false;
#endif
}

QString withName(const QString &text)
{
    return QCoreApplication::applicationName() + QStringLiteral(": ") + text + QLatin1Char('\n');
}

} // namespace

cScanProgress::cScanProgress(int firstAddress, int lastAddress)
    : m_first(firstAddress)
    , m_last(lastAddress)
    , m_terminal(stderrIsTerminal())
{
    m_stderr.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
}

void cScanProgress::show(int address, int found)
{
    if (!m_terminal)
        return write(QStringLiteral("address %1 of %2\n").arg(address).arg(m_last));
    m_barShown = true;
    write(bar(address, found));
}

QString cScanProgress::bar(int address, int found) const
{
    const int filled = barWidth * (address - m_first + 1) / (m_last - m_first + 1);
    return QStringLiteral("\r[%1%2] address %3 of %4, found %5")
        .arg(QString(filled, QLatin1Char('#')), QString(barWidth - filled, QLatin1Char('.')))
        .arg(address)
        .arg(m_last)
        .arg(found);
}

void cScanProgress::say(const QString &text)
{
    end();
    write(withName(text));
}

void cScanProgress::end()
{
    if (!m_barShown)
        return;
    m_barShown = false;
    write(QStringLiteral("\n"));
}

void cScanProgress::write(const QString &text)
{
    m_stderr.write(text.toLocal8Bit());
}

void cScanProgress::complain(const QString &text)
{
    QFile err;
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.write(withName(text).toLocal8Bit());
}
