#include "cSrchSettings.h"

#include "closeMessage.h"

#include <QFileInfo>

#include "cEndpoint.h"
#include "cPortList.h"
#include "cScanEstimate.h"
#include "cUsbLatency.h"
#include "lineTables.h"

namespace {

bool isDevice(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QFileInfo info(name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name);
    return info.exists() && !info.isFile() && !info.isDir();
}

} // namespace

cSrchSettings::cSrchSettings(const srchSettings_t &record, QWidget *parent)
    : QDialog(parent)
    , m_record(record)
{
    setupUi(this);
    for (int i = 0; i < 8; ++i)
        baudBox(i)->setChecked(m_record.baudFlags[i]);
    for (int i = 0; i < 4; ++i)
        formatBox(i)->setChecked(m_record.formatFlags[i]);
    sbSetTimeOut->setRange(srchSettings_t::shortestTimeOut, srchSettings_t::longestTimeOut);
    sbSetTimeOut->setValue(m_record.timeOut);
    cmbEcho->setCurrentIndex(int(m_record.echo));
    offerPorts();
    // A device server on the network is typed in.
    cmbSelComPort->setEditable(true);
    cmbSelComPort->setInsertPolicy(QComboBox::NoInsert);
    cmbSelComPort->setToolTip(tr("A serial port, or a device server on the network:\n"
                                 "rtu+tcp://HOST:PORT for RTU frames over TCP,\n"
                                 "tcp://HOST:PORT for ModBus TCP"));
    connect(pbtOk, &QPushButton::clicked, this, &cSrchSettings::okKeyPress);
    connect(cmbSelComPort, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &cSrchSettings::showLatency);
    connect(cmbSelComPort, &QComboBox::currentTextChanged, this, &cSrchSettings::showEstimate);
    for (QCheckBox *box : findChildren<QCheckBox *>())
        connect(box, &QCheckBox::toggled, this, &cSrchSettings::showEstimate);
    connect(sbSetTimeOut, QOverload<int>::of(&QSpinBox::valueChanged), this, &cSrchSettings::showEstimate);
    connect(cmbEcho, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &cSrchSettings::showEstimate);
    showLatency();
    showEstimate();
}

void cSrchSettings::setAddressCount(int addresses)
{
    m_addresses = addresses;
    showEstimate();
}

void cSrchSettings::showLatency()
{
    const QString text = cUsbLatency().describe(chosenPort());
    lblLatency->setText(text);
    lblLatency->setVisible(!text.isEmpty());
}

// Where nothing answers every probe waits out the time-out: the worst and the usual case.
void cSrchSettings::showEstimate()
{
    bool bauds[lineTables::baudCount];
    bool formats[lineTables::formatCount];
    for (int i = 0; i < lineTables::baudCount; ++i)
        bauds[i] = baudBox(i)->isChecked();
    for (int i = 0; i < lineTables::formatCount; ++i)
        formats[i] = formatBox(i)->isChecked();
    const cScanEstimate estimate = cScanEstimate::forPort(chosenPort(), bauds, formats, sbSetTimeOut->value(),
                                                          echoMode_t(cmbEcho->currentIndex()));
    const QString total = cScanEstimate::duration(estimate.rangeMs(m_addresses));
    if (cEndpoint(chosenPort()).isNetwork()) {
        lblEstimate->setText(tr("Search time: about %1 (%2 addresses × %3 ms; the line is the device server's).")
                                 .arg(total).arg(m_addresses).arg(estimate.addressMs()));
        return;
    }
    lblEstimate->setText(tr("Search time: about %1 (%2 addresses × %3 baud rates × %4 formats × %5 ms, "
                            "plus the line's silences).")
                             .arg(total)
                             .arg(m_addresses)
                             .arg(estimate.baudsChosen())
                             .arg(estimate.formatsChosen())
                             .arg(sbSetTimeOut->value()));
}

QStringList cSrchSettings::offeredPorts(const QString &storedPort)
{
    QStringList names = cPortList::names();
    if (!names.contains(storedPort) && (isDevice(storedPort) || cEndpoint(storedPort).isNetwork()))
        names << storedPort;
    return names;
}

// A stored port that is gone stays chosen, marked as missing, so that the
// user sees it rather than another port quietly taking its place.
void cSrchSettings::offerPorts()
{
    const QString stored = m_record.portName;
    for (const QString &name : offeredPorts(stored))
        cmbSelComPort->addItem(name, name);
    if (!stored.isEmpty() && cmbSelComPort->findData(stored) < 0)
        cmbSelComPort->addItem(tr("%1 (missing)").arg(stored), stored);
    const int current = cmbSelComPort->findData(stored);
    if (current >= 0)
        cmbSelComPort->setCurrentIndex(current);
}

// A listed port by its data ("(missing)" is no part of the name), else as typed.
QString cSrchSettings::chosenPort() const
{
    const int index = cmbSelComPort->currentIndex();
    const QString text = cmbSelComPort->currentText().trimmed();
    if (index >= 0 && cmbSelComPort->itemText(index) == text && cmbSelComPort->itemData(index).isValid())
        return cmbSelComPort->itemData(index).toString();
    return text;
}

QCheckBox *cSrchSettings::baudBox(int index) const
{
    QCheckBox *const boxes[8] = {chb115200, chb57600, chb38400, chb19200,
                                 chb9600,   chb4800,  chb2400,  chb1200};
    return boxes[index];
}

QCheckBox *cSrchSettings::formatBox(int index) const
{
    QCheckBox *const boxes[4] = {chbN_8_1, chbN_8_2, chbE_8_1, chbO_8_1};
    return boxes[index];
}

void cSrchSettings::refuse(const QString &text)
{
    showCloseMessage(this, QMessageBox::Critical, tr("Operation is not possible"), text, tr("Close"));
}

void cSrchSettings::okKeyPress()
{
    bool anyBaud = false;
    bool anyFormat = false;
    for (int i = 0; i < 8; ++i)
        anyBaud |= m_record.baudFlags[i] = baudBox(i)->isChecked();
    for (int i = 0; i < 4; ++i)
        anyFormat |= m_record.formatFlags[i] = formatBox(i)->isChecked();
    if (chosenPort().isEmpty())
        return refuse(tr("COM Port is not selected."));
    const cEndpoint endpoint(chosenPort());
    if (!endpoint.isValid())
        return refuse(endpoint.error());
    m_record.portName = chosenPort();
    // A device server's line is set on the device server: none is searched.
    if (endpoint.isNetwork()) {
        m_record.timeOut = quint16(sbSetTimeOut->value());
        return accept();
    }
    if (!anyBaud)
        return refuse(tr("Baud Rate value is not selected."));
    if (!anyFormat)
        return refuse(tr("Configuration Port value is not selected."));
    m_record.timeOut = quint16(sbSetTimeOut->value());
    m_record.echo = echoMode_t(cmbEcho->currentIndex());
    accept();
}
