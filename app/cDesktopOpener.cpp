#include "cDesktopOpener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

cDesktopOpener::cDesktopOpener(QObject *parent)
    : QObject(parent)
{
}

void cDesktopOpener::open(const QString &path)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        // Elsewhere the desktop's own call tells whether a program took the file.
        const bool shown = QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        QTimer::singleShot(0, this, [this, shown] { report(shown); });
        return;
    }
    // xdg-open may wait for the viewer it started: it stays in the
    // background and only a failure is acted on.
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this](int code, QProcess::ExitStatus status) {
                report(status == QProcess::NormalExit && code == 0);
            });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            report(false);
    });
    m_process->start(xdgOpen, {path});
}

void cDesktopOpener::report(bool shown)
{
    emit finished(shown);
    deleteLater();
}
