#ifndef CSCANPROGRESS_H
#define CSCANPROGRESS_H

#include <QFile>
#include <QString>

// The command-line search's standard error: a bar redrawn in place on a
// terminal, one line per address otherwise, and the messages.
class cScanProgress
{
public:
    cScanProgress(int firstAddress, int lastAddress);

    void show(int address, int found);
    // One line on a line of its own, after the bar if one is drawn.
    void say(const QString &text);
    // Leaves the bar's line.
    void end();

    // Errors before there is any progress.
    static void complain(const QString &text);

private:
    void write(const QString &text);
    QString bar(int address, int found) const;

    QFile m_stderr;
    int m_first;
    int m_last;
    bool m_terminal;
    bool m_barShown = false;
};

#endif
