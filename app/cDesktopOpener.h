#ifndef CDESKTOPOPENER_H
#define CDESKTOPOPENER_H

#include <QObject>
#include <QString>

class QProcess;

// Opens a file or folder in the desktop's program for it and tells when
// none could be started. QDesktopServices counts a started xdg-open as
// success even when xdg-open then finds no program, so where xdg-open is
// found it is run here and its exit status read.
class cDesktopOpener : public QObject
{
    Q_OBJECT

public:
    explicit cDesktopOpener(QObject *parent = nullptr);

    // Ends with finished(); deletes itself after that.
    void open(const QString &path);

signals:
    void finished(bool shown);

private:
    void report(bool shown);

    QProcess *m_process = nullptr;
};

#endif
