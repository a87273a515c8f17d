#include "cSimModule.h"

#include "simCrc.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr qint32 configBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int maxIndexedBaud = 7;
constexpr quint16 twoStopBitsFlag = 0x80;
constexpr int parityShift = 5;

constexpr int maxCount = 125;
constexpr quint8 illegalFunction = 1;
constexpr quint8 illegalAddress = 2;
constexpr quint8 illegalValue = 3;
constexpr quint8 deviceFailure = 4;
constexpr quint8 exceptionFlag = 0x80;

constexpr float nominalTemperature = 31.5f;
constexpr float lowestTemperature = 31.0f;
constexpr float highestTemperature = 32.0f;
constexpr double turnaroundCharacters = 3.5;

// 2.05.09: major in bits 0-3, minor in 4-7, build in 8-11.
constexpr quint16 firmwareVersion = 2 | 5 << 4 | 9 << 8;
constexpr quint16 firmwareYear = 2021;
constexpr quint16 firmwareDate = 14 | 6 << 5;
constexpr quint16 safetyTimeoutSeconds = 10;
constexpr quint16 moduleName = 3310;

// Discrete inputs. Counters are 32 bits, low half first like every two-register value.
constexpr quint16 regPulseRate = 0; // input, pulses per second
constexpr quint16 factoryPulseRates[cSimModule::diChannels] = {0, 1, 2, 5, 10, 50, 100, 1000};
constexpr quint16 regCounter = 58;  // input
constexpr quint16 regDiNormalState = 1116; // input
constexpr quint16 factoryDiNormalState = 0x05;
constexpr quint16 hardwareInfo[] = {8, 4, 2, 1}; // input, 1117 to 1120
constexpr quint16 regCounterReset = 1589; // channel mask

// 1-Wire. The identifier shows as its high and its low 32 bits; the master
// binds one by writing its four words, most significant first.
constexpr int oneWireChannels = 10;
constexpr quint16 regIdentifierHigh = 1017;
constexpr quint16 regIdentifierLow = 1137;
constexpr quint16 regOneWirePoll = 1257;
constexpr quint16 oneWireOff = 2;
constexpr quint16 regIdentifierBind = 1510;
constexpr quint16 regOneWireTemperature = 345; // input
constexpr int factoryIdentifiers = 4;
constexpr quint64 firstFactoryIdentifier = 0x28000000000000A0; // DS18B20 family
constexpr float firstSensorTemperature = 20.5f;
constexpr float sensorTemperatureStep = 0.25f;

// Analogue inputs.
constexpr quint16 regAiVolts = 801; // input
constexpr quint16 regAiStatus = 957; // input
constexpr quint16 regAiMode = 1445;
constexpr quint16 aiCalibration = 1;
constexpr quint16 aiDisabled = 2;
constexpr quint16 regAiDifference = 1478;
constexpr quint16 regAiCommands = 1590;
constexpr std::array<float, cSimModule::aiChannels> factoryAiVolts{{2.5f, 7.5f}};

// Analogue outputs.
constexpr int aoChannels = 5;
constexpr quint16 regAoStatus = 290; // input
constexpr quint16 regAoMode = 742;
constexpr quint16 aoCalibration = 2;
constexpr quint16 regAoRealValue = 907;
constexpr quint16 regAoCommands = 1601;

// Pt sensors: Pt100 in variant 2, Pt1000 in the others.
constexpr int ptChannels = 4;
constexpr quint16 regPtValue = 585; // input
constexpr quint16 regPtStatus = 747; // input
constexpr quint16 regPtCurve = 1317;
constexpr quint16 regPtMode = 1371;
constexpr quint16 ptCalibration = 1;
constexpr quint16 ptDisabled = 2;
constexpr quint16 regPtReference = 1387;
constexpr quint16 regPtCommands = 1593;
constexpr quint16 pt100Variant = 2;
constexpr double ptAlpha[] = {0.00385, 0.003911};
constexpr double ptResistanceRatios[ptChannels] = {1.0, 1.0385, 1.0962, 0.9};

