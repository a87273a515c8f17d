#include "cModuleConfig.h"

#include <cstring>

namespace {

constexpr quint16 regIdentity = 1111;
constexpr int identityCount = 5;
constexpr quint16 regIdHigh = 1017;
constexpr quint16 regIdLow = 1137;
constexpr quint16 regIdBind = 1510;
constexpr quint16 fullRegister = 0xFFFF;
constexpr quint16 lowByte = 0x00FF;
constexpr qint32 configBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int highestBaudIndex = 7;

// The English names are the file's; a table shows them translated.
const QStringList diModes = {QT_TRANSLATE_NOOP("cModuleConfig", "Normal"), QT_TRANSLATE_NOOP("cModuleConfig", "Counter"), QT_TRANSLATE_NOOP("cModuleConfig", "Tachometer"), QT_TRANSLATE_NOOP("cModuleConfig", "Encoder (Counter)"), QT_TRANSLATE_NOOP("cModuleConfig", "Encoder (Counter+Tachometer)")};
const QStringList doModes = {QT_TRANSLATE_NOOP("cModuleConfig", "Normal"), QT_TRANSLATE_NOOP("cModuleConfig", "Fast"), QT_TRANSLATE_NOOP("cModuleConfig", "PWM"), QT_TRANSLATE_NOOP("cModuleConfig", "Disabled")};
const QStringList surveyModes = {QT_TRANSLATE_NOOP("cModuleConfig", "Survey"), QT_TRANSLATE_NOOP("cModuleConfig", "Calibration"), QT_TRANSLATE_NOOP("cModuleConfig", "Disabled")};
const QStringList aoModes = {QT_TRANSLATE_NOOP("cModuleConfig", "Normal"), QT_TRANSLATE_NOOP("cModuleConfig", "Fast"), QT_TRANSLATE_NOOP("cModuleConfig", "Calibration"), QT_TRANSLATE_NOOP("cModuleConfig", "Disabled")};
const QStringList ptCurves = {QStringLiteral("a3850"), QStringLiteral("a3911")};
const QStringList pollModes = {QT_TRANSLATE_NOOP("cModuleConfig", "Survey"), QT_TRANSLATE_NOOP("cModuleConfig", "Search"), QT_TRANSLATE_NOOP("cModuleConfig", "Disabled")};
const QStringList falseTrue = {QT_TRANSLATE_NOOP("cModuleConfig", "False"), QT_TRANSLATE_NOOP("cModuleConfig", "True")};
const QStringList disabledEnabled = {QT_TRANSLATE_NOOP("cModuleConfig", "Disabled"), QT_TRANSLATE_NOOP("cModuleConfig", "Enabled")};
const QStringList notActiveActive = {QT_TRANSLATE_NOOP("cModuleConfig", "Not Active"), QT_TRANSLATE_NOOP("cModuleConfig", "Active")};
const QStringList modbusModes = {QT_TRANSLATE_NOOP("cModuleConfig", "Slave"), QT_TRANSLATE_NOOP("cModuleConfig", "Master")};
const QStringList byteOrders = {QStringLiteral("3-2-1-0"), QStringLiteral("0-1-2-3"), QStringLiteral("1-0-3-2"), QStringLiteral("2-3-0-1")};

int lowestBit(quint16 bits)
{
    int shift = 0;
    while (bits && !(bits & 1u)) {
        bits >>= 1;
        ++shift;
    }
    return shift;
}

configParam_t param(const QString &key, const QString &name, quint16 reg, configKind_t kind,
                    const QStringList &names = {}, configScope_t scope = configScope_t::Shared)
{
    configParam_t p;
    p.key = key;
    p.name = name;
    p.reg = reg;
    p.kind = kind;
    p.names = names;
    p.scope = scope;
    if (kind == configKind_t::Choice) {
        p.bits = lowByte;
        p.maximum = lowByte;
    }
    if (kind == configKind_t::Volts)
        p.count = 2;
    if (kind == configKind_t::SensorId)
        p.count = 4;
    return p;
}

configParam_t bitParam(const QString &key, const QString &name, quint16 reg, int bit,
                       const QStringList &names)
{
    configParam_t p = param(key, name, reg, configKind_t::Flag, names);
    p.bits = quint16(1u << bit);
    return p;
}

configParam_t partParam(const QString &key, const QString &name, quint16 bits, configKind_t kind,
                        const QStringList &names, configScope_t scope)
{
    configParam_t p = param(key, name, cModuleConfig::regLineConfig, kind, names, scope);
    p.bits = bits;
    return p;
}

QString channelKey(const char *group, int n, const char *field)
{
    return QStringLiteral("%1[%2].%3").arg(QLatin1String(group)).arg(n).arg(QLatin1String(field));
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString formatText(quint64 value)
{
    const int parity = int(value & 3);
    const QChar letter = parity == 1 ? QLatin1Char('O') : parity == 2 ? QLatin1Char('E') : QLatin1Char('N');
    return QStringLiteral("8%1%2").arg(letter).arg((value >> 2 & 1) ? 2 : 1);
}

} // namespace

QList<configParam_t> cModuleConfig::parameters()
{
    using K = configKind_t;
    using S = configScope_t;
    configParam_t address = param(QStringLiteral("line.address"), tr("ModBus address"), regAddress,
                                  K::Number, {}, S::Line);
    address.bits = lowByte;
    address.minimum = 1;
    address.maximum = 247;
    configParam_t safety = param(QStringLiteral("system.safetyTimeout"), tr("Safety time-out"), 1584, K::Number);
    safety.unit = QStringLiteral("s");
    configParam_t watchdog = param(QStringLiteral("system.watchdogTimeout"), tr("WDT time-out"), 1585, K::Number);
    watchdog.unit = QStringLiteral("ms");
    QList<configParam_t> list = {
        address,
        partParam(QStringLiteral("line.baud"), tr("Baud rate"), 0x000F, K::Baud, {}, S::Line),
        partParam(QStringLiteral("line.format"), tr("Frame format"), 0x00E0, K::Format, {}, S::Line),
        partParam(QStringLiteral("line.modbusMode"), tr("ModBus mode"), 0x0100, K::Choice, modbusModes, S::Shared),
        partParam(QStringLiteral("line.byteOrder"), tr("Byte order"), 0x0E00, K::Choice, byteOrders, S::Shared),
        safety,
        watchdog,
        param(QStringLiteral("system.safeReset"), tr("Safe reset"), 0, K::Flag, notActiveActive, S::Program),
    };
    for (int n = 0; n < 8; ++n)
        list << param(channelKey("di", n, "mode"), tr("DI %1 mode").arg(n), quint16(174 + n), K::Choice, diModes);
    for (int n = 0; n < 8; ++n) {
        list << param(channelKey("do", n, "mode"), tr("DO %1 mode").arg(n), quint16(464 + n), K::Choice, doModes)
             << bitParam(channelKey("do", n, "normalState"), tr("DO %1 normal state").arg(n), 1596, n, falseTrue)
             << bitParam(channelKey("do", n, "safetyEnabled"), tr("DO %1 safety mode").arg(n), 1598, n,
                         disabledEnabled)
             << bitParam(channelKey("do", n, "safetyLevel"), tr("DO %1 safety level").arg(n), 1599, n, falseTrue);
    }
    for (int n = 0; n < 2; ++n)
        list << param(channelKey("ai", n, "mode"), tr("AI %1 mode").arg(n), quint16(1445 + n), K::Choice,
                      surveyModes);
    for (int n = 0; n < 5; ++n) {
        list << param(channelKey("ao", n, "mode"), tr("AO %1 mode").arg(n), quint16(742 + n), K::Choice, aoModes)
             << param(channelKey("ao", n, "level"), tr("AO %1 level").arg(n), quint16(522 + 2 * n), K::Volts)
             << bitParam(channelKey("ao", n, "safetyActive"), tr("AO %1 safety state").arg(n), 1600, n,
                         notActiveActive)
             << param(channelKey("ao", n, "safetyLevel"), tr("AO %1 safety level").arg(n), quint16(797 + 2 * n),
                      K::Volts);
    }
    for (int n = 0; n < 4; ++n)
        list << param(channelKey("pt", n, "mode"), tr("Pt %1 mode").arg(n), quint16(1371 + n), K::Choice,
                      surveyModes, S::PtSensor)
             << param(channelKey("pt", n, "curve"), tr("Pt %1 sensor curve").arg(n), quint16(1317 + n), K::Choice,
                      ptCurves, S::PtSensor);
    for (int n = 0; n < 10; ++n)
        list << param(channelKey("oneWire", n, "pollMode"), tr("1-Wire %1 poll mode").arg(n), quint16(1257 + n),
                      K::Choice, pollModes)
             << param(channelKey("oneWire", n, "sensorId"), tr("1-Wire %1 sensor ID").arg(n),
                      quint16(regIdBind + 4 * n), K::SensorId, {}, S::SensorId);
    return list;
}

QList<configBlock_t> cModuleConfig::readBlocks()
{
    return {{4, regIdentity, identityCount}, {3, regAddress, 4}, {3, 174, 8},   {3, 464, 8},
            {3, 1596, 4},  {3, 1445, 2},  {3, 522, 10},  {3, 742, 5},  {3, 797, 10},
            {3, 1600, 1},  {3, 1317, 4},  {3, 1371, 4},  {3, 1257, 10}, {3, regIdHigh, 20},
            {3, regIdLow, 20}};
}

// The identifiers are written to their bind registers but reported in two
// other blocks; everything else reads back where it was written.
QList<configBlock_t> cModuleConfig::readBackBlocks(const configParam_t &param)
{
    if (param.kind != configKind_t::SensorId)
        return {{3, param.reg, param.count}};
    const quint16 n = quint16((param.reg - regIdBind) / 4);
    return {{3, quint16(regIdHigh + 2 * n), 2}, {3, quint16(regIdLow + 2 * n), 2}};
}

void cModuleConfig::takeRead(const configBlock_t &block, const QVector<quint16> &values)
{
    if (values.size() < block.count)
        return;
    if (block.function == 4 && block.startReg == regIdentity) {
        const quint16 date = values[3];
        setIdentity(values[0], values[4], values[1], QDate(values[2], (date >> 5) & 0x1F, date & 0x1F));
    } else if (block.startReg >= regIdHigh && block.startReg < regIdHigh + 20) {
        // A 32-bit half lies low word first; bound, it is most significant first.
        for (int i = 0; i + 1 < block.count; i += 2) {
            const quint16 reg = quint16(regIdBind + 2 * (block.startReg - regIdHigh + i));
            m_regs[reg] = values[i + 1];
            m_regs[quint16(reg + 1)] = values[i];
        }
    } else if (block.startReg >= regIdLow && block.startReg < regIdLow + 20) {
        for (int i = 0; i + 1 < block.count; i += 2) {
            const quint16 reg = quint16(regIdBind + 2 * (block.startReg - regIdLow + i) + 2);
            m_regs[reg] = values[i + 1];
            m_regs[quint16(reg + 1)] = values[i];
        }
    } else {
        for (int i = 0; i < block.count; ++i)
            m_regs[quint16(block.startReg + i)] = values[i];
    }
}

bool cModuleConfig::isComplete() const
{
    for (const configParam_t &p : parameters())
        if (p.scope != configScope_t::Program && !hasValue(p))
            return false;
    return m_type != 0;
}

void cModuleConfig::setIdentity(quint16 type, quint16 variant, quint16 firmware, const QDate &date)
{
    m_type = type;
    m_variant = variant;
    m_firmware = firmware;
    m_firmwareDate = date;
}

QString cModuleConfig::firmwareText(quint16 firmware)
{
    return QStringLiteral("%1.%2.%3")
        .arg(firmware & 0x0F)
        .arg(twoDigits((firmware >> 4) & 0x0F), twoDigits((firmware >> 8) & 0x0F));
}

bool cModuleConfig::firmwareFromText(const QString &text, quint16 *firmware)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return false;
    quint16 word = 0;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const uint part = parts[i].toUInt(&ok);
        if (!ok || part > 15)
            return false;
        word |= quint16(part << (4 * i));
    }
    *firmware = word;
    return true;
}

