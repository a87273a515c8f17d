#ifndef CPTYBRIDGE_H
#define CPTYBRIDGE_H

#include <QString>
#include <atomic>
#include <thread>

#include "cPtyDevice.h"

// A null-modem cable between two pseudo-terminals: whatever a program
// writes on one port is read on the other.
class cPtyBridge
{
public:
    cPtyBridge() = default;
    ~cPtyBridge();
    cPtyBridge(const cPtyBridge &) = delete;
    cPtyBridge &operator=(const cPtyBridge &) = delete;

    bool start(QString *error = nullptr);
    void stop();
    bool isRunning() const { return m_running.load(); }
    QString portA() const { return m_a.slavePath(); }
    QString portB() const { return m_b.slavePath(); }

private:
    void run();
    void forward(cPtyDevice &from, cPtyDevice &to);

    cPtyDevice m_a;
    cPtyDevice m_b;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
};

#endif
