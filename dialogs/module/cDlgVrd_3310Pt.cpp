// The Pt100/Pt1000 tab: mode, sensor curve and measured value of the four
// resistance-thermometer channels, and their calibration.
#include "cDlgVrd_3310.h"

#include "cModBusFunctions.h"

namespace {

constexpr int channels = 4;
constexpr quint16 regValue = 585;
constexpr quint16 regStatus = 747;
constexpr quint16 regSensor = 1317;
constexpr quint16 regMode = 1371;
constexpr quint8 calibrationMode = 1;

} // namespace

void cDlgVrd_3310::updatePtData()
{
    const QStringList modes = {tr("Survey"), tr("Calibration"), tr("Disabled")};
    const QStringList sensors = {tr("a3850"), tr("a3911")};
    QTableWidget *t = ui.tblPtPrm_3110;
    for (int n = 0; n < channels; ++n) {
        const quint16 status = m_modbus->getRegister(quint16(regStatus + n));
        const quint8 mode = indexWithin(m_modbus->getRegister(quint16(regMode + n)), modes.size());
        const quint8 sensor = indexWithin(m_modbus->getRegister(quint16(regSensor + n)), sensors.size());
        const float value = float(m_modbus->getFloat(quint16(regValue + 2 * n)));
        setCell(t, n, 1, modes.at(mode));
        setCell(t, n, 2, sensors.at(sensor));
        // Calibration reads the sensor's resistance, the survey its temperature.
        setCell(t, n, 3, (mode == calibrationMode ? tr("%1 Ω") : tr("%1 °C")).arg(double(value)));
        if (storeRecord(t, n, ptPrm_t{quint8(n), value, sensor, mode}))
            m_ptCalibr->refresh(mode, status);
    }
    editorsFollowSelection(t);
}

void cDlgVrd_3310::setPtPrmForEdit(QTableWidgetItem *)
{
    ptPrm_t prm;
    if (!selectedRecord(ui.tblPtPrm_3110, prm))
        return;
    ui.cBoxPtMode_3110->setCurrentIndex(prm.mode);
    ui.cBoxPtSensType_3110->setCurrentIndex(prm.sensor);
}

void cDlgVrd_3310::initSetPtModeSlot()
{
    writeChoice(13, ui.tblPtPrm_3110, ui.cBoxPtMode_3110, regMode);
}

void cDlgVrd_3310::initSetPtSensSlot()
{
    writeChoice(14, ui.tblPtPrm_3110, ui.cBoxPtSensType_3110, regSensor);
}

void cDlgVrd_3310::initSetNegCalibrPtSlot()
{
    writeCalibrStep(*m_ptCalibr, ui.tblPtPrm_3110, cCalibrPanel::LowPoint);
}

void cDlgVrd_3310::initSetPosCalibrPtSlot()
{
    writeCalibrStep(*m_ptCalibr, ui.tblPtPrm_3110, cCalibrPanel::HighPoint);
}

void cDlgVrd_3310::initExecCalibrPtSlot()
{
    writeCalibrStep(*m_ptCalibr, ui.tblPtPrm_3110, cCalibrPanel::Execute);
}
