// The "General Settings" tab: communication parameters, time-outs, safe
// reset, factory reset and the module's identity.
#include "cDlgVrd_3310.h"

#include <QMessageBox>

#include "cModBusFunctions.h"
#include "cShareFunction.h"
#include "closeMessage.h"
#include "mainClass.h"

namespace {

constexpr quint16 regMcuTemperature = 1009;
constexpr quint16 regName = 1111;
constexpr quint16 regFirmware = 1112;
constexpr quint16 regYear = 1113;
constexpr quint16 regDate = 1114;
constexpr quint16 regVariant = 1115;
constexpr quint16 regAddress = 1582;
constexpr quint16 regConfig = 1583;
constexpr quint16 regSafetyTimeout = 1584;
constexpr quint16 regWdtTimeout = 1585;
constexpr quint16 regCommand = 1586;
constexpr quint16 commandTakeLine = 4;
constexpr quint16 commandFactory = 2;
constexpr quint8 loadOnRefresh = 3;
constexpr int restoreSeconds = 9;

constexpr qint32 configBauds[8] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Counts refreshes and says when the edit widgets are to be loaded: once, on
// the third, so that they never jump while the user edits them.
bool loadNow(quint8 &counter)
{
    if (counter >= loadOnRefresh)
        return false;
    if (++counter < loadOnRefresh)
        return false;
    ++counter;
    return true;
}

bool loaded(quint8 counter)
{
    return counter > loadOnRefresh;
}

} // namespace

void cDlgVrd_3310::updateGenData(int subTab)
{
    if (subTab == 0)
        return updateComParameters();
    if (subTab == 1)
        updateSysParameters();
}

void cDlgVrd_3310::updateComParameters()
{
    const quint16 word = m_modbus->getRegister(regConfig);
    m_comPrm.address = quint8(m_modbus->getRegister(regAddress) & 0xFF);
    m_comPrm.baud = configBauds[qMin(word & 0x0F, 7)];
    m_comPrm.twoStopBits = (word >> 7) & 1;
    const int parity = (word >> 5) & 3;
    m_comPrm.parity = quint8(parity == 1 || parity == 2 ? parity : 0);
    m_comPrm.mode = (word >> 8) & 1;
    m_comPrm.byteOrder = (word >> 9) & 7;

    QTableWidget *t = ui.tblInterPrm_3110;
    const auto cell = [&](int row, const QString &text) { setCell(t, row, 1, text); };
    cell(0, QString::number(m_comPrm.baud));
    cell(1, QString::number(m_comPrm.twoStopBits + 1));
    cell(2, m_parityList.value(m_comPrm.parity));
    cell(3, m_comPrm.mode ? tr("Master") : tr("Slave"));
    if (m_comPrm.byteOrder < m_byteOrderList.size())
        cell(4, m_byteOrderList.at(m_comPrm.byteOrder));
    cell(5, QString::number(m_comPrm.address));
    if (loadNow(m_comLoadCount))
        setComPrmForEdit();
}

void cDlgVrd_3310::updateSysParameters()
{
    m_sysPrm.safetyTimeout = m_modbus->getRegister(regSafetyTimeout);
    m_sysPrm.wdtTimeout = m_modbus->getRegister(regWdtTimeout);
    const quint16 firmware = m_modbus->getRegister(regFirmware);
    const quint16 date = m_modbus->getRegister(regDate);

    QTableWidget *t = ui.tblSysPrm_3110;
    const auto cell = [&](int row, const QString &text) { setCell(t, row, 1, text); };
    cell(0, QString::number(m_sysPrm.safetyTimeout));
    cell(1, QString::number(m_sysPrm.wdtTimeout));
    cell(2, QStringLiteral("VRD-%1").arg(m_modbus->getRegister(regName)));
    cell(3, QStringLiteral("v%1.%2.%3")
                .arg(firmware & 0x0F)
                .arg(twoDigits((firmware >> 4) & 0x0F), twoDigits((firmware >> 8) & 0x0F)));
    cell(4, QStringLiteral("%1.%2.%3")
                .arg(twoDigits(date & 0x1F), twoDigits((date >> 5) & 0x1F))
                .arg(m_modbus->getRegister(regYear)));
    cell(5, QString::number(m_modbus->getFloat(regMcuTemperature), 'f', 2));
    cell(6, twoDigits(m_modbus->getRegister(regVariant)));
    if (loadNow(m_sysLoadCount))
        setSysPrmForEdit();
}

