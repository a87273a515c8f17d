#include "cSimBus.h"

#include "simCrc.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int idlePollMs = 20;
constexpr std::size_t splitPieces = 3;
constexpr std::chrono::milliseconds splitPause{4};
constexpr std::chrono::milliseconds slowBytePause{1};
constexpr std::chrono::milliseconds hangUpPause{1};
constexpr std::chrono::milliseconds noiseSpan{50};
constexpr std::chrono::microseconds noisePause{200};
constexpr int noiseBurstMax = 16;
// A sleep wakes up to this much late; a paced reply sleeps that much less
// and spins the rest, lest its lateness be counted against the master.
constexpr std::chrono::microseconds wakeAllowance{200};

timespec toTimespec(std::chrono::nanoseconds time)
{
    const qint64 ns = time.count();
    return timespec{time_t(ns / 1000000000), long(ns % 1000000000)};
}

void sleepUntil(std::chrono::steady_clock::time_point deadline)
{
    // steady_clock is CLOCK_MONOTONIC, so its epoch is the one clock_nanosleep expects.
    const timespec ts = toTimespec(deadline.time_since_epoch());
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void startAt(std::chrono::steady_clock::time_point deadline)
{
    if (std::chrono::steady_clock::now() < deadline - wakeAllowance)
        sleepUntil(deadline - wakeAllowance);
    while (std::chrono::steady_clock::now() < deadline) {
    }
}

void sleepFor(std::chrono::nanoseconds span)
{
    sleepUntil(std::chrono::steady_clock::now() + span);
}

bool isSymlink(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

QByteArray linkTarget(const QByteArray &path)
{
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.constData(), target, sizeof(target));
    return length > 0 ? QByteArray(target, int(length)) : QByteArray();
}

bool exists(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

} // namespace

cSimBus::~cSimBus()
{
    stop();
}

bool cSimBus::start(QString *error)
{
    if (m_running.load())
        return true;
    if (!m_pty.open(error))
        return false;
    if (!m_linkPath.isEmpty())
        placeLink();
    m_running.store(true);
    m_thread = std::thread(&cSimBus::run, this);
    return true;
}

void cSimBus::stop()
{
    halt();
    removeLink();
}

void cSimBus::vanish()
{
    halt();
}

void cSimBus::halt()
{
    m_running.store(false);
    if (m_thread.joinable())
        m_thread.join();
    m_pty.close();
    m_assembler.clear();
}

bool cSimBus::makeLink(const QString &path)
{
    if (!m_pty.isOpen())
        return false;
    if (path != m_linkPath)
        removeLink();
    m_linkPath = path;
    return placeLink();
}

bool cSimBus::placeLink()
{
    const QByteArray link = m_linkPath.toLocal8Bit();
    if (isSymlink(link))
        ::unlink(link.constData());
    if (exists(link))
        return false;
    m_linkTarget = m_pty.slavePath().toLocal8Bit();
    return ::symlink(m_linkTarget.constData(), link.constData()) == 0;
}

// A link that another bus has taken over since is that bus's to remove.
void cSimBus::removeLink()
{
    const QByteArray link = m_linkPath.toLocal8Bit();
    if (!link.isEmpty() && linkTarget(link) == m_linkTarget)
        ::unlink(link.constData());
    m_linkPath.clear();
    m_linkTarget.clear();
}

cSimModule *cSimBus::addModule(quint8 address, qint32 baud, int formatIndex, quint16 variant)
{
    std::lock_guard<std::mutex> lock(m_modulesMutex);
    m_modules.push_back(std::make_unique<cSimModule>(address, baud, formatIndex, variant));
    return m_modules.back().get();
}

simReply_t cSimBus::answerAtOwnLine(const std::vector<quint8> &frame)
{
    ++m_framesSeen;
    std::lock_guard<std::mutex> lock(m_modulesMutex);
    for (const std::unique_ptr<cSimModule> &module : m_modules)
        if (module->address() == frame[0])
            return module->answer(frame);
    return simReply_t();
}

void cSimBus::run()
{
    while (m_running.load()) {
        pollfd pfd{m_pty.masterFd(), POLLIN, 0};
        const int timeout = m_assembler.empty() ? idlePollMs : int(m_assembler.silenceGap().count());
        const int ready = ::poll(&pfd, 1, timeout);
        if (ready < 0)
            continue;
        if (ready == 0) {
            std::vector<quint8> frame;
            if (m_assembler.takeOnSilence(frame) && simCrcOk(frame))
                handle(frame, steadyClock::now());
            continue;
        }
        if (pfd.revents & POLLIN) {
            receive();
            continue;
        }
        // No slave open: the master reports a hang-up until one is.
        sleepFor(hangUpPause);
    }
}

void cSimBus::receive()
{
    quint8 buffer[4096];
    const ssize_t count = m_pty.receive(buffer, sizeof buffer);
    if (count <= 0) {
        if (count < 0 && errno == EIO)
            sleepFor(hangUpPause);
        return;
    }
    if (m_echo.load())
        m_pty.send(buffer, std::size_t(count));
    const steadyClock::time_point requestEnd = steadyClock::now();
    if (m_assembler.empty()) {
        const qint64 silence = (requestEnd - m_lineFreeAt).count();
        if (silence < m_shortestSilence.load())
            m_shortestSilence.store(silence);
    }
    m_lineFreeAt = std::max(m_lineFreeAt, requestEnd) + m_pty.line().wireTime(double(count));
    m_assembler.append(buffer, std::size_t(count));
    std::vector<quint8> frame;
    while (m_assembler.takeFrame(frame)) {
        // A real slave drops a damaged frame silently.
        if (simCrcOk(frame))
            handle(frame, requestEnd);
    }
}

void cSimBus::handle(const std::vector<quint8> &frame, steadyClock::time_point requestEnd)
{
    cSimModule *module = moduleFor(frame[0], m_pty.line());
    if (module)
        sendReply(module->answer(frame), requestEnd);
    ++m_framesSeen;
}

cSimModule *cSimBus::moduleFor(quint8 address, const simLine_t &line) const
{
    std::lock_guard<std::mutex> lock(m_modulesMutex);
    for (const std::unique_ptr<cSimModule> &module : m_modules)
        if (module->listensTo(address, line))
            return module.get();
    return nullptr;
}

void cSimBus::sendReply(const simReply_t &reply, steadyClock::time_point requestEnd)
{
    if (reply.bytes.empty())
        return;
    if (reply.delay.count() > 0)
        startAt(requestEnd + reply.delay);
    if (reply.fault == simFault::Split)
        return sendInPieces(reply.bytes, splitPieces, splitPause);
    if (reply.fault == simFault::SlowBytes)
        return sendInPieces(reply.bytes, reply.bytes.size(), slowBytePause);
    if (reply.fault == simFault::Noise)
        return sendNoise();
    send(reply.bytes.data(), reply.bytes.size());
}

void cSimBus::send(const quint8 *data, std::size_t length)
{
    m_lineFreeAt = std::max(m_lineFreeAt, steadyClock::now());
    ++m_writes;
    m_pty.send(data, length);
}

// Short bursts of random bytes, as a line picking up interference.
void cSimBus::sendNoise()
{
    const steadyClock::time_point end = steadyClock::now() + noiseSpan;
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> burst(1, noiseBurstMax);
    quint8 bytes[noiseBurstMax];
    while (steadyClock::now() < end && m_running.load()) {
        const int length = burst(m_noise);
        for (int i = 0; i < length; ++i)
            bytes[i] = quint8(byte(m_noise));
        send(bytes, std::size_t(length));
        sleepFor(noisePause);
    }
}

void cSimBus::sendInPieces(const std::vector<quint8> &bytes, std::size_t pieces,
                           std::chrono::milliseconds pause)
{
    const std::size_t pieceLength = (bytes.size() + pieces - 1) / pieces;
    for (std::size_t offset = 0; offset < bytes.size(); offset += pieceLength) {
        if (offset > 0)
            sleepFor(pause);
        send(bytes.data() + offset, std::min(pieceLength, bytes.size() - offset));
    }
}
