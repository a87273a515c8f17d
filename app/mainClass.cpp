#include "mainClass.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTextStream>

#include "cBusMonitor.h"
#include "cChannelSelection.h"
#include "cConfigBatchDialog.h"
#include "cDlgVrd_3310.h"
#include "cEndpoint.h"
#include "cHelpDocument.h"
#include "cLanguageMenu.h"
#include "cReportCollector.h"
#include "cReportWriter.h"
#include "cScanEstimate.h"
#include "cScanReport.h"
#include "cSrchSettings.h"
#include "cSrchSettingsStore.h"
#include "cUart.h"
#include "closeMessage.h"
#include "lineTables.h"

namespace {

constexpr int portAnswerMs = 3000;
// The scan ends within one port re-open of an interrupt; this only guards
// against a driver that never returns.
constexpr int searchEndMs = 10000;

// Waits for a state the worker publishes atomically; nothing else runs meanwhile.
bool spinUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QThread::msleep(1);
    return done();
}

QTableWidgetItem *centredItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

mainClass::mainClass(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    // The pictures live in the static library: make sure they are linked in.
    Q_INIT_RESOURCE(resources);

    ui.setupUi(this);
    m_modbus = new cModBusFunctions;
    ui.lbCurrStatus->setText(tr("Waiting for action"));

    connect(ui.actionExit, &QAction::triggered, this, &mainClass::exitFromApplication);
    connect(ui.actionSrchSettings, &QAction::triggered, this, &mainClass::srchSettingsDialog);
    connect(ui.actionHelp, &QAction::triggered, this, &mainClass::execCallHelpSlot);
    connect(ui.actionAbout, &QAction::triggered, this, &mainClass::aboutSlot);
    buildMenus();
    connect(ui.actionStartModuleSearch, &QAction::triggered, this, &mainClass::startModuleSearchSlot);
    connect(ui.pBtnStartSrch, &QPushButton::clicked, this, &mainClass::startModuleSearchSlot);
    connect(ui.pBtnPauseSrch, &QPushButton::clicked, this, &mainClass::pauseModuleSearchSlot);
    connect(ui.pBtnStopSrch, &QPushButton::clicked, this, &mainClass::stopModuleSearchSlot);
    connect(ui.pBtnConect, &QPushButton::clicked, this, &mainClass::manualOpenPortSlot);
    connect(ui.pBtnDisconect, &QPushButton::clicked, this, &mainClass::manualClosePortSlot);
    connect(ui.sBoxEndAddr, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &mainClass::endAddressChangedSlot);
    setupScanTable();
    connect(ui.tblScan, &QTableWidget::itemDoubleClicked, this, &mainClass::callSettingsDialog);

    const QStringList notes = cSrchSettingsStore::loadSrchSettings(m_srchSettings);

    m_worker = new cUart(m_modbus);
    m_worker->runIn(m_thread);
    connectWorker();

    m_portTimer.setInterval(100);
    connect(&m_portTimer, &QTimer::timeout, this, &mainClass::stateConectPort);
    m_portTimer.start();
    tellSettingsNotes(notes);
}

mainClass::~mainClass()
{
    m_portTimer.stop();
    m_busMonitor.close();
    cUart::retire(m_worker, m_thread);
    delete m_modbus;
}