QString cModuleConfig::typeText() const
{
    return QStringLiteral("VRD-%1").arg(m_type);
}

QString cModuleConfig::variantText() const
{
    return QStringLiteral("%1 (%2)").arg(twoDigits(m_variant), isPt100() ? QStringLiteral("Pt100")
                                                                          : QStringLiteral("Pt1000"));
}

quint64 cModuleConfig::value(const configParam_t &param) const
{
    if (param.scope == configScope_t::Program)
        return m_safeReset ? 1 : 0;
    if (param.count == 1)
        return (m_regs.value(param.reg) & param.bits) >> lowestBit(param.bits);
    if (param.count == 2)
        return quint64(m_regs.value(param.reg)) | quint64(m_regs.value(quint16(param.reg + 1))) << 16;
    quint64 value = 0;
    for (int i = 0; i < param.count; ++i)
        value = value << 16 | m_regs.value(quint16(param.reg + i));
    return value;
}

void cModuleConfig::setValue(const configParam_t &param, quint64 value)
{
    if (param.scope == configScope_t::Program) {
        m_hasSafeReset = true;
        m_safeReset = value != 0;
        return;
    }
    if (param.count == 1) {
        const quint16 old = m_regs.value(param.reg);
        const quint16 placed = quint16(value << lowestBit(param.bits)) & param.bits;
        m_regs[param.reg] = quint16((old & ~param.bits) | placed);
        return;
    }
    if (param.count == 2) {
        m_regs[param.reg] = quint16(value & fullRegister);
        m_regs[quint16(param.reg + 1)] = quint16(value >> 16 & fullRegister);
        return;
    }
    for (int i = param.count - 1; i >= 0; --i, value >>= 16)
        m_regs[quint16(param.reg + i)] = quint16(value & fullRegister);
}

