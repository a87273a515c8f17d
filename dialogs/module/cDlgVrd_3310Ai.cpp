// The "AI Channels" tab: mode and measured value of the two analogue inputs,
// and their calibration.
#include "cDlgVrd_3310.h"

#include "cModBusFunctions.h"

namespace {

constexpr int channels = 2;
constexpr quint16 regValue = 801;
constexpr quint16 regStatus = 957;
constexpr quint16 regMode = 1445;

} // namespace

void cDlgVrd_3310::updateAiData()
{
    const QStringList modes = {tr("Survey"), tr("Calibration"), tr("Disabled")};
    QTableWidget *t = ui.tblAiPrm_3110;
    for (int n = 0; n < channels; ++n) {
        const quint16 status = m_modbus->getRegister(quint16(regStatus + n));
        const quint8 mode = indexWithin(m_modbus->getRegister(quint16(regMode + n)), modes.size());
        const float value = float(m_modbus->getFloat(quint16(regValue + 2 * n)));
        setCell(t, n, 1, modes.at(mode));
        setCell(t, n, 2, QStringLiteral("%1").arg(double(value)));
        if (storeRecord(t, n, aiPrm_t{quint8(n), value, mode}))
            m_aiCalibr->refresh(mode, status);
    }
    editorsFollowSelection(t);
}

void cDlgVrd_3310::setAiPrmForEdit(QTableWidgetItem *)
{
    aiPrm_t prm;
    if (selectedRecord(ui.tblAiPrm_3110, prm))
        ui.cBoxAiMode_3110->setCurrentIndex(prm.mode);
}

void cDlgVrd_3310::initSetAiModeSlot()
{
    writeChoice(20, ui.tblAiPrm_3110, ui.cBoxAiMode_3110, regMode);
}

void cDlgVrd_3310::initGetDownCalibrAiSlot()
{
    writeCalibrStep(*m_aiCalibr, ui.tblAiPrm_3110, cCalibrPanel::LowPoint);
}

void cDlgVrd_3310::initGetUpCalibrAiSlot()
{
    writeCalibrStep(*m_aiCalibr, ui.tblAiPrm_3110, cCalibrPanel::HighPoint);
}

void cDlgVrd_3310::initExecCalibrAiSlot()
{
    writeCalibrStep(*m_aiCalibr, ui.tblAiPrm_3110, cCalibrPanel::Execute);
}