void mainClass::connectWorker()
{
    connect(this, &mainClass::savesettingsSignal, m_worker, &cUart::Write_Settings_Port);
    connect(this, &mainClass::openUartPortSignal, m_worker, &cUart::ConnectPort);
    connect(this, &mainClass::closeUartPortSignal, m_worker, &cUart::DisconnectPort);
    connect(this, &mainClass::reInitPortSignal, m_worker, &cUart::reInitPort);
    connect(this, &mainClass::setStartScanModuleSignal, m_worker, &cUart::scanModuleProcedure);
    connect(m_worker, &cUart::searchModuleOkSignal, this, &mainClass::addModuleToTableSlot);
    connect(this, &mainClass::setPauseScanModuleSignal, m_worker, &cUart::scanModulePauseProcedure);
    connect(this, &mainClass::setContinueScanModuleSignal, m_worker,
            &cUart::scanModuleContinueProcedure);
    connect(this, &mainClass::setStopScanModuleSignal, m_worker, &cUart::scanModuleStopProcedure);
    connect(this, &mainClass::setScanEndAddressSignal, m_worker, &cUart::setScanEndAddress);
    connect(this, &mainClass::setRdMultStateModule_Signal, m_worker, &cUart::readMultiModule);
    connect(this, &mainClass::setWrStateModule_Signal, m_worker, &cUart::writeModule);
    connect(this, &mainClass::setWrMultStateModule_Signal, m_worker, &cUart::writeMultiModule);
    connect(m_worker, &cUart::error_Signal, this, &mainClass::PrintErr);
    connect(m_worker, &cUart::sendValueScanProgressSignal, this, &mainClass::setScanProgressValue);
    connect(m_worker, &cUart::execAbortSearchSignal, this, &mainClass::setScanProgressValue);
    connect(m_worker, &cUart::scanPortLostSignal, this, &mainClass::searchPortLostSlot);
    connect(m_worker, &cUart::scanStoppedSignal, this, &mainClass::searchStoppedSlot);
    connect(m_worker, &cUart::sendCurrentInformSignal, this, &mainClass::setCurrentInform);
}

void mainClass::setupScanTable()
{
    QTableWidget *table = ui.tblScan;
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignHCenter);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->font().pointSize() + 10);
    table->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table->setStyleSheet(QStringLiteral("selection-color: black; selection-background-color: lightGray;"));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    const int columns = table->columnCount();
    const int first = 30;
    table->horizontalHeader()->setMinimumSectionSize(first);
    const int last = 250;
    table->setColumnWidth(0, first);
    table->setColumnWidth(columns - 1, last);
    const int middle = (table->width() - first - last) / (columns - 2) - 10;
    for (int c = 1; c < columns - 1; ++c)
        table->setColumnWidth(c, middle);
}

void mainClass::buildMenus()
{
    auto *bar = new QMenuBar(this);
    setMenuBar(bar);
    m_fileMenu = bar->addMenu(tr("&File"));
    m_settingsMenu = bar->addMenu(tr("&Settings"));
    m_helpMenu = bar->addMenu(tr("&Help"));
    m_fileMenu->addAction(tr("Save Found Modules..."), this, &mainClass::saveFoundModulesAs);
    m_fileMenu->addAction(tr("Service Report..."), this, &mainClass::serviceReportAs);
    m_fileMenu->addAction(tr("Bus Traffic..."), this, &mainClass::openBusMonitor);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(tr("Save Configurations of Selected Modules..."), this,
                          [this] { cConfigBatchDialog::saveSelected(this); });
    m_fileMenu->addAction(tr("Apply Configuration File to Selected Modules..."), this,
                          [this] { cConfigBatchDialog::applyToSelected(this); });
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(ui.actionExit);
    auto *copy = new QAction(tr("Copy"), ui.tblScan);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &mainClass::copySelectedRows);
    ui.tblScan->addAction(copy);
    m_settingsMenu->addAction(ui.actionSrchSettings);
    m_settingsMenu->addMenu(new cLanguageMenu(this));
    m_helpMenu->addAction(ui.actionHelp);
    m_helpMenu->addAction(ui.actionAbout);
}

// Waits for the worker while delivering its queued reports; the user's input
// waits too, so nothing new can start meanwhile. Never waits unbounded.
bool mainClass::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(1);
    }
    return true;
}

void mainClass::notPossible(const QString &text)
{
    showCloseMessage(this, QMessageBox::Critical, tr("Operation not posible"), text, tr("Close"));
}

// ---- port control -------------------------------------------------------

void mainClass::setSearchPortSettings()
{
    m_portSettings = settingsUart_t();
    m_portSettings.portName = m_srchSettings.portName;
    m_portSettings.replyTimeout = m_srchSettings.timeOut;
    m_portSettings.echo = m_srchSettings.echo;
    emit savesettingsSignal(m_portSettings);
}

// Asks the worker to open the port and waits for its answer (bounded) without
// running anything else in between.
bool mainClass::openPortAndWait()
{
    return waitForOpen([this] { emit openUartPortSignal(); });
}

bool mainClass::waitForOpen(const std::function<void()> &ask)
{
    const quint32 before = m_worker->openAttempts();
    ask();
    // A device server is given its connect time-out on top.
    const int waitMs = portAnswerMs + (cEndpoint(m_portSettings.portName).isNetwork() ? cEndpoint::connectTimeoutMs : 0);
    m_openAnswered = spinUntil([&] { return m_worker->openAttempts() != before; }, waitMs);
    return m_worker->isPortOpen();
}