constexpr quint16 statusLowTaken = 1;
constexpr quint16 statusHighTaken = 2;
constexpr quint16 statusSaveFailed = 8;
constexpr quint16 statusBroken = 9;
constexpr quint16 statusOutOfRange = 10;
constexpr quint16 statusTooClose = 11;
constexpr quint16 statusDone = 12;

using registers_t = std::array<quint16, cSimModule::registerCount>;

quint32 longAt(const registers_t &regs, quint16 number)
{
    return quint32(regs[number]) | quint32(regs[number + 1]) << 16;
}

void storeLong(registers_t &regs, quint16 number, quint32 value)
{
    regs[number] = quint16(value & 0xFFFF);
    regs[number + 1] = quint16(value >> 16);
}

float floatAt(const registers_t &regs, quint16 number)
{
    const quint32 pattern = longAt(regs, number);
    float value = 0;
    std::memcpy(&value, &pattern, sizeof value);
    return value;
}

void storeFloat(registers_t &regs, quint16 number, float value)
{
    quint32 pattern = 0;
    std::memcpy(&pattern, &value, sizeof pattern);
    storeLong(regs, number, pattern);
}

quint16 wordAt(const std::vector<quint8> &frame, std::size_t offset)
{
    return quint16(frame[offset] << 8 | frame[offset + 1]);
}

void appendWord(std::vector<quint8> &frame, quint16 value)
{
    frame.push_back(quint8(value >> 8));
    frame.push_back(quint8(value & 0xFF));
}

std::vector<quint8> exceptionReply(const std::vector<quint8> &request, quint8 code)
{
    std::vector<quint8> reply{request[0], quint8(request[1] | exceptionFlag), code};
    simAppendCrc(reply);
    return reply;
}

bool covers(quint16 start, quint16 count, quint16 number)
{
    return number >= start && number < start + count;
}

bool overlaps(quint16 start, quint16 count, quint16 first, quint16 length)
{
    return start < first + length && first < start + count;
}

bool inRange(float value, float lowest, float highest)
{
    return value >= lowest && value <= highest;
}

// Changes one byte of a sound reply and gives it a valid CRC again.
void respell(std::vector<quint8> &reply, std::size_t at, quint8 value)
{
    reply.resize(reply.size() - 2);
    reply[at] = value;
    simAppendCrc(reply);
}

void spoil(std::vector<quint8> &reply, simFault fault)
{
    const bool read = reply[1] == 3 || reply[1] == 4;
    switch (fault) {
    case simFault::BadCrc:
        reply.back() ^= 0xFF;
        return;
    case simFault::WrongAddress:
        return respell(reply, 0, quint8(reply[0] % 247 + 1));
    case simFault::WrongFunction:
        return respell(reply, 1, quint8(reply[1] ^ 0x07));
    case simFault::WrongCount:
        // A read's byte count, a write's echoed count, an echo's data.
        if (reply[1] & exceptionFlag)
            return;
        return read ? respell(reply, 2, quint8(reply[2] - 2)) : respell(reply, 5, quint8(reply[5] ^ 0x01));
    case simFault::TrailingGarbage:
        reply.insert(reply.end(), {0xA5, 0x5A, 0xFF});
        return;
    default:
        return;
    }
}

} // namespace

cSimModule::cSimModule(quint8 address, qint32 baud, int formatIndex, quint16 variant)
    : m_factoryAddress(address)
    , m_factoryLine(simLine_t::fromFormat(baud, formatIndex))
    , m_variant(variant)
    , m_ptNominal(variant == pt100Variant ? 100.0f : 1000.0f)
    , m_kinds(calibrationKinds(m_ptNominal))
    , m_address(address)
    , m_line(m_factoryLine)
    , m_temperature(nominalTemperature)
    , m_aiInput(factoryAiVolts)
    , m_random(address)
{
    loadFactoryImage();
}

quint8 cSimModule::address() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_address;
}

qint32 cSimModule::baud() const
{
    return line().baud;
}

int cSimModule::formatIndex() const
{
    return line().formatIndex();
}

simLine_t cSimModule::line() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_line;
}

