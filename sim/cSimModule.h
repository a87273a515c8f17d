#ifndef CSIMMODULE_H
#define CSIMMODULE_H

#include <QtGlobal>
#include <array>
#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
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

// A VRD-3310 I/O module as a ModBus RTU slave: functions 3 and 16 on 3200
// holding registers, 4 on 3200 input registers, and 8 (echo). Floats span two
// registers, the low half of the IEEE pattern first. All public members are
// thread-safe.
class cSimModule
{
public:
    static constexpr int registerCount = 3200;
    static constexpr int diChannels = 8;
    static constexpr int aiChannels = 2;
    static constexpr quint16 regMcuTemperature = 1009; // input
    static constexpr quint16 regName = 1111; // input, as far as 1115
    static constexpr quint16 regFirmware = 1112;
    static constexpr quint16 regYear = 1113;
    static constexpr quint16 regDate = 1114;
    static constexpr quint16 regVariant = 1115;
    static constexpr quint16 regAddress = 1582; // holding, as far as 1586
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
    int writeCount() const;   // the writes among them, answered or not

    // Holding registers; 0 beyond the image.
    quint16 reg(quint16 number) const;
    void setReg(quint16 number, quint16 value);
    float holdingFloat(quint16 number) const;
    void setHoldingFloat(quint16 number, float value);
    // Input registers; 0 beyond the image.
    quint16 inputReg(quint16 number) const;
    void setInputReg(quint16 number, quint16 value);
    void setInputFloat(quint16 number, float value);

    void setAiInput(int channel, float volts);
    void setCalibrationSaveFails(bool fails); // every execute then ends in status 8

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
    static constexpr int calibratedKinds = 3; // AI, AO, Pt
    static constexpr int maxCalibratedChannels = 5;

    // How one kind of channel calibrates.
    struct calibrationKind_t
    {
        int channels;
        quint16 regMode;
        quint16 calibrationMode;
        quint16 regStatus;   // input, one per channel
        quint16 regCommands; // channel masks: low point, high point, execute
        quint16 regSent;     // float the master sends with a point
        // AI: a point is the measured input, which must rise from low to
        // high, and the value sent comes with the high point alone.
        bool measuresInput;
        float lowest; // range of the values sent
        float highest;
        float minDistance;
    };
    struct calibrationPoint_t
    {
        float value;
        float sent;
    };
    struct calibration_t
    {
        std::optional<calibrationPoint_t> low;
        std::optional<calibrationPoint_t> high;
        bool broken = false;
    };
    using calibrations_t = std::array<calibration_t, maxCalibratedChannels>;
    enum class calibrationStep { Low, High, Execute };

    static std::array<calibrationKind_t, calibratedKinds> calibrationKinds(float ptNominal);

    void loadFactoryImage();
    void loadFactoryHolding();
    void loadFactoryInputs();
    std::vector<quint8> process(const std::vector<quint8> &request);
    std::vector<quint8> readRegisters(const std::vector<quint8> &request);
    std::vector<quint8> writeRegisters(const std::vector<quint8> &request);
    std::vector<quint8> echo(const std::vector<quint8> &request) const;
    void runCommand(quint16 command);
    void afterWrite(quint16 start, quint16 count);
    void refreshInputs(quint16 start, quint16 count);
    void advanceCounters();
    void resetCounters(quint16 mask);
    void storeIdentifier(int channel, quint64 identifier);
    void bindIdentifier(int channel);
    float oneWireTemperature(int channel) const;
    float aiVolts(int channel) const;
    float ptValue(int channel) const;
    void runCalibration(const calibrationKind_t &kind, calibrations_t &channels);
    void stepCalibration(const calibrationKind_t &kind, int channel, calibrationStep step,
                         calibration_t &calibration);
    calibrationPoint_t takePoint(const calibrationKind_t &kind, int channel) const;
    quint16 verdict(const calibrationKind_t &kind, const calibration_t &calibration) const;
    void driftTemperature();
    std::chrono::nanoseconds replyDelay(simFault fault, const simLine_t &line,
                                        std::size_t requestLength, std::size_t replyLength) const;

    const quint8 m_factoryAddress;
    const simLine_t m_factoryLine;
    const quint16 m_variant;
    const float m_ptNominal; // ohms at 0 °C
    const std::array<calibrationKind_t, calibratedKinds> m_kinds;

    mutable std::mutex m_mutex;
    quint8 m_address;
    simLine_t m_line;
    std::array<quint16, registerCount> m_regs{};
    std::array<quint16, registerCount> m_inputs{};
    float m_temperature;
    std::array<float, aiChannels> m_aiInput;
    std::array<double, diChannels> m_pulseRemainder{};
    std::chrono::steady_clock::time_point m_lastAdvance;
    std::array<calibrations_t, calibratedKinds> m_calibrations{};
    std::minstd_rand m_random;

    std::atomic<int> m_requests{0};
    std::atomic<int> m_writes{0};
    std::atomic<simFault> m_fault{simFault::None};
    std::atomic<qint64> m_lateDelayMs{400};
    std::atomic<bool> m_paced{false};
    std::atomic<bool> m_calibrationSaveFails{false};
};

#endif