bool mainClass::reopenPort(const settingsUart_t &line)
{
    m_portSettings = line;
    if (waitForOpen([this] { emit reInitPortSignal(m_portSettings); }))
        return true;
    showPortFailure();
    return false;
}

// Only a refusal the worker reported names a cause: without its answer the
// port may well be free, and a port that opened and closed at once was not held.
void mainClass::showPortFailure()
{
    const QString name = m_srchSettings.portName;
    if (!m_openAnswered)
        return notPossible(tr("The port %1 did not open in time. Try again in a moment.").arg(name));
    switch (m_worker->lastOpenFailure()) {
    case portFailure_t::NotFound:
        return notPossible(tr("The port %1 does not exist").arg(name));
    case portFailure_t::PermissionDenied:
        return notPossible(tr("Access to the port %1 is denied: no permission to use it").arg(name));
    case portFailure_t::Busy:
        return notPossible(tr("The port %1 is busy with an external process").arg(name));
    case portFailure_t::Refused:
        return notPossible(tr("The device server %1 refused the connection: nothing listens at that port").arg(name));
    case portFailure_t::Unresolved:
        return notPossible(tr("The host of %1 is unknown: check its name").arg(name));
    case portFailure_t::Unreachable:
        return notPossible(tr("The device server %1 cannot be reached over the network").arg(name));
    case portFailure_t::TimedOut:
        return notPossible(tr("The device server %1 did not take the connection within %2 s")
                               .arg(name).arg(cEndpoint::connectTimeoutMs / 1000));
    default:
        return notPossible(tr("The port %1 cannot be opened").arg(name));
    }
}

void mainClass::closeUartPort()
{
    emit closeUartPortSignal();
}

// Without a port name there is nothing to open: say where to choose one.
bool mainClass::portChosen()
{
    if (!m_srchSettings.portName.isEmpty())
        return true;
    notPossible(tr("No port is chosen. Choose the port of the bus in the search settings."));
    return false;
}

// A search without a baud rate or a format would probe nothing and then
// report "Nothing Found".
bool mainClass::linesChosen()
{
    // A device server's line is its own: only the addresses are searched.
    if (cEndpoint(m_srchSettings.portName).isNetwork())
        return true;
    if (!srchSettings_t::anyChosen(m_srchSettings.baudFlags, lineTables::baudCount))
        notPossible(tr("No baud rate is chosen. Choose at least one in the search settings."));
    else if (!srchSettings_t::anyChosen(m_srchSettings.formatFlags, lineTables::formatCount))
        notPossible(tr("No frame format is chosen. Choose at least one in the search settings."));
    else
        return true;
    return false;
}

void mainClass::manualOpenPortSlot()
{
    if (!portChosen())
        return;
    setSearchPortSettings();
    if (!openPortAndWait())
        showPortFailure();
}

void mainClass::manualClosePortSlot()
{
    closeUartPort();
    spinUntil([this] { return !m_worker->isPortOpen(); }, portAnswerMs);
}

void mainClass::stateConectPort()
{
    m_portTimer.stop();
    const bool open = m_worker->isPortOpen();
    ui.pBtnConect->setEnabled(!open && !m_searchRunning);
    ui.pBtnDisconect->setEnabled(open && !m_searchRunning);
    m_portTimer.start();
}

void mainClass::PrintErr(QString)
{
}

// ---- search -------------------------------------------------------------

void mainClass::setIdleControls()
{
    ui.pBtnStartSrch->setEnabled(true);
    ui.pBtnPauseSrch->setEnabled(false);
    ui.pBtnStopSrch->setEnabled(false);
    ui.lbCurrStatus->setText(tr("Waiting for action"));
    ui.sBoxStartAddr->setEnabled(true);
    ui.sBoxEndAddr->setEnabled(true);
    ui.progressBar->setFormat(QStringLiteral("%p%"));
}