quint16 cSimModule::variant() const
{
    return m_variant;
}

int cSimModule::requestCount() const
{
    return m_requests.load();
}

int cSimModule::writeCount() const
{
    return m_writes.load();
}

quint16 cSimModule::reg(quint16 number) const
{
    if (number >= registerCount)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_regs[number];
}

void cSimModule::setReg(quint16 number, quint16 value)
{
    if (number >= registerCount)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_regs[number] = value;
}

float cSimModule::holdingFloat(quint16 number) const
{
    if (number >= registerCount - 1)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    return floatAt(m_regs, number);
}

quint16 cSimModule::inputReg(quint16 number) const
{
    if (number >= registerCount)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_inputs[number];
}

void cSimModule::setInputReg(quint16 number, quint16 value)
{
    if (number >= registerCount)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    // Pulses so far count at the old rate, and a counter set now starts from its new value.
    advanceCounters();
    m_inputs[number] = value;
}

void cSimModule::setHoldingFloat(quint16 number, float value)
{
    if (number >= registerCount - 1)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    storeFloat(m_regs, number, value);
}

void cSimModule::setInputFloat(quint16 number, float value)
{
    if (number >= registerCount - 1)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    storeFloat(m_inputs, number, value);
}

void cSimModule::setAiInput(int channel, float volts)
{
    if (channel < 0 || channel >= aiChannels)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aiInput[std::size_t(channel)] = volts;
}

void cSimModule::setCalibrationSaveFails(bool fails)
{
    m_calibrationSaveFails.store(fails);
}

void cSimModule::setFault(simFault fault)
{
    m_fault.store(fault);
}

simFault cSimModule::fault() const
{
    return m_fault.load();
}

void cSimModule::setLateReplyDelay(std::chrono::milliseconds delay)
{
    m_lateDelayMs.store(delay.count());
}

void cSimModule::setPaced(bool paced)
{
    m_paced.store(paced);
}

bool cSimModule::paced() const
{
    return m_paced.load();
}

quint16 cSimModule::lineConfigWord(const simLine_t &line)
{
    quint16 word = maxIndexedBaud;
    for (int i = 0; i < maxIndexedBaud; ++i)
        if (configBauds[i] == line.baud)
            word = quint16(i);
    word |= quint16(line.parity << parityShift);
    if (line.stopBits == 2)
        word |= twoStopBitsFlag;
    return word;
}

simLine_t cSimModule::lineFromConfigWord(quint16 word)
{
    simLine_t line;
    line.baud = configBauds[std::min<int>(word & 0x0F, maxIndexedBaud)];
    const int parity = (word >> parityShift) & 3;
    if (parity == ZT_PTYLINE_PARITY_ODD || parity == ZT_PTYLINE_PARITY_EVEN)
        line.parity = parity;
    line.stopBits = (word & twoStopBitsFlag) ? 2 : 1;
    return line;
}

bool cSimModule::listensTo(quint8 address, const simLine_t &line) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_address == address && m_line == line;
}

simReply_t cSimModule::answer(const std::vector<quint8> &request)
{
    ++m_requests;
    if (request.size() > 1 && request[1] == 16)
        ++m_writes;
    simReply_t reply;
    reply.fault = m_fault.load();
    if (reply.fault == simFault::NoReply)
        return reply;
    const simLine_t requestLine = line();
    if (reply.fault == simFault::Exception) {
        reply.bytes = exceptionReply(request, deviceFailure);
    } else {
        std::lock_guard<std::mutex> lock(m_mutex);
        reply.bytes = process(request);
    }
    spoil(reply.bytes, reply.fault);
    reply.delay = replyDelay(reply.fault, requestLine, request.size(), reply.bytes.size());
    return reply;
}

