#ifndef CPTYDEVICE_H
#define CPTYDEVICE_H

#include <QString>
#include <cstddef>
#include <sys/types.h>

#include "simLine.h"

// The master end of a pseudo-terminal, standing in for the far end of a
// serial cable. It keeps one slave descriptor open itself, so that a program
// opening and closing the slave never hangs up the master.
class cPtyDevice
{
public:
    cPtyDevice() = default;
    ~cPtyDevice();
    cPtyDevice(const cPtyDevice &) = delete;
    cPtyDevice &operator=(const cPtyDevice &) = delete;

    bool open(QString *error);
    void close();
    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }

    // The settings a program last put on the slave.
    simLine_t line() const;

    // Non-blocking; -1 with errno EAGAIN when nothing is waiting.
    ssize_t receive(quint8 *buffer, std::size_t capacity);
    // Gives up when the slave side stops taking bytes for a while.
    bool send(const quint8 *data, std::size_t length);

private:
    int m_master = -1;
    int m_keptSlave = -1;
    QString m_slavePath;
};

#endif
