#include "cConfigApplyPlan.h"

#include <QMap>

namespace {

constexpr qint32 configBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int highestBaudIndex = 7;

bool onLine(const configParam_t &param)
{
    return param.reg == cModuleConfig::regAddress || param.reg == cModuleConfig::regLineConfig;
}

// Whether the options let the file's value of this parameter go out.
bool chosen(const cConfigComparison &comparison, const configParam_t &param,
            const cConfigApplyPlan::options_t &options)
{
    const bool own = param.scope == configScope_t::Line || param.scope == configScope_t::SensorId;
    if (options.keepOwn && own)
        return false;
    return !options.sharedOnly || comparison.shares(param);
}

} // namespace

cConfigApplyPlan::cConfigApplyPlan(const cConfigComparison &comparison, const options_t &options)
    : m_target(comparison.module())
{
    // One step per register block; bits of one register go out together.
    QMap<quint16, QList<configParam_t>> byRegister;
    QList<configParam_t> line;
    for (const configDiff_t &row : comparison.differences()) {
        if (!chosen(comparison, row.param, options))
            continue;
        if (row.param.scope == configScope_t::Program) {
            m_program << row;
            continue;
        }
        m_changes << row;
        m_target.setValue(row.param, comparison.file().value(row.param));
        if (onLine(row.param))
            line << row.param;
        else
            byRegister[row.param.reg] << row.param;
    }
    for (const QList<configParam_t> &params : qAsConst(byRegister))
        if (params.first().scope != configScope_t::SensorId)
            addStep(params, m_target);
    for (const QList<configParam_t> &params : qAsConst(byRegister))
        if (params.first().scope == configScope_t::SensorId)
            addStep(params, m_target);
    if (!line.isEmpty())
        addLineStep(line, m_target);
}

void cConfigApplyPlan::addStep(const QList<configParam_t> &params, const cModuleConfig &module)
{
    const configParam_t &first = params.first();
    configStep_t step;
    step.params = params;
    step.writes << configWrite_t{first.reg, module.registers(first.reg, first.count)};
    step.readBack = cModuleConfig::readBackBlocks(first);
    m_steps << step;
}

// The module takes a new address and configuration word together, on command.
void cConfigApplyPlan::addLineStep(const QList<configParam_t> &params, const cModuleConfig &module)
{
    configStep_t step;
    step.params = params;
    step.writes << configWrite_t{cModuleConfig::regAddress, module.registers(cModuleConfig::regAddress, 2)}
                << configWrite_t{cModuleConfig::regCommand, {cModuleConfig::commandTakeLine}};
    step.readBack = {{3, cModuleConfig::regAddress, 2}};
    step.movesModule = true;
    m_steps << step;
}

quint8 cConfigApplyPlan::addressAfter(const cModuleConfig &config)
{
    return quint8(config.registers(cModuleConfig::regAddress, 1).first() & 0xFF);
}

settingsUart_t cConfigApplyPlan::lineAfter(const cModuleConfig &config, settingsUart_t line)
{
    const quint16 word = config.registers(cModuleConfig::regLineConfig, 1).first();
    line.baudRate = configBauds[qMin(word & 0x0F, highestBaudIndex)];
    const int parity = (word >> 5) & 3;
    line.parity = parity == 1 ? QSerialPort::OddParity
        : parity == 2         ? QSerialPort::EvenParity
                              : QSerialPort::NoParity;
    line.stopBits = (word >> 7 & 1) ? QSerialPort::TwoStop : QSerialPort::OneStop;
    return line;
}