void cDlgVrd_3310::setComPrmForEdit()
{
    ui.cBoxBdr_3110->setCurrentIndex(cShareFunction::baudToIndex(m_comPrm.baud));
    ui.cBoxCfgPort_3110->setCurrentIndex(
        cShareFunction::cfgPortToIndex(m_comPrm.parity, m_comPrm.twoStopBits));
    ui.cBoxOrderByte_3110->setCurrentIndex(cShareFunction::byteOrderToIndex(m_comPrm.byteOrder));
    ui.cBoxCfgMode_3110->setCurrentIndex(m_comPrm.mode);
    ui.sBoxMdbAddr_3110->setValue(m_comPrm.address);
}

void cDlgVrd_3310::setSysPrmForEdit()
{
    ui.sBoxSafTout_3110->setValue(m_sysPrm.safetyTimeout);
    ui.sBoxWdtTout_3110->setValue(m_sysPrm.wdtTimeout);
}

// The configuration word for 1583 from the edit widgets, bit by bit.
quint16 cDlgVrd_3310::newConfigWord(const newComPrm_t &prm) const
{
    quint16 word = quint16(cShareFunction::baudToIndex(prm.baud));
    if (prm.parity == 1)
        word |= 1 << 5;
    if (prm.parity == 2)
        word |= 1 << 6;
    if (prm.stopBits == 2)
        word |= 1 << 7;
    word |= quint16((ui.cBoxCfgMode_3110->currentIndex() & 1) << 8);
    // A byte order the box cannot show stays as the module has it.
    const int order = ui.cBoxOrderByte_3110->currentIndex();
    word |= quint16(((order >= 0 ? order : m_comPrm.byteOrder) & 7) << 9);
    return word;
}

void cDlgVrd_3310::initInterAcceptSlot()
{
    if (!loaded(m_comLoadCount))
        return notReportedYet();
    if (!valueShown(ui.sBoxMdbAddr_3110))
        return;
    const int check = m_owner->checkModuleAddress(quint16(ui.sBoxMdbAddr_3110->value()), m_tableRow);
    if (check == 0)
        return notPossible(tr("The list of found modules is empty."));
    if (check == 1)
        return notPossible(tr("A module with this address already exists in the list."));
    newComPrm_t prm;
    cShareFunction::cfgPortFromIndex(ui.cBoxCfgPort_3110, prm.parity, prm.stopBits);
    cShareFunction::baudFromIndex(ui.cBoxBdr_3110, prm.baud);
    prm.address = quint8(ui.sBoxMdbAddr_3110->value());
    const quint16 address = prm.address;
    const quint16 word = newConfigWord(prm);
    const QList<query_info_t> batch = {request(16, regAddress, 2), request(16, regCommand, 1)};
    const auto store = [this, address, word] {
        m_modbus->setRegister(regAddress, address);
        m_modbus->setRegister(regConfig, word);
        m_modbus->setRegister(regCommand, commandTakeLine);
    };
    // The line the dialog follows travels with its own write.
    const auto follow = [this, prm](bool ok) {
        if (ok)
            followNewLine(prm);
    };
    runWriteCycle(pendingWrite_t{3, batch, store, follow, true});
}

