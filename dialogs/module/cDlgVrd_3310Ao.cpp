// The "AO Channels" tab: mode, output level, safety state and level of the
// five analogue outputs, and their calibration.
#include "cDlgVrd_3310.h"

#include "cModBusFunctions.h"

namespace {

constexpr int channels = 5;
constexpr quint16 regStatus = 290;
constexpr quint16 regLevel = 522;
constexpr quint16 regMode = 742;
constexpr quint16 regSafetyValue = 797;
constexpr quint16 regSafetyState = 1600;
constexpr int sliderSteps = 100; // slider positions per volt

} // namespace

void cDlgVrd_3310::updateAoData()
{
    const QStringList modes = {tr("Normal"), tr("Fast"), tr("Calibration"), tr("Disabled")};
    const QStringList states = {tr("Not Active"), tr("Active")};
    const quint16 safetyStates = m_modbus->getRegister(regSafetyState);
    QTableWidget *t = ui.tblAoSet_3110;
    for (int n = 0; n < channels; ++n) {
        const quint16 status = m_modbus->getRegister(quint16(regStatus + n));
        const quint8 mode = indexWithin(m_modbus->getRegister(quint16(regMode + n)), modes.size());
        const quint8 safetyState = quint8((safetyStates >> n) & 1);
        const float level = float(m_modbus->getFloat(quint16(regLevel + 2 * n)));
        const float safetyValue = float(m_modbus->getFloat(quint16(regSafetyValue + 2 * n)));
        setCell(t, n, 1, modes.at(mode));
        setCell(t, n, 2, QStringLiteral("%1").arg(double(level)));
        setCell(t, n, 3, states.at(safetyState));
        setCell(t, n, 4, QStringLiteral("%1").arg(double(safetyValue)));
        if (storeRecord(t, n, aoPrm_t{quint8(n), mode, safetyState, safetyValue, level}))
            m_aoCalibr->refresh(mode, status);
    }
    editorsFollowSelection(t);
}

// The level spin box drives a physical output: remember whose level it holds,
// so that a mode change never sends one channel's level to another.
void cDlgVrd_3310::trackAoLevelOwner()
{
    connect(ui.dSpBoxAoCurrLvl_3110, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            [this] { m_aoLevelOwner = cChannelSelection::currentRow(ui.tblAoSet_3110); });
}

bool cDlgVrd_3310::aoLevelFor(int channel, float &level)
{
    if (channel == m_aoLevelOwner) {
        if (!valueShown(ui.dSpBoxAoCurrLvl_3110))
            return false;
        level = float(ui.dSpBoxAoCurrLvl_3110->value());
        return true;
    }
    const auto *item = dynamic_cast<const mTableWidgetItem *>(ui.tblAoSet_3110->item(channel, 0));
    if (!item || !item->hasRecord<aoPrm_t>()) {
        notReportedYet();
        return false;
    }
    level = item->record<aoPrm_t>().level;
    return true;
}

void cDlgVrd_3310::setAoPrmForEdit(QTableWidgetItem *)
{
    aoPrm_t prm;
    if (!selectedRecord(ui.tblAoSet_3110, prm))
        return;
    ui.cBoxAoMode_3110->setCurrentIndex(prm.mode);
    ui.dSpBoxAoCurrLvl_3110->setValue(prm.level);
    m_aoLevelOwner = prm.channel;
    ui.dSpBoxAOSafLvl_3110->setValue(prm.safetyValue);
    ui.cBoxAOSafMode_3110->setCurrentIndex(prm.safetyState);
}

// The mode goes out with the channel's own output level.
void cDlgVrd_3310::initSetAoModeSlot()
{
    const int n = editedChannel(ui.tblAoSet_3110);
    const int mode = ui.cBoxAoMode_3110->currentIndex();
    float level = 0;
    if (n < 0 || mode < 0 || !aoLevelFor(n, level))
        return;
    const quint16 modeReg = quint16(regMode + n);
    const quint16 levelReg = quint16(regLevel + 2 * n);
    runWriteCycle(25, {request(16, modeReg, 1), request(16, levelReg, 2)}, [=] {
        m_modbus->setFloat(levelReg, level);
        m_modbus->setRegister(modeReg, quint16(mode));
    });
}

void cDlgVrd_3310::initSetAoCurrLvlSlot()
{
    const int n = editedChannel(ui.tblAoSet_3110);
    if (n < 0 || !valueShown(ui.dSpBoxAoCurrLvl_3110))
        return;
    const float level = float(ui.dSpBoxAoCurrLvl_3110->value());
    ui.sldAoCurrLvl_3110->setValue(int(level * sliderSteps));
    writeFloat(12, quint16(regLevel + 2 * n), level);
}

// Without a selected row the slider moves nothing; its release says why.
void cDlgVrd_3310::setAoCurrValFromSliderToSBoxSlot(int position)
{
    if (cChannelSelection::currentRow(ui.tblAoSet_3110) < 0)
        return;
    ui.dSpBoxAoCurrLvl_3110->setValue(float(position) / sliderSteps);
}

void cDlgVrd_3310::initSetAoSldCurrValSlot()
{
    const int n = selectedChannel(ui.tblAoSet_3110);
    if (n < 0)
        return;
    writeFloat(10, quint16(regLevel + 2 * n), ui.dSpBoxAoCurrLvl_3110->value());
}

void cDlgVrd_3310::initSetAoSafModeSlot()
{
    writeMaskBit(11, ui.tblAoSet_3110, regSafetyState, ui.cBoxAOSafMode_3110);
}

void cDlgVrd_3310::initSetAoSafLevelSlot()
{
    const int n = editedChannel(ui.tblAoSet_3110);
    if (n < 0 || !valueShown(ui.dSpBoxAOSafLvl_3110))
        return;
    writeFloat(8, quint16(regSafetyValue + 2 * n), ui.dSpBoxAOSafLvl_3110->value());
}

void cDlgVrd_3310::initSetRealAoDownPointSlot()
{
    writeCalibrStep(*m_aoCalibr, ui.tblAoSet_3110, cCalibrPanel::LowPoint);
}

void cDlgVrd_3310::initSetRealAoUpPointSlot()
{
    writeCalibrStep(*m_aoCalibr, ui.tblAoSet_3110, cCalibrPanel::HighPoint);
}

void cDlgVrd_3310::initExecCalibrAoSlot()
{
    writeCalibrStep(*m_aoCalibr, ui.tblAoSet_3110, cCalibrPanel::Execute);
}