void mainClass::setSearchingControls()
{
    ui.pBtnStartSrch->setEnabled(false);
    ui.pBtnPauseSrch->setEnabled(true);
    ui.pBtnStopSrch->setEnabled(true);
    ui.lbCurrStatus->setText(tr("Search modules"));
    ui.sBoxStartAddr->setEnabled(false);
    ui.sBoxEndAddr->setEnabled(false);
}

void mainClass::startModuleSearchSlot()
{
    if (m_searchRunning) {
        setSearchingControls();
        ui.progressBar->setRange(ui.sBoxStartAddr->value(), ui.sBoxEndAddr->value());
        emit setContinueScanModuleSignal();
        return;
    }
    const int start = ui.sBoxStartAddr->value();
    const int end = ui.sBoxEndAddr->value();
    if (start > end)
        return notPossible(tr("The start address must not be above the end address."));
    if (!portChosen() || !linesChosen())
        return;
    setSearchPortSettings();
    if (!openPortAndWait())
        return showPortFailure();

    while (ui.tblScan->rowCount() > 0)
        ui.tblScan->removeRow(ui.tblScan->rowCount() - 1);
    ui.progressBar->setRange(start, end);
    ui.progressBar->setValue(0);
    m_foundModules.clear();
    m_searchedAt = QDateTime::currentDateTime();
    m_searchRunning = true;
    setSearchingControls();
    m_searchStop = false;
    m_addressMs = cScanEstimate::forPort(m_srchSettings.portName, m_srchSettings.baudFlags,
                                         m_srchSettings.formatFlags, m_srchSettings.timeOut, m_srchSettings.echo)
                      .addressMs();
    showTimeLeft(start - 1);

    scanRequest_t request;
    request.startAddress = quint8(start);
    request.endAddress = quint8(end);
    std::copy(std::begin(m_srchSettings.baudFlags), std::end(m_srchSettings.baudFlags),
              request.baudFlags);
    std::copy(std::begin(m_srchSettings.formatFlags), std::end(m_srchSettings.formatFlags),
              request.formatFlags);
    emit setStartScanModuleSignal(request);
}

void mainClass::pauseModuleSearchSlot()
{
    ui.pBtnStartSrch->setEnabled(true);
    ui.pBtnPauseSrch->setEnabled(false);
    ui.pBtnStopSrch->setEnabled(true);
    ui.sBoxEndAddr->setEnabled(true);
    ui.lbCurrStatus->setText(tr("Pause in search"));
    emit setPauseScanModuleSignal();
}

void mainClass::endAddressChangedSlot(int value)
{
    if (m_searchRunning)
        emit setScanEndAddressSignal(value);
}

