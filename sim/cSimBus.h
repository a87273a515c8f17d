#ifndef CSIMBUS_H
#define CSIMBUS_H

#include <QString>
#include <atomic>
#include <chrono>
#include <climits>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "cPtyDevice.h"
#include "cSimFrameAssembler.h"
#include "cSimModule.h"

// An RS-485 bus of simulated modules behind one pseudo-terminal. A program
// opens portPath() as its serial port; a request reaches the module with its
// address whose line settings equal those the program set on the tty.
// start, stop, vanish, makeLink and portPath belong to the owner's thread;
// addModule, the counters, the silence and the modules are thread-safe.
class cSimBus
{
public:
    cSimBus() = default;
    ~cSimBus();
    cSimBus(const cSimBus &) = delete;
    cSimBus &operator=(const cSimBus &) = delete;

    bool start(QString *error = nullptr);
    void stop();
    // Closes the pty at once, as an unplugged USB adapter: the program's open
    // port is hung up. The modules stay; start() plugs a new pty in (and
    // points the link at it).
    void vanish();
    bool isRunning() const { return m_running.load(); }

    QString portPath() const { return m_pty.slavePath(); }
    bool makeLink(const QString &path); // replaces a symlink there, never a file
    cSimModule *addModule(quint8 address, qint32 baud, int formatIndex, quint16 variant = 1);
    // A request that came through a device server (cSimTcpServer), which
    // reaches each module at the module's own line settings. Thread-safe.
    simReply_t answerAtOwnLine(const std::vector<quint8> &frame);
    int framesSeen() const { return m_framesSeen.load(); } // frames with a valid CRC, handled
    int writesMade() const { return m_writes.load(); } // pieces of replies and noise written
    // The shortest quiet before a frame since the reset, as the modules see
    // the line: a request lasts its wire time, a reply ends when written.
    std::chrono::nanoseconds shortestSilence() const { return std::chrono::nanoseconds(m_shortestSilence.load()); }
    void resetSilence() { m_shortestSilence.store(LLONG_MAX); }
    // A line whose adapter hears its own transmitter: every byte the master
    // sends comes straight back to it, whatever the modules do.
    void setEcho(bool on) { m_echo.store(on); }

private:
    using steadyClock = std::chrono::steady_clock;

    void halt();
    void removeLink();
    bool placeLink();
    void run();
    void receive();
    void handle(const std::vector<quint8> &frame, steadyClock::time_point requestEnd);
    cSimModule *moduleFor(quint8 address, const simLine_t &line) const;
    void sendReply(const simReply_t &reply, steadyClock::time_point requestEnd);
    void sendInPieces(const std::vector<quint8> &bytes, std::size_t pieces,
                      std::chrono::milliseconds pause);
    void send(const quint8 *data, std::size_t length);
    void sendNoise();

    cPtyDevice m_pty;
    cSimFrameAssembler m_assembler;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_echo{false};
    std::atomic<int> m_framesSeen{0};
    std::atomic<int> m_writes{0};
    std::atomic<qint64> m_shortestSilence{LLONG_MAX};
    steadyClock::time_point m_lineFreeAt; // bus thread only
    std::minstd_rand m_noise;             // bus thread only
    mutable std::mutex m_modulesMutex;
    std::vector<std::unique_ptr<cSimModule>> m_modules;
    QString m_linkPath;
    QByteArray m_linkTarget;
};

#endif