std::array<cSimModule::calibrationKind_t, cSimModule::calibratedKinds>
cSimModule::calibrationKinds(float ptNominal)
{
    static_assert(aiChannels <= maxCalibratedChannels && aoChannels <= maxCalibratedChannels
                  && ptChannels <= maxCalibratedChannels);
    // Pt figures are for Pt1000, scaled for Pt100.
    return {{
        {aiChannels, regAiMode, aiCalibration, regAiStatus, regAiCommands, regAiDifference, true,
         5.0f, 10.0f, 1.0f},
        {aoChannels, regAoMode, aoCalibration, regAoStatus, regAoCommands, regAoRealValue, false,
         0.0f, 11.0f, 1.0f},
        {ptChannels, regPtMode, ptCalibration, regPtStatus, regPtCommands, regPtReference, false,
         ptNominal * 680 / 1000, ptNominal * 2160 / 1000, ptNominal * 50 / 1000},
    }};
}

void cSimModule::loadFactoryImage()
{
    loadFactoryHolding();
    loadFactoryInputs();
    m_calibrations = {};
}

void cSimModule::loadFactoryHolding()
{
    m_regs.fill(0);
    m_regs[regAddress] = m_factoryAddress;
    m_regs[regLineConfig] = lineConfigWord(m_factoryLine);
    m_regs[regSafetyTimeout] = safetyTimeoutSeconds;
    for (int n = 0; n < factoryIdentifiers; ++n)
        storeIdentifier(n, firstFactoryIdentifier + quint64(n));
}

void cSimModule::loadFactoryInputs()
{
    m_inputs.fill(0);
    m_inputs[regName] = moduleName;
    m_inputs[regFirmware] = firmwareVersion;
    m_inputs[regYear] = firmwareYear;
    m_inputs[regDate] = firmwareDate;
    m_inputs[regVariant] = m_variant;
    m_inputs[regDiNormalState] = factoryDiNormalState;
    std::copy(std::begin(hardwareInfo), std::end(hardwareInfo),
              m_inputs.begin() + regDiNormalState + 1);
    std::copy(std::begin(factoryPulseRates), std::end(factoryPulseRates),
              m_inputs.begin() + regPulseRate);
    m_pulseRemainder.fill(0);
    m_lastAdvance = std::chrono::steady_clock::now();
    storeFloat(m_inputs, regMcuTemperature, m_temperature);
}

std::vector<quint8> cSimModule::process(const std::vector<quint8> &request)
{
    switch (request[1]) {
    case 3:
    case 4:
        return readRegisters(request);
    case 8:
        return echo(request);
    case 16:
        return writeRegisters(request);
    default:
        return exceptionReply(request, illegalFunction);
    }
}

std::vector<quint8> cSimModule::readRegisters(const std::vector<quint8> &request)
{
    const quint16 start = wordAt(request, 2);
    const quint16 count = wordAt(request, 4);
    if (count < 1 || count > maxCount)
        return exceptionReply(request, illegalValue);
    if (start + count > registerCount)
        return exceptionReply(request, illegalAddress);
    const bool input = request[1] == 4;
    if (input)
        refreshInputs(start, count);
    const registers_t &space = input ? m_inputs : m_regs;
    std::vector<quint8> reply{request[0], request[1], quint8(2 * count)};
    reply.reserve(5 + 2 * count);
    for (int i = 0; i < count; ++i)
        appendWord(reply, space[start + i]);
    simAppendCrc(reply);
    return reply;
}

std::vector<quint8> cSimModule::writeRegisters(const std::vector<quint8> &request)
{
    const quint16 start = wordAt(request, 2);
    const quint16 count = wordAt(request, 4);
    if (count < 1 || count > maxCount || request[6] != 2 * count)
        return exceptionReply(request, illegalValue);
    if (start + count > registerCount)
        return exceptionReply(request, illegalAddress);
    for (int i = 0; i < count; ++i)
        m_regs[start + i] = wordAt(request, 7 + 2 * i);
    std::vector<quint8> reply(request.begin(), request.begin() + 6);
    simAppendCrc(reply);
    // The reply above still carries the old address; the new line counts from the next request.
    afterWrite(start, count);
    return reply;
}

std::vector<quint8> cSimModule::echo(const std::vector<quint8> &request) const
{
    if (wordAt(request, 2) != 0)
        return exceptionReply(request, illegalFunction);
    return request;
}

