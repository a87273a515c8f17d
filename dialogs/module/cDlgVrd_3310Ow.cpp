// The "1-Wire Channel" tab: poll mode, temperature and bound sensor of the
// ten DS18B20 channels.
#include "cDlgVrd_3310.h"

#include <QRegularExpressionValidator>

#include "cModBusFunctions.h"

namespace {

constexpr int channels = 10;
constexpr quint16 regTemperature = 345;
constexpr quint16 regIdHigh = 1017;
constexpr quint16 regIdLow = 1137;
constexpr quint16 regPollMode = 1257;
constexpr quint16 regBindId = 1510;

} // namespace

void cDlgVrd_3310::updateOwData()
{
    const QStringList modes = {tr("Survey"), tr("Search"), tr("Disabled")};
    QTableWidget *t = ui.tblDtPrm_3110;
    for (int n = 0; n < channels; ++n) {
        const quint8 mode = indexWithin(m_modbus->getRegister(quint16(regPollMode + n)), modes.size());
        const float temperature = float(m_modbus->getFloat(quint16(regTemperature + 2 * n)));
        const quint64 high = quint32(m_modbus->getInt32(quint16(regIdHigh + 2 * n)));
        const quint64 low = quint32(m_modbus->getInt32(quint16(regIdLow + 2 * n)));
        const quint64 id = high << 32 | low;
        setCell(t, n, 1, modes.at(mode));
        // Without a bound sensor the module reports 0, which is no temperature.
        setCell(t, n, 2, id == 0 ? tr("no sensor") : QStringLiteral("%1").arg(double(temperature)));
        setCell(t, n, 3, QStringLiteral("0x") + QStringLiteral("%1").arg(id, 0, 16).toUpper());
        storeRecord(t, n, owPrm_t{quint8(n), mode, temperature, id});
    }
    editorsFollowSelection(t);
}

void cDlgVrd_3310::setOwPrmForEdit(QTableWidgetItem *)
{
    owPrm_t prm;
    if (!selectedRecord(ui.tblDtPrm_3110, prm))
        return;
    ui.cBoxDtPollMode_3110->setCurrentIndex(prm.pollMode);
    ui.lEditDtSensID_3110->setText(QStringLiteral("0x%1").arg(prm.identifier, 0, 16));
}

void cDlgVrd_3310::initSetPollModeDtSlot()
{
    writeChoice(39, ui.tblDtPrm_3110, ui.cBoxDtPollMode_3110, regPollMode);
}

// An unfinished identifier would bind nothing to the channel and so unbind
// its sensor: only a complete one is written ("0x0" unbinds on purpose).
void cDlgVrd_3310::initSetIdDtSlot()
{
    const int n = editedChannel(ui.tblDtPrm_3110);
    if (n < 0)
        return;
    const QString text = ui.lEditDtSensID_3110->text();
    int position = 0;
    QString checked = text;
    bool converted = false;
    const quint64 id = text.toULongLong(&converted, 16);
    if (!converted || m_sensorIdValidator->validate(checked, position) != QValidator::Acceptable)
        return notPossible(tr("Enter the sensor ID as \"0x\" followed by 1 to 16 hexadecimal digits."));
    const quint16 reg = quint16(regBindId + 4 * n);
    runWriteCycle(38, {request(16, reg, 4)}, [this, reg, id] {
        m_modbus->setInt32(reg, qint32(quint32(id >> 32)));
        m_modbus->setInt32(quint16(reg + 2), qint32(quint32(id & 0xFFFFFFFFu)));
    });
}
