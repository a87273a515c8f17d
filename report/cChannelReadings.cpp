#include "cChannelReadings.h"

#include "cCalibrPanel.h"
#include "cShareFunction.h"

namespace {

constexpr int ptChannels = 4;
constexpr int aiChannels = 2;
constexpr int aoChannels = 5;
constexpr int owChannels = 10;
constexpr quint16 regPtValue = 585;
constexpr quint16 regPtStatus = 747;
constexpr quint16 regPtMode = 1371;
constexpr quint16 regAiValue = 801;
constexpr quint16 regAiStatus = 957;
constexpr quint16 regAoLevel = 522;
constexpr quint16 regAoStatus = 290;
constexpr quint16 regOwTemperature = 345;
constexpr quint16 regOwIdHigh = 1017;
constexpr quint16 regOwIdLow = 1137;
constexpr quint16 ptCalibrationMode = 1;
// How many blocks of readBlocks() each table needs, in its order.
constexpr int ptBlocks = 3;
constexpr int aiBlocks = 2;
constexpr int aoBlocks = 2;
constexpr int owBlocks = 3;

} // namespace

QList<configBlock_t> cChannelReadings::readBlocks()
{
    return {{4, regPtValue, 2 * ptChannels}, {4, regPtStatus, ptChannels}, {3, regPtMode, ptChannels},
            {4, regAiValue, 2 * aiChannels}, {4, regAiStatus, aiChannels},
            {3, regAoLevel, 2 * aoChannels}, {4, regAoStatus, aoChannels},
            {4, regOwTemperature, 2 * owChannels}, {3, regOwIdHigh, 2 * owChannels},
            {3, regOwIdLow, 2 * owChannels}};
}

void cChannelReadings::take(const QList<QVector<quint16>> &values, int done)
{
    const QList<configBlock_t> blocks = readBlocks();
    m_done = qMin(done, blocks.size());
    for (int i = 0; i < m_done; ++i) {
        const QVector<quint16> block = values.value(i);
        m_image.storeRegisters(blocks[i].startReg, block.constData(), qMin(int(blocks[i].count), block.size()));
    }
}

QList<cServiceReport::table_t> cChannelReadings::tables() const
{
    QList<cServiceReport::table_t> out;
    int needed = ptBlocks;
    if (m_done >= needed)
        out << ptTable();
    needed += aiBlocks;
    if (m_done >= needed)
        out << aiTable();
    needed += aoBlocks;
    if (m_done >= needed)
        out << aoTable();
    needed += owBlocks;
    if (m_done >= needed)
        out << owTable();
    return out;
}

QString cChannelReadings::number(quint16 floatReg) const
{
    return QString::number(double(float(m_image.getFloat(floatReg))));
}

// The same verdict texts as the tabs' calibration panels.
QString cChannelReadings::verdict(quint16 statusReg) const
{
    return cCalibrPanel::verdictOf(m_image.getRegister(statusReg), cShareFunction::ptCalibrStatusList());
}

cServiceReport::table_t cChannelReadings::ptTable() const
{
    cServiceReport::table_t t{tr("Pt100/Pt1000 Channels"), {tr("Channel"), tr("Value"), tr("Calibration")}, {}};
    for (int n = 0; n < ptChannels; ++n) {
        // Calibration reads the sensor's resistance, the survey its temperature.
        const bool calibrating = m_image.getRegister(quint16(regPtMode + n)) == ptCalibrationMode;
        const QString value = (calibrating ? tr("%1 Ω") : tr("%1 °C")).arg(number(quint16(regPtValue + 2 * n)));
        t.rows << QStringList{QString::number(n + 1), value, verdict(quint16(regPtStatus + n))};
    }
    return t;
}

cServiceReport::table_t cChannelReadings::aiTable() const
{
    cServiceReport::table_t t{tr("AI Channels"), {tr("Channel"), tr("Value"), tr("Calibration")}, {}};
    for (int n = 0; n < aiChannels; ++n)
        t.rows << QStringList{QString::number(n + 1), tr("%1 V").arg(number(quint16(regAiValue + 2 * n))),
                              verdict(quint16(regAiStatus + n))};
    return t;
}

cServiceReport::table_t cChannelReadings::aoTable() const
{
    cServiceReport::table_t t{tr("AO Channels"), {tr("Channel"), tr("Output level"), tr("Calibration")}, {}};
    for (int n = 0; n < aoChannels; ++n)
        t.rows << QStringList{QString::number(n + 1), tr("%1 V").arg(number(quint16(regAoLevel + 2 * n))),
                              verdict(quint16(regAoStatus + n))};
    return t;
}

cServiceReport::table_t cChannelReadings::owTable() const
{
    cServiceReport::table_t t{tr("1-Wire Channels"), {tr("Channel"), tr("Temperature")}, {}};
    for (int n = 0; n < owChannels; ++n) {
        const bool bound = m_image.getInt32(quint16(regOwIdHigh + 2 * n)) != 0
                           || m_image.getInt32(quint16(regOwIdLow + 2 * n)) != 0;
        // Without a bound sensor the module reports 0, which is no temperature.
        const QString value = bound ? tr("%1 °C").arg(number(quint16(regOwTemperature + 2 * n))) : tr("no sensor");
        t.rows << QStringList{QString::number(n + 1), value};
    }
    return t;
}