void cSimModule::runCommand(quint16 command)
{
    if (command == commandFactoryReset) {
        m_address = m_factoryAddress;
        m_line = m_factoryLine;
        loadFactoryImage();
        return;
    }
    if (command != commandTakeLine)
        return;
    const quint8 address = quint8(m_regs[regAddress] & 0xFF);
    if (address >= 1 && address <= 247)
        m_address = address;
    m_regs[regAddress] = m_address;
    m_line = lineFromConfigWord(m_regs[regLineConfig]);
    m_regs[regCommand] = 0;
}

// The module takes the commands a write carries.
void cSimModule::afterWrite(quint16 start, quint16 count)
{
    if (covers(start, count, regCounterReset)) {
        resetCounters(m_regs[regCounterReset]);
        m_regs[regCounterReset] = 0;
    }
    for (int n = 0; n < oneWireChannels; ++n)
        if (overlaps(start, count, quint16(regIdentifierBind + 4 * n), 4))
            bindIdentifier(n);
    for (int k = 0; k < calibratedKinds; ++k)
        if (overlaps(start, count, m_kinds[k].regCommands, 3))
            runCalibration(m_kinds[k], m_calibrations[k]);
    if (covers(start, count, regCommand))
        runCommand(m_regs[regCommand]);
}

// Measurements follow the simulated inputs and the channel settings of the moment.
void cSimModule::refreshInputs(quint16 start, quint16 count)
{
    advanceCounters();
    for (int n = 0; n < oneWireChannels; ++n)
        storeFloat(m_inputs, quint16(regOneWireTemperature + 2 * n), oneWireTemperature(n));
    for (int n = 0; n < aiChannels; ++n)
        storeFloat(m_inputs, quint16(regAiVolts + 2 * n), aiVolts(n));
    for (int n = 0; n < ptChannels; ++n)
        storeFloat(m_inputs, quint16(regPtValue + 2 * n), ptValue(n));
    if (overlaps(start, count, regMcuTemperature, 2))
        driftTemperature();
}

void cSimModule::advanceCounters()
{
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - m_lastAdvance).count();
    m_lastAdvance = now;
    for (int n = 0; n < diChannels; ++n) {
        // The fraction carries over, so that slow rates count too.
        const double pulses = m_inputs[regPulseRate + n] * seconds + m_pulseRemainder[n];
        const double whole = std::floor(pulses);
        m_pulseRemainder[n] = pulses - whole;
        const quint16 reg = quint16(regCounter + 2 * n);
        storeLong(m_inputs, reg, longAt(m_inputs, reg) + quint32(quint64(whole)));
    }
}

void cSimModule::resetCounters(quint16 mask)
{
    advanceCounters();
    for (int n = 0; n < diChannels; ++n) {
        if (!(mask >> n & 1))
            continue;
        storeLong(m_inputs, quint16(regCounter + 2 * n), 0);
        m_pulseRemainder[n] = 0;
    }
}

void cSimModule::storeIdentifier(int channel, quint64 identifier)
{
    storeLong(m_regs, quint16(regIdentifierHigh + 2 * channel), quint32(identifier >> 32));
    storeLong(m_regs, quint16(regIdentifierLow + 2 * channel), quint32(identifier & 0xFFFFFFFF));
}

void cSimModule::bindIdentifier(int channel)
{
    quint64 identifier = 0;
    for (int i = 0; i < 4; ++i)
        identifier = identifier << 16 | m_regs[regIdentifierBind + 4 * channel + i];
    storeIdentifier(channel, identifier);
}

float cSimModule::oneWireTemperature(int channel) const
{
    const bool bound = longAt(m_regs, quint16(regIdentifierHigh + 2 * channel)) != 0
        || longAt(m_regs, quint16(regIdentifierLow + 2 * channel)) != 0;
    if (!bound || m_regs[regOneWirePoll + channel] == oneWireOff)
        return 0;
    return firstSensorTemperature + sensorTemperatureStep * float(channel);
}

