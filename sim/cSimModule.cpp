#include "cSimModule.h"

#include "simCrc.h"

#include <algorithm>
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
constexpr quint16 regHardware = 1116;
constexpr quint16 hardwareInfo[] = {8, 8, 4, 2, 1}; // 1116 to 1120

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

void spoil(std::vector<quint8> &reply, simFault fault)
{
    switch (fault) {
    case simFault::BadCrc:
        reply.back() ^= 0xFF;
        return;
    case simFault::WrongAddress:
        reply.resize(reply.size() - 2);
        reply[0] = quint8(reply[0] % 247 + 1);
        simAppendCrc(reply);
        return;
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
    , m_address(address)
    , m_line(m_factoryLine)
    , m_temperature(nominalTemperature)
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

void cSimModule::loadFactoryImage()
{
    m_regs.fill(0);
    m_regs[regAddress] = m_factoryAddress;
    m_regs[regLineConfig] = lineConfigWord(m_factoryLine);
    m_regs[regSafetyTimeout] = safetyTimeoutSeconds;
    m_regs[regName] = moduleName;
    m_regs[regFirmware] = firmwareVersion;
    m_regs[regYear] = firmwareYear;
    m_regs[regDate] = firmwareDate;
    m_regs[regVariant] = m_variant;
    std::copy(std::begin(hardwareInfo), std::end(hardwareInfo), m_regs.begin() + regHardware);
    storeTemperature();
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
    if (covers(start, count, regMcuTemperature) || covers(start, count, regMcuTemperature + 1))
        driftTemperature();
    std::vector<quint8> reply{request[0], request[1], quint8(2 * count)};
    reply.reserve(5 + 2 * count);
    for (int i = 0; i < count; ++i)
        appendWord(reply, m_regs[start + i]);
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
    if (covers(start, count, regCommand))
        runCommand(m_regs[regCommand]);
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

void cSimModule::driftTemperature()
{
    // A small random step, pulled back towards the nominal value.
    std::uniform_int_distribution<int> hundredths(-3, 3);
    const float pulled = nominalTemperature + (m_temperature - nominalTemperature) * 0.9f;
    m_temperature = std::clamp(pulled + float(hundredths(m_random)) / 100.0f,
                               lowestTemperature, highestTemperature);
    storeTemperature();
}

void cSimModule::storeTemperature()
{
    quint32 pattern = 0;
    std::memcpy(&pattern, &m_temperature, sizeof pattern);
    m_regs[regMcuTemperature] = quint16(pattern & 0xFFFF);
    m_regs[regMcuTemperature + 1] = quint16(pattern >> 16);
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