// The module answers at its new address and line from the next request on:
// the dialog, the port and the found-modules table follow it there.
void cDlgVrd_3310::followNewLine(const newComPrm_t &prm)
{
    settingsUart_t line = m_portPrm;
    line.baudRate = prm.baud;
    line.parity = prm.parity == 1 ? QSerialPort::OddParity
        : prm.parity == 2         ? QSerialPort::EvenParity
                                  : QSerialPort::NoParity;
    line.stopBits = prm.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
    followModule(prm.address, line);
}

void cDlgVrd_3310::followModule(quint8 address, const settingsUart_t &line)
{
    m_moduleAddr = address;
    m_portPrm = line;
    m_owner->followModule(m_tableRow, m_moduleAddr, line);
    updateTitle();
}

configTarget_t cDlgVrd_3310::configTarget() const
{
    return configTarget_t{m_moduleAddr, m_portPrm, false};
}

void cDlgVrd_3310::initSetSafToutSlot()
{
    if (!loaded(m_sysLoadCount))
        return notReportedYet();
    if (!valueShown(ui.sBoxSafTout_3110))
        return;
    const quint16 value = quint16(ui.sBoxSafTout_3110->value());
    runWriteCycle(5, {request(16, regSafetyTimeout, 1)},
                  [this, value] { m_modbus->setRegister(regSafetyTimeout, value); });
}

void cDlgVrd_3310::initSetWdtToutSlot()
{
    if (!loaded(m_sysLoadCount))
        return notReportedYet();
    if (!valueShown(ui.sBoxWdtTout_3110))
        return;
    const quint16 value = quint16(ui.sBoxWdtTout_3110->value());
    if (!confirmWatchdog(value))
        return;
    runWriteCycle(6, {request(16, regWdtTimeout, 1)},
                  [this, value] { m_modbus->setRegister(regWdtTimeout, value); });
}

void cDlgVrd_3310::initActiveResSafetySlot(int index)
{
    if (index == 0 || index == 1)
        m_diagPollOn = index == 1;
}

void cDlgVrd_3310::initSetFactorySlot()
{
    const QString text = tr("  After executing this command,") + QLatin1Char('\n')
        + tr("you return to the factory settings.") + QLatin1Char('\n') + tr("       Are you sure?");
    QMessageBox box(QMessageBox::Warning, tr("Warning"), text, QMessageBox::NoButton, this);
    QPushButton *yes = box.addButton(tr("Yes"), QMessageBox::YesRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() != yes)
        return;
    const auto restored = [this](bool ok) {
        if (!ok)
            return;
        cShareFunction::showRestoreProgress(this, restoreSeconds);
        sayFactoryReset();
    };
    runWriteCycle(pendingWrite_t{7, {request(16, regCommand, 1)},
                                 [this] { m_modbus->setRegister(regCommand, commandFactory); }, restored});
}

// A watchdog that runs out between two polls trips while the program is
// talking to the module: only on purpose.
bool cDlgVrd_3310::confirmWatchdog(int milliseconds)
{
    if (milliseconds == 0 || milliseconds >= m_pollTimer.interval())
        return true;
    const QString text = tr("A watchdog time-out of %1 ms is shorter than this program's poll period of %2 ms: "
                            "the module's watchdog will run out between two polls, while the module is in use. "
                            "Set it anyway?")
                             .arg(milliseconds)
                             .arg(m_pollTimer.interval());
    QMessageBox box(QMessageBox::Warning, tr("Warning"), text, QMessageBox::NoButton, this);
    QPushButton *yes = box.addButton(tr("Yes"), QMessageBox::YesRole);
    QPushButton *cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == yes;
}

QString cDlgVrd_3310::factoryResetText() const
{
    return tr("The module has gone back to its factory address and line settings: "
              "a new search will find it there.");
}

// After the reset the module no longer answers where the dialog talks to it:
// that is no fault of the line.
void cDlgVrd_3310::sayFactoryReset()
{
    m_factoryReset = true;
    showCloseMessage(this, QMessageBox::Information, tr("Factory Settings"), factoryResetText(), tr("Close"));
}