float cSimModule::aiVolts(int channel) const
{
    return m_regs[regAiMode + channel] == aiDisabled ? 0.0f : m_aiInput[std::size_t(channel)];
}

// Temperature in survey mode, the resistance itself while calibrating.
float cSimModule::ptValue(int channel) const
{
    const quint16 mode = m_regs[regPtMode + channel];
    if (mode == ptDisabled)
        return 0;
    const double ratio = ptResistanceRatios[channel];
    if (mode == ptCalibration)
        return float(m_ptNominal * ratio);
    const double alpha = ptAlpha[m_regs[regPtCurve + channel] == 1 ? 1 : 0];
    return float((ratio - 1.0) / alpha);
}

void cSimModule::runCalibration(const calibrationKind_t &kind, calibrations_t &channels)
{
    const calibrationStep steps[] = {calibrationStep::Low, calibrationStep::High,
                                     calibrationStep::Execute};
    for (int i = 0; i < 3; ++i) {
        const quint16 mask = m_regs[kind.regCommands + i];
        for (int n = 0; n < kind.channels; ++n)
            if (mask >> n & 1)
                stepCalibration(kind, n, steps[i], channels[std::size_t(n)]);
    }
    std::fill_n(m_regs.begin() + kind.regCommands, 3, quint16(0));
}

void cSimModule::stepCalibration(const calibrationKind_t &kind, int channel, calibrationStep step,
                                 calibration_t &calibration)
{
    quint16 &status = m_inputs[kind.regStatus + channel];
    const bool calibrating = m_regs[kind.regMode + channel] == kind.calibrationMode;
    if (!calibrating)
        calibration.broken = true;
    if (step == calibrationStep::Execute) {
        status = verdict(kind, calibration);
        calibration = {};
        return;
    }
    if (!calibrating)
        return;
    if (step == calibrationStep::Low) {
        calibration = {};
        calibration.low = takePoint(kind, channel);
        status = statusLowTaken;
        return;
    }
    if (!calibration.low) {
        calibration.broken = true;
        return;
    }
    calibration.high = takePoint(kind, channel);
    status = statusHighTaken;
}

cSimModule::calibrationPoint_t cSimModule::takePoint(const calibrationKind_t &kind,
                                                     int channel) const
{
    const float sent = floatAt(m_regs, quint16(kind.regSent + 2 * channel));
    return {kind.measuresInput ? m_aiInput[std::size_t(channel)] : sent, sent};
}

quint16 cSimModule::verdict(const calibrationKind_t &kind, const calibration_t &calibration) const
{
    if (calibration.broken || !calibration.low || !calibration.high)
        return statusBroken;
    const calibrationPoint_t &low = *calibration.low;
    const calibrationPoint_t &high = *calibration.high;
    const bool lowInRange = kind.measuresInput || inRange(low.sent, kind.lowest, kind.highest);
    if (!lowInRange || !inRange(high.sent, kind.lowest, kind.highest))
        return statusOutOfRange;
    const float rise = high.value - low.value;
    if ((kind.measuresInput ? rise : std::abs(rise)) < kind.minDistance)
        return statusTooClose;
    if (m_calibrationSaveFails.load())
        return statusSaveFailed;
    return statusDone;
}

void cSimModule::driftTemperature()
{
    // A small random step, pulled back towards the nominal value.
    std::uniform_int_distribution<int> hundredths(-3, 3);
    const float pulled = nominalTemperature + (m_temperature - nominalTemperature) * 0.9f;
    m_temperature = std::clamp(pulled + float(hundredths(m_random)) / 100.0f,
                               lowestTemperature, highestTemperature);
    storeFloat(m_inputs, regMcuTemperature, m_temperature);
}

std::chrono::nanoseconds cSimModule::replyDelay(simFault fault, const simLine_t &line,
                                                std::size_t requestLength,
                                                std::size_t replyLength) const
{
    if (fault == simFault::LateReply)
        return std::chrono::milliseconds(m_lateDelayMs.load());
    if (!m_paced.load())
        return std::chrono::nanoseconds(0);
    return line.wireTime(double(requestLength) + turnaroundCharacters + double(replyLength));
}
