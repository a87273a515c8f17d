#ifndef CSIMBUS_H
#define CSIMBUS_H

#include <QString>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "cPtyDevice.h"
#include "cSimFrameAssembler.h"
#include "cSimModule.h"

// An RS-485 bus of simulated modules behind one pseudo-terminal. A program
// opens portPath() as its serial port; a request reaches the module with its
// address whose line settings equal those the program set on the tty.
// start, stop, vanish, makeLink and portPath belong to the owner's thread;
// addModule, framesSeen and the modules themselves are thread-safe.
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
    int framesSeen() const { return m_framesSeen.load(); } // frames with a valid CRC, handled

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

    cPtyDevice m_pty;
    cSimFrameAssembler m_assembler;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<int> m_framesSeen{0};
    mutable std::mutex m_modulesMutex;
    std::vector<std::unique_ptr<cSimModule>> m_modules;
    QString m_linkPath;
    QByteArray m_linkTarget;
};

#endif