void mainClass::stopModuleSearchSlot()
{
    const auto answer = QMessageBox::warning(this, tr("Warning"), tr("Are you sure?"),
                                             QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return;
    ui.pBtnStartSrch->setEnabled(true);
    ui.pBtnPauseSrch->setEnabled(false);
    ui.pBtnStopSrch->setEnabled(false);
    emit setStopScanModuleSignal();
    m_worker->interruptScan();
}

// The rest of the range was never probed: that must not read as "nothing there".
void mainClass::searchPortLostSlot(int address, QString baud, QString format)
{
    const QString text = tr("The port %1 was lost at address %2, %3.\nThe search is incomplete: "
                            "from address %2 on nothing was searched. Modules found: %4.")
                             .arg(m_srchSettings.portName, QString::number(address), lineText(baud, format))
                             .arg(ui.tblScan->rowCount());
    endSearchEarly(QMessageBox::Critical, tr("Search Incomplete"), text);
}

// Where it stopped, so that the rest of the range does not read as searched.
void mainClass::searchStoppedSlot(int address, QString baud, QString format)
{
    const QString text = tr("The search was stopped at address %1, %2.\nThe search is incomplete: the "
                            "rest of the range was not searched. Modules found: %3.")
                             .arg(QString::number(address), lineText(baud, format))
                             .arg(ui.tblScan->rowCount());
    endSearchEarly(QMessageBox::Information, tr("Search Stopped"), text);
}

// The worker names no line where the device server sets it.
QString mainClass::lineText(const QString &baud, const QString &format) const
{
    return baud.isEmpty() ? tr("on the device server's line") : baud + QLatin1Char(' ') + format;
}

// The rows found so far stay; the message is left out when the end was asked
// for quietly (closing, opening a module).
void mainClass::endSearchEarly(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    m_searchRunning = false;
    setIdleControls();
    if (!m_searchStop)
        showCloseMessage(this, icon, title, text, tr("Close"));
}

// Reports of a search whose end was already told change nothing.
void mainClass::setScanProgressValue(int value)
{
    if (!m_searchRunning)
        return;
    ui.progressBar->setValue(value);
    showTimeLeft(value);
    if (m_searchStop) {
        setIdleControls();
        m_searchRunning = false;
        return;
    }
    // The worker's last report always carries the end address it ended at.
    if (value != ui.sBoxEndAddr->value())
        return;
    const int rows = ui.tblScan->rowCount();
    const QString text = rows == 0 ? tr("Nothing Found") : tr("Found Devices: %1").arg(rows);
    showCloseMessage(this, QMessageBox::Information, tr("Search Completed"), text, tr("Close"));
    ui.progressBar->setValue(0);
    setIdleControls();
    m_searchRunning = false;
}

// As estimated where nothing answers; the end address may move meanwhile.
void mainClass::showTimeLeft(int lastDone)
{
    const qint64 ms = m_addressMs * qMax(0, ui.sBoxEndAddr->value() - lastDone);
    ui.progressBar->setFormat(tr("%p% - about %1 left").arg(cScanEstimate::duration(ms)));
}

void mainClass::setCurrentInform(QString port, QString address, QString baud, QString format)
{
    ui.lbNuComPort->setText(port);
    ui.lbAddrDev->setText(address);
    ui.lbBdrDev->setText(baud);
    ui.lbCfgDev->setText(format);
}

void mainClass::addModuleToTableSlot(scan_return_t module)
{
    QTableWidget *table = ui.tblScan;
    const int row = table->rowCount();
    const QString description = cScanReport::description(module);
    const QString serverLine = tr("set by the device server");
    const QString cells[7] = {
        QString::number(row + 1),
        QString::number(module.address),
        QStringLiteral("VRD-%1").arg(module.moduleType),
        QStringLiteral("%1").arg(module.moduleVariant, 2, 10, QLatin1Char('0')),
        module.serverLine ? serverLine : lineTables::baudText(module.baudIndex),
        module.serverLine ? serverLine : lineTables::formatText(module.formatIndex),
        description,
    };
    m_foundModules.append(module);
    table->insertRow(row);
    for (int c = 0; c < 7; ++c)
        table->setItem(row, c, centredItem(cells[c]));
}

int mainClass::checkModuleAddress(quint16 address, quint16 row) const
{
    if (m_foundModules.isEmpty())
        return 0;
    for (int i = 0; i < m_foundModules.size(); ++i)
        if (i != row && m_foundModules[i].address == address)
            return 1;
    return 2;
}

// ---- opening a found module ----------------------------------------------

// Ends a running search without the completion message and waits for the
// worker's end report.
void mainClass::endSearchQuietly()
{
    if (!m_searchRunning)
        return;
    m_searchStop = true;
    emit setStopScanModuleSignal();
    m_worker->interruptScan();
    waitFor([this] { return !m_searchRunning; }, searchEndMs);
}

void mainClass::callSettingsDialog(QTableWidgetItem *)
{
    const int row = cChannelSelection::selectedRow(ui.tblScan, this);
    if (row < 0)
        return;
    m_selectedRow = row;
    settingsUart_t line = m_portSettings;
    endSearchQuietly();

    const QTableWidget *t = ui.tblScan;
    m_selectedAddress = quint8(t->item(row, 1)->text().toUInt());
    const quint8 variant = quint8(t->item(row, 3)->text().toUInt());
    const QRegularExpressionMatch digits =
        QRegularExpression(QStringLiteral("(\\d+)")).match(t->item(row, 2)->text());
    if (!digits.hasMatch())
        return;
    const quint16 model = quint16(digits.captured(1).toUInt());
    // None to take where the device server sets the line.
    const int baud = t->item(row, 4)->text().toInt();
    if (baud > 0)
        line.baudRate = baud;
    const int format = lineTables::formatIndexOf(t->item(row, 5)->text());
    if (format >= 0) {
        line.parity = lineTables::formats[format].parity;
        line.stopBits = lineTables::formats[format].stopBits;
    }
    m_portSettings = line;
    emit reInitPortSignal(m_portSettings);
    if (model == cUart::moduleWithImage)
        execModuleDialog(variant, model);
    emit reInitPortSignal(m_portSettings);
}

void mainClass::execModuleDialog(quint8 variant, quint16 model)
{
    cDlgVrd_3310 dialog(variant, this, this);
    dialog.setWindowFlags(dialog.windowFlags() | Qt::Window);
    dialog.setModal(true);
    dialog.setModuleInfo(m_selectedAddress, model);
    dialog.setPortPrm(m_portSettings, m_selectedRow);
    dialog.exec();
}

// ---- relays for the module dialog ----------------------------------------

void mainClass::followModule(int row, quint8 address, const settingsUart_t &line)
{
    m_portSettings = line;
    emit reInitPortSignal(m_portSettings);
    if (row >= m_foundModules.size())
        return;
    scan_return_t &module = m_foundModules[row];
    // The device server's line is set on the device server, not followed here.
    if (module.serverLine) {
        module.address = address;
        ui.tblScan->item(row, 1)->setText(QString::number(address));
        return;
    }
    const int baud = lineTables::baudIndexOf(line.baudRate);
    const int format = lineTables::formatIndexOf(line.parity, line.stopBits);
    module.address = address;
    if (baud >= 0)
        module.baudIndex = quint8(baud);
    if (format >= 0) {
        module.formatIndex = quint8(format);
        module.stopBits = lineTables::formats[format].stopBitCount;
        module.parityCode = lineTables::formats[format].parityCode;
    }
    QTableWidget *t = ui.tblScan;
    t->item(row, 1)->setText(QString::number(address));
    t->item(row, 4)->setText(QString::number(line.baudRate));
    t->item(row, 5)->setText(lineTables::formatText(module.formatIndex));
}

// ---- found modules out of the program, bus traffic ------------------------

bool mainClass::saveFoundModules(const QString &path) const
{
    QFile file(cScanReport::csvFileName(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray text = cScanReport::csv(m_foundModules, m_srchSettings.portName, m_searchedAt);
    return file.write(text) == text.size() && file.flush();
}

void mainClass::saveFoundModulesAs()
{
    if (m_foundModules.isEmpty())
        return notPossible(tr("There is nothing to save: no module has been found."));
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Found Modules"), QString(),
                                                      tr("CSV (*.csv)"));
    if (!path.isEmpty() && !saveFoundModules(path))
        notPossible(tr("The file %1 cannot be written.").arg(cScanReport::csvFileName(path)));
}

// Tab-separated, as spreadsheets paste it.
QString mainClass::selectedRowsText() const
{
    const QTableWidget *t = ui.tblScan;
    QStringList lines;
    for (int r : selectedRows()) {
        QStringList cells;
        for (int c = 0; c < t->columnCount(); ++c)
            cells << t->item(r, c)->text();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

QList<int> mainClass::selectedRows() const
{
    QList<int> rows;
    for (int r = 0; r < ui.tblScan->rowCount(); ++r)
        if (ui.tblScan->item(r, 0) && ui.tblScan->item(r, 0)->isSelected())
            rows << r;
    return rows;
}

bool mainClass::isReporting() const
{
    return m_collector && m_collector->isBusy();
}

bool mainClass::startServiceReport(const QString &path)
{
    if (m_searchRunning || isReporting()) {
        notPossible(tr("A report reads the modules: wait until the search has ended."));
        return false;
    }
    if (!m_collector) {
        m_collector = new cReportCollector(m_worker, this);
        connect(m_collector, &cReportCollector::collected, this, &mainClass::writeServiceReport);
        m_reportProgress = new QProgressDialog(tr("Reading the modules for the report..."), QString(), 0, 0, this);
        m_reportProgress->setWindowModality(Qt::WindowModal);
        m_reportProgress->setCancelButton(nullptr);
        m_reportProgress->reset();
    }
    m_reportPath = path;
    QList<scan_return_t> modules;
    for (int row : selectedRows())
        modules << m_foundModules.value(row);
    cServiceReport report = cServiceReport::ofSearch(m_foundModules);
    report.port = m_srchSettings.portName;
    report.line = cServiceReport::searchedLines(m_srchSettings.baudFlags, m_srchSettings.formatFlags);
    settingsUart_t port;
    port.portName = m_srchSettings.portName;
    port.replyTimeout = m_srchSettings.timeOut;
    m_portOpenBeforeReport = m_worker->isPortOpen();
    m_reportProgress->show();
    m_collector->collect(report, modules, port);
    return true;
}

void mainClass::writeServiceReport(const cServiceReport &report)
{
    m_reportProgress->reset();
    restorePortAfterReport();
    QString error;
    if (!cReportWriter::write(m_reportPath, report, &error))
        notPossible(tr("The report cannot be written: %1").arg(error));
}

void mainClass::restorePortAfterReport()
{
    if (m_portOpenBeforeReport)
        return emit reInitPortSignal(m_portSettings);
    emit closeUartPortSignal();
}

void mainClass::serviceReportAs()
{
    if (selectedRows().isEmpty())
        return notPossible(tr("Select the modules to report in the table of found modules."));
    QString filter;
    const QString path = QFileDialog::getSaveFileName(this, tr("Service Report"), QString(),
                                                      cReportWriter::fileFilter(), &filter);
    if (!path.isEmpty())
        startServiceReport(cReportWriter::fileName(path, filter));
}

void mainClass::copySelectedRows()
{
    QApplication::clipboard()->setText(selectedRowsText());
}

void mainClass::openBusMonitor()
{
    m_busMonitor.show(m_worker);
}

void mainClass::sendRdMultStateModule(QList<query_info_t> batch)
{
    emit setRdMultStateModule_Signal(batch);
}

void mainClass::sendWrStateModule(query_info_t query)
{
    emit setWrStateModule_Signal(query);
}

void mainClass::sendWrMultStateModule(QList<query_info_t> batch)
{
    emit setWrMultStateModule_Signal(batch);
}

// ---- settings, help, about, exit ------------------------------------------

void mainClass::srchSettingsDialog()
{
    // Not modal and no waiting loop: the window stays usable and the result
    // arrives with the dialog's accepted() signal.
    if (m_srchDialog) {
        m_srchDialog->raise();
        m_srchDialog->activateWindow();
        return;
    }
    m_srchDialog = new cSrchSettings(m_srchSettings, this);
    m_srchDialog->setAddressCount(ui.sBoxEndAddr->value() - ui.sBoxStartAddr->value() + 1);
    m_srchDialog->setWindowFlags(m_srchDialog->windowFlags() | Qt::Window);
    m_srchDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_srchDialog, &QDialog::accepted, this, &mainClass::takeSrchSettingsSlot);
    m_srchDialog->show();
}

// Values the store held were replaced: the user must know what is used.
void mainClass::tellSettingsNotes(const QStringList &notes)
{
    if (notes.isEmpty())
        return;
    const QString text = tr("The stored search settings could not be used as they were:\n%1\n"
                            "Confirm the search settings to store what is used now.")
                             .arg(notes.join(QLatin1Char('\n')));
    showCloseMessage(this, QMessageBox::Warning, tr("Search Settings"), text, tr("Close"));
}

void mainClass::takeSrchSettingsSlot()
{
    if (!m_srchDialog)
        return;
    m_srchSettings = m_srchDialog->getSrchSettings();
    cSrchSettingsStore::saveSrchSettings(m_srchSettings);
}

void mainClass::execCallHelpSlot()
{
    cHelpDocument::open(this);
}

QString mainClass::aboutText() const
{
    return tr("Version %1 from %2")
               .arg(QStringLiteral("2.01.02FV "), tr("Mar 30 2022"))
        + tr("\n\nThis program build with Qt library, that using under the GNU LGPL version 2.1");
}

void mainClass::aboutSlot()
{
    QMessageBox box(QMessageBox::Information, tr("About zt programm"), aboutText(), QMessageBox::Ok,
                    this);
    box.setDefaultButton(static_cast<QPushButton *>(nullptr));
    box.exec();
}

void mainClass::exitFromApplication()
{
    close();
}

void mainClass::closeEvent(QCloseEvent *event)
{
    const auto answer = QMessageBox::warning(this, tr("Warning"), tr("Are you sure?"),
                                             QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel) {
        event->ignore();
        return;
    }
    endSearchQuietly();
    closeUartPort();
    spinUntil([this] { return !m_worker->isPortOpen(); }, portAnswerMs);
    if (m_srchDialog)
        m_srchDialog->close();
    event->accept();
}
