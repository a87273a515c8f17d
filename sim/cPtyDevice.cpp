#include "cPtyDevice.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int sendStallMs = 100;

struct speedEntry_t
{
    speed_t speed;
    qint32 baud;
};

constexpr speedEntry_t speeds[] = {
    {B300, 300}, {B600, 600}, {B1200, 1200}, {B2400, 2400}, {B4800, 4800},
    {B9600, 9600}, {B19200, 19200}, {B38400, 38400}, {B57600, 57600},
    {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

qint32 baudOf(speed_t speed)
{
    for (const speedEntry_t &entry : speeds)
        if (entry.speed == speed)
            return entry.baud;
    return 0;
}

bool fail(QString *error, const char *what)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

bool setFlags(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0
        && ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

// Termios ioctls on a pty master act on the slave.
bool makeRaw(int master)
{
    termios tio;
    if (::tcgetattr(master, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    return ::tcsetattr(master, TCSANOW, &tio) == 0;
}

} // namespace

cPtyDevice::~cPtyDevice()
{
    close();
}

bool cPtyDevice::open(QString *error)
{
    close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(error, "posix_openpt");
    char name[64];
    if (!setFlags(m_master) || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0
        || ::ptsname_r(m_master, name, sizeof name) != 0 || !makeRaw(m_master)) {
        fail(error, "pty set-up");
        close();
        return false;
    }
    m_keptSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_keptSlave < 0) {
        fail(error, name);
        close();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    return true;
}

void cPtyDevice::close()
{
    if (m_keptSlave >= 0)
        ::close(m_keptSlave);
    if (m_master >= 0)
        ::close(m_master);
    m_keptSlave = -1;
    m_master = -1;
    m_slavePath.clear();
}

simLine_t cPtyDevice::line() const
{
    simLine_t line;
    termios tio;
    if (::tcgetattr(m_master, &tio) != 0)
        return line;
    line.baud = baudOf(::cfgetospeed(&tio));
    line.stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    winsize ws;
    ztPtyLineFormat format = {ZT_PTYLINE_PARITY_NONE, 0, 8};
    if (::ioctl(m_master, TIOCGWINSZ, &ws) == 0)
        ztPtyLineDecode(&ws, &format);
    line.parity = format.parity;
    line.stickParity = format.stick != 0;
    line.dataBits = format.dataBits;
    return line;
}

ssize_t cPtyDevice::receive(quint8 *buffer, std::size_t capacity)
{
    return ::read(m_master, buffer, capacity);
}

bool cPtyDevice::send(const quint8 *data, std::size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(m_master, data, length);
        if (written > 0) {
            data += written;
            length -= std::size_t(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN)
            return false;
        pollfd pfd{m_master, POLLOUT, 0};
        if (::poll(&pfd, 1, sendStallMs) <= 0)
            return false;
    }
    return true;
}
