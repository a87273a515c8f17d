// The "DI Channels" and "DO Channels" tabs: modes, counters and the output
// masks of the eight discrete inputs and outputs.
#include "cDlgVrd_3310.h"

#include "cModBusFunctions.h"

namespace {

constexpr int channels = 8;
constexpr quint16 regDiMode = 174;
constexpr quint16 regDiNormal = 1116;
constexpr quint16 regDiPulses = 0;
constexpr quint16 regDiCounter = 58;
constexpr quint16 regDiCounterReset = 1589;
constexpr quint16 regDoMode = 464;
constexpr quint16 regDoNormal = 1596;
constexpr quint16 regDoSafetyMode = 1598;
constexpr quint16 regDoSafetyLevel = 1599;

quint8 bitOf(quint16 mask, int n)
{
    return quint8((mask >> n) & 1);
}

} // namespace

void cDlgVrd_3310::updateDiData()
{
    const QStringList modes = {tr("Normal"), tr("Counter"), tr("Tachometr"), tr("Inc.Encoder (Counter)"),
                               tr("Inc.Encoder (Counter+Tachometer)")};
    const QStringList states = {tr("False"), tr("True")};
    const quint16 normal = m_modbus->getRegister(regDiNormal);
    QTableWidget *t = ui.tblDiModeSettings_3110;
    for (int n = 0; n < channels; ++n) {
        const quint8 mode = indexWithin(m_modbus->getRegister(quint16(regDiMode + n)), modes.size());
        const quint32 counter = quint32(m_modbus->getInt32(quint16(regDiCounter + 2 * n)));
        setCell(t, n, 1, modes.at(mode));
        setCell(t, n, 2, states.at(bitOf(normal, n)));
        setCell(t, n, 3, QString::number(counter));
        setCell(t, n, 4, QString::number(m_modbus->getRegister(quint16(regDiPulses + n))));
        storeRecord(t, n, diPrm_t{quint8(n), mode});
    }
    editorsFollowSelection(t);
}

void cDlgVrd_3310::updateDoData()
{
    const QStringList modes = {tr("Normal"), tr("Fast"), tr("PWM"), tr("Disabled")};
    const QStringList states = {tr("False"), tr("True")};
    const QStringList safety = {tr("Disabled"), tr("Enabled")};
    const quint16 normal = m_modbus->getRegister(regDoNormal);
    const quint16 safetyMode = m_modbus->getRegister(regDoSafetyMode);
    const quint16 safetyLevel = m_modbus->getRegister(regDoSafetyLevel);
    QTableWidget *t = ui.tblDoSafetyPrm_3110;
    for (int n = 0; n < channels; ++n) {
        const quint8 mode = indexWithin(m_modbus->getRegister(quint16(regDoMode + n)), modes.size());
        setCell(t, n, 1, modes.at(mode));
        setCell(t, n, 2, states.at(bitOf(normal, n)));
        setCell(t, n, 3, safety.at(bitOf(safetyMode, n)));
        setCell(t, n, 4, states.at(bitOf(safetyLevel, n)));
        storeRecord(t, n, doPrm_t{quint8(n), mode, bitOf(normal, n), bitOf(safetyMode, n), bitOf(safetyLevel, n)});
    }
    editorsFollowSelection(t);
}

void cDlgVrd_3310::setDiModePrmForEdit(QTableWidgetItem *)
{
    diPrm_t prm;
    if (selectedRecord(ui.tblDiModeSettings_3110, prm))
        ui.cBoxDiMode_3110->setCurrentIndex(prm.mode);
}

void cDlgVrd_3310::setDioPrmForEdit(QTableWidgetItem *)
{
    doPrm_t prm;
    if (!selectedRecord(ui.tblDoSafetyPrm_3110, prm))
        return;
    ui.cBoxDoMode_3110->setCurrentIndex(prm.mode);
    ui.cBoxDoNorm_3110->setCurrentIndex(prm.normalState);
    ui.cBoxDoSafetyLvl_3110->setCurrentIndex(prm.safetyLevel);
    ui.cBoxDoSafetyMode_3110->setCurrentIndex(prm.safetyMode);
}

void cDlgVrd_3310::initSetDiModeSlot()
{
    writeChoice(31, ui.tblDiModeSettings_3110, ui.cBoxDiMode_3110, regDiMode);
}

void cDlgVrd_3310::initResetDiCounterSlot()
{
    writeMaskBit(34, ui.tblDiModeSettings_3110, regDiCounterReset, nullptr);
}

void cDlgVrd_3310::initSetDoModeSlot()
{
    writeChoice(35, ui.tblDoSafetyPrm_3110, ui.cBoxDoMode_3110, regDoMode);
}

void cDlgVrd_3310::initSetDoNormalSlot()
{
    writeMaskBit(36, ui.tblDoSafetyPrm_3110, regDoNormal, ui.cBoxDoNorm_3110);
}

void cDlgVrd_3310::initSetSafModeDoSlot()
{
    writeMaskBit(29, ui.tblDoSafetyPrm_3110, regDoSafetyMode, ui.cBoxDoSafetyMode_3110);
}

void cDlgVrd_3310::initSetSafLevelDoSlot()
{
    writeMaskBit(30, ui.tblDoSafetyPrm_3110, regDoSafetyLevel, ui.cBoxDoSafetyLvl_3110);
}