bool cModuleConfig::hasValue(const configParam_t &param) const
{
    if (param.scope == configScope_t::Program)
        return m_hasSafeReset;
    for (int i = 0; i < param.count; ++i)
        if (!m_regs.contains(quint16(param.reg + i)))
            return false;
    return true;
}

QString cModuleConfig::text(const configParam_t &param) const
{
    if (!hasValue(param))
        return QString();
    const quint64 v = value(param);
    switch (param.kind) {
    case configKind_t::Choice:
    case configKind_t::Flag:
        return v < quint64(param.names.size())
            ? QCoreApplication::translate("cModuleConfig", param.names.at(int(v)).toUtf8().constData())
            : QString::number(v);
    case configKind_t::Baud:
        return QString::number(configBauds[qMin<quint64>(v, highestBaudIndex)]);
    case configKind_t::Format:
        return formatText(v);
    case configKind_t::Volts:
        return QStringLiteral("%1 V").arg(double(floatFromPattern(quint32(v))));
    case configKind_t::SensorId:
        return QStringLiteral("0x") + QString::number(v, 16).toUpper();
    case configKind_t::Number:
        break;
    }
    return param.unit.isEmpty() ? QString::number(v) : QStringLiteral("%1 %2").arg(v).arg(param.unit);
}

QVector<quint16> cModuleConfig::registers(quint16 reg, quint16 count) const
{
    QVector<quint16> values;
    for (int i = 0; i < count; ++i)
        values << m_regs.value(quint16(reg + i));
    return values;
}

QList<configRow_t> cModuleConfig::rows() const
{
    QList<configRow_t> list = {
        {QStringLiteral("module.type"), tr("Module"), typeText()},
        {QStringLiteral("module.variant"), tr("Variant"), variantText()},
        {QStringLiteral("module.firmware"), tr("Firmware"), QStringLiteral("v") + firmwareText(m_firmware)},
        {QStringLiteral("module.firmwareDate"), tr("Firmware date"),
         m_firmwareDate.toString(QStringLiteral("dd.MM.yyyy"))},
    };
    for (const configParam_t &p : parameters())
        if (hasValue(p))
            list << configRow_t{p.key, p.name, text(p)};
    return list;
}

float cModuleConfig::floatFromPattern(quint32 pattern)
{
    float value = 0;
    std::memcpy(&value, &pattern, sizeof value);
    return value;
}

quint32 cModuleConfig::patternFromFloat(float value)
{
    quint32 pattern = 0;
    std::memcpy(&pattern, &value, sizeof pattern);
    return pattern;
}
