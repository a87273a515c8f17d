#ifndef HEADLESSPROGRAM_H
#define HEADLESSPROGRAM_H

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The program run from the command line with no display at all, on a
// settings store (XDG_CONFIG_HOME) and a working folder of its own.
class headlessProgram
{
public:
    // preload: a library to LD_PRELOAD (the pty line interposer for parity
    // formats), or empty.
    explicit headlessProgram(const QString &program, const QString &preload = QString());

    void start(const QStringList &arguments);
    // Waits for the end; false when it did not end in time.
    bool finish();
    // Waits until standard error holds the text.
    bool waitForError(const QByteArray &text);
    bool run(const QStringList &arguments) { start(arguments); return finish(); }

    int exitCode() const;
    QStringList outputLines() const;
    QString configHome() const { return m_configHome.path(); }

    QProcess process;
    QByteArray output;
    QByteArray errors;

private:
    QString m_program;
    QTemporaryDir m_configHome;
    QTemporaryDir m_workDir;
};

#endif
