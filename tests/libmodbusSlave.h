#ifndef LIBMODBUSSLAVE_H
#define LIBMODBUSSLAVE_H

#include <QString>
#include <atomic>
#include <modbus.h>
#include <mutex>
#include <thread>

// A libmodbus RTU slave (or ModBus TCP server on 127.0.0.1) serving one register mapping from a thread of its
// own: an independent implementation for our master to talk to. Every access
// to the mapping, the slave's replies included, goes through one lock.
class libmodbusSlave
{
public:
    static constexpr int registerCount = 2000;

    libmodbusSlave() = default;
    ~libmodbusSlave();
    libmodbusSlave(const libmodbusSlave &) = delete;
    libmodbusSlave &operator=(const libmodbusSlave &) = delete;

    bool start(const QString &port, int baud, int address, QString *error);
    bool startTcp(QString *error); // one client at a time, at tcpPort()
    quint16 tcpPort() const { return m_tcpPort; }
    void stop();

    quint16 holding(int reg) const;
    quint16 input(int reg) const;
    void setHolding(int reg, quint16 value);
    void setInput(int reg, quint16 value);

private:
    bool connectPort(const QString &port, int baud, int address, QString *error);
    void run();
    void release();

    modbus_t *m_ctx = nullptr;
    modbus_mapping_t *m_map = nullptr;
    int m_listener = -1;
    quint16 m_tcpPort = 0;
    mutable std::mutex m_mutex;
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

#endif
