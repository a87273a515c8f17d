#ifndef CSIMMODULE_H
#define CSIMMODULE_H

#include <QtGlobal>
#include <array>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <vector>

#include "simFault.h"
#include "simLine.h"

// What a module puts on the line for one request.
struct simReply_t
{
    std::vector<quint8> bytes; // empty: no reply
    simFault fault = simFault::None;
    std::chrono::nanoseconds delay{0}; // from the end of the request to the first reply byte
};

// A VRD-3310 I/O module as a ModBus RTU slave: functions 3, 4, 8 (echo) and
// 16 over one image of 3200 registers. All public members are thread-safe.
class cSimModule
{
public:
    static constexpr int registerCount = 3200;
    static constexpr quint16 regMcuTemperature = 1009; // float over 1009 (low half) and 1010
    static constexpr quint16 regName = 1111;
    static constexpr quint16 regFirmware = 1112;
    static constexpr quint16 regYear = 1113;
    static constexpr quint16 regDate = 1114;
    static constexpr quint16 regVariant = 1115;
    static constexpr quint16 regAddress = 1582;
    static constexpr quint16 regLineConfig = 1583;
    static constexpr quint16 regSafetyTimeout = 1584;
    static constexpr quint16 regWatchdog = 1585;
    static constexpr quint16 regCommand = 1586;
    static constexpr quint16 commandFactoryReset = 2;
    static constexpr quint16 commandTakeLine = 4;

    // formatIndex: 0 "8N1", 1 "8N2", 2 "8E1", 3 "8O1".
    cSimModule(quint8 address, qint32 baud, int formatIndex, quint16 variant = 1);

    quint8 address() const;
    qint32 baud() const;
    int formatIndex() const; // -1 if command 4 chose a format outside the four
    simLine_t line() const;
    quint16 variant() const;
    int requestCount() const; // frames addressed to it at its own line settings

    quint16 reg(quint16 number) const; // 0 beyond the image
    void setReg(quint16 number, quint16 value);

    void setFault(simFault fault);
    simFault fault() const;
    void setLateReplyDelay(std::chrono::milliseconds delay); // 400 ms unless set
    void setPaced(bool paced);
    bool paced() const;

    // Communication configuration word (register 1583) for a line.
    static quint16 lineConfigWord(const simLine_t &line);
    static simLine_t lineFromConfigWord(quint16 word);

    // Bus side: whether a frame to this address on this line reaches it, and
    // its answer to a frame with a valid CRC.
    bool listensTo(quint8 address, const simLine_t &line) const;
    simReply_t answer(const std::vector<quint8> &request);

private:
    void loadFactoryImage();
    std::vector<quint8> process(const std::vector<quint8> &request);
    std::vector<quint8> readRegisters(const std::vector<quint8> &request);
    std::vector<quint8> writeRegisters(const std::vector<quint8> &request);
    std::vector<quint8> echo(const std::vector<quint8> &request) const;
    void runCommand(quint16 command);
    void driftTemperature();
    void storeTemperature();
    std::chrono::nanoseconds replyDelay(simFault fault, const simLine_t &line,
                                        std::size_t requestLength, std::size_t replyLength) const;

    const quint8 m_factoryAddress;
    const simLine_t m_factoryLine;
    const quint16 m_variant;

    mutable std::mutex m_mutex;
    quint8 m_address;
    simLine_t m_line;
    std::array<quint16, registerCount> m_regs{};
    float m_temperature;
    std::minstd_rand m_random;

    std::atomic<int> m_requests{0};
    std::atomic<simFault> m_fault{simFault::None};
    std::atomic<qint64> m_lateDelayMs{400};
    std::atomic<bool> m_paced{false};
};

#endif
