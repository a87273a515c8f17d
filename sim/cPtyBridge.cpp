#include "cPtyBridge.h"

#include <poll.h>

namespace {

constexpr int pollMs = 20;

} // namespace

cPtyBridge::~cPtyBridge()
{
    stop();
}

bool cPtyBridge::start(QString *error)
{
    if (m_running.load())
        return true;
    if (!m_a.open(error) || !m_b.open(error)) {
        m_a.close();
        return false;
    }
    m_running.store(true);
    m_thread = std::thread(&cPtyBridge::run, this);
    return true;
}

void cPtyBridge::stop()
{
    m_running.store(false);
    if (m_thread.joinable())
        m_thread.join();
    m_a.close();
    m_b.close();
}

void cPtyBridge::run()
{
    while (m_running.load()) {
        pollfd pfds[2] = {{m_a.masterFd(), POLLIN, 0}, {m_b.masterFd(), POLLIN, 0}};
        if (::poll(pfds, 2, pollMs) <= 0)
            continue;
        if (pfds[0].revents & POLLIN)
            forward(m_a, m_b);
        if (pfds[1].revents & POLLIN)
            forward(m_b, m_a);
    }
}

void cPtyBridge::forward(cPtyDevice &from, cPtyDevice &to)
{
    quint8 buffer[4096];
    const ssize_t count = from.receive(buffer, sizeof buffer);
    if (count > 0)
        to.send(buffer, std::size_t(count));
}
