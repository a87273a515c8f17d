#include "libmodbusSlave.h"

#include <arpa/inet.h>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {

// Short enough that stop() returns promptly.
constexpr uint32_t indicationTimeoutUs = 50000;
// After a frame for another address libmodbus 3.1.6 takes whatever arrives
// within this time for that slave's reply and drops it: kept well below the
// master's time-out, so that the dropped frame is never our next request.
constexpr uint32_t responseTimeoutUs = 20000;

} // namespace

libmodbusSlave::~libmodbusSlave()
{
    stop();
}

bool libmodbusSlave::start(const QString &port, int baud, int address, QString *error)
{
    if (m_running.load())
        return true;
    m_map = modbus_mapping_new(0, 0, registerCount, registerCount);
    if (!m_map || !connectPort(port, baud, address, error)) {
        if (error && error->isEmpty())
            *error = QString::fromLocal8Bit(modbus_strerror(errno));
        release();
        return false;
    }
    m_running.store(true);
    m_thread = std::thread(&libmodbusSlave::run, this);
    return true;
}

bool libmodbusSlave::connectPort(const QString &port, int baud, int address, QString *error)
{
    m_ctx = modbus_new_rtu(port.toLocal8Bit().constData(), baud, 'N', 8, 1);
    if (!m_ctx)
        return false;
    modbus_set_slave(m_ctx, address);
    modbus_set_indication_timeout(m_ctx, 0, indicationTimeoutUs);
    modbus_set_response_timeout(m_ctx, 0, responseTimeoutUs);
    if (modbus_connect(m_ctx) != 0) {
        if (error)
            *error = port + QStringLiteral(": ") + QString::fromLocal8Bit(modbus_strerror(errno));
        return false;
    }
    return true;
}

// Port 0: the system picks a free one.
bool libmodbusSlave::startTcp(QString *error)
{
    m_map = modbus_mapping_new(0, 0, registerCount, registerCount);
    m_ctx = modbus_new_tcp("127.0.0.1", 0);
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (!m_map || !m_ctx || (m_listener = modbus_tcp_listen(m_ctx, 1)) < 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &size) != 0) {
        *error = QString::fromLocal8Bit(modbus_strerror(errno));
        release();
        return false;
    }
    m_tcpPort = ntohs(address.sin_port);
    modbus_set_indication_timeout(m_ctx, 0, indicationTimeoutUs);
    m_running.store(true);
    m_thread = std::thread(&libmodbusSlave::run, this);
    return true;
}

void libmodbusSlave::stop()
{
    m_running.store(false);
    if (m_thread.joinable())
        m_thread.join();
    release();
}

void libmodbusSlave::release()
{
    if (m_listener >= 0)
        ::close(m_listener);
    m_listener = -1;
    if (m_ctx) {
        modbus_close(m_ctx);
        modbus_free(m_ctx);
        m_ctx = nullptr;
    }
    if (m_map) {
        modbus_mapping_free(m_map);
        m_map = nullptr;
    }
}

void libmodbusSlave::run()
{
    uint8_t request[MODBUS_TCP_MAX_ADU_LENGTH]; // the longer of the two
    bool connected = m_listener < 0;
    while (m_running.load()) {
        pollfd client{m_listener, POLLIN, 0};
        if (!connected && !(connected = ::poll(&client, 1, 50) > 0 && modbus_tcp_accept(m_ctx, &m_listener) >= 0))
            continue;
        // 0: a frame for another address; -1: silence, a damaged frame or a client gone.
        const int length = modbus_receive(m_ctx, request);
        if (length < 0 && errno != ETIMEDOUT && m_listener >= 0) {
            modbus_close(m_ctx);
            connected = false;
        }
        if (length <= 0)
            continue;
        std::lock_guard<std::mutex> lock(m_mutex);
        modbus_reply(m_ctx, request, length, m_map);
    }
}

quint16 libmodbusSlave::holding(int reg) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_map->tab_registers[reg];
}

quint16 libmodbusSlave::input(int reg) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_map->tab_input_registers[reg];
}

void libmodbusSlave::setHolding(int reg, quint16 value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_map->tab_registers[reg] = value;
}

void libmodbusSlave::setInput(int reg, quint16 value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_map->tab_input_registers[reg] = value;
}
