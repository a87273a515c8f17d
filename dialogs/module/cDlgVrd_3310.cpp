#include "cDlgVrd_3310.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QThread>
#include <QToolButton>

#include "cChannelSelection.h"
#include "cConfigModuleActions.h"
#include "cEndpoint.h"
#include "cLinkStatsLabel.h"
#include "cModBusFunctions.h"
#include "cShareFunction.h"
#include "cUart.h"
#include "closeMessage.h"
#include "lineTables.h"
#include "mainClass.h"

namespace {

constexpr int pollIntervalMs = 100;
constexpr int ledShowMs = 300;
constexpr int staleAfterFailedPolls = 3;
constexpr int settleBeforeWriteMs = 50;
// The longest a poll batch can take: per request a reply time-out after up to
// four spent letting a late reply pass, plus the rests between requests.
constexpr int maxBatchRequests = 6;
constexpr int waitsPerRequest = 5;
constexpr int restPerRequestMs = 50;
constexpr int closingMarginMs = 1000;
constexpr int ptVariant100 = 2;
const char *const sensorIdPattern = "[0]{1,1}[x]{1,1}[A-Fa-f0-9]{1,16}";
const char *const selectionStyle = "selection-color: black; selection-background-color: lightGray;";

struct pollBlock_t
{
    quint16 function;
    quint16 startReg;
    quint16 count;
};

// The register blocks polled for each view (see currentView()).
QList<pollBlock_t> blocksFor(int view)
{
    switch (view) {
    case 0: return {{3, 1582, 2}};
    case 1: return {{3, 1583, 3}, {4, 1009, 2}, {4, 1111, 5}, {4, 1120, 1}};
    case 10: return {{3, 174, 8}, {4, 1116, 1}, {4, 0, 8}, {4, 58, 16}, {3, 1589, 1}};
    case 20: return {{3, 464, 8}, {3, 1596, 4}};
    case 30: return {{4, 585, 8}, {4, 747, 4}, {3, 1317, 4}, {3, 1371, 4}, {3, 1593, 3}};
    case 40: return {{4, 801, 4}, {4, 957, 2}, {3, 1445, 2}, {3, 1590, 3}};
    case 50: return {{3, 522, 10}, {3, 742, 5}, {3, 797, 10}, {3, 1600, 4}, {4, 290, 5}};
    case 60: return {{4, 345, 20}, {3, 1257, 10}, {3, 1017, 20}, {3, 1137, 20}};
    default: return {};
    }
}

// Registers that hold one bit per channel; a write changes only its
// channel's bit of the value the module last reported.
bool isMaskRegister(quint16 reg)
{
    return reg == 1589 || (reg >= 1590 && reg <= 1603 && reg != 1597);
}

struct tagLed_t
{
    quint8 tag;
    QLabel *Ui::vrd3310_Settings::*led;
};

// Which LED answers which write.
const tagLed_t tagLeds[] = {
    {3, &Ui::vrd3310_Settings::lbInterAcceptLed_3110},
    {5, &Ui::vrd3310_Settings::lbSafToutLed_3110},
    {6, &Ui::vrd3310_Settings::lbWdtToutLed_3110},
    {7, &Ui::vrd3310_Settings::lbSetFactoryLed_3110},
    {8, &Ui::vrd3310_Settings::lbAoSafLeveLed_3110},
    // The slider's write shares the level's LED, so that its failure shows.
    {10, &Ui::vrd3310_Settings::lbAoCurrLvlLed_3110},
    {11, &Ui::vrd3310_Settings::lbAoSafModeLed_3110},
    {12, &Ui::vrd3310_Settings::lbAoCurrLvlLed_3110},
    {13, &Ui::vrd3310_Settings::lbPtModeLed_3110},
    {14, &Ui::vrd3310_Settings::lbPtSensTypeLed_3110},
    {15, &Ui::vrd3310_Settings::lbPtSetNegValLed_3110},
    {17, &Ui::vrd3310_Settings::lbPtSetPosValLed_3110},
    {19, &Ui::vrd3310_Settings::lbPtExecCalibrlLed_3110},
    {20, &Ui::vrd3310_Settings::lbAiModeLed_3110},
    {21, &Ui::vrd3310_Settings::lbAiGetDownValLed_3110},
    {22, &Ui::vrd3310_Settings::lbAiGetUpValLed_3110},
    {24, &Ui::vrd3310_Settings::lbAiExecCalibrlLed_3110},
    {25, &Ui::vrd3310_Settings::lbAoModeLed_3110},
    {26, &Ui::vrd3310_Settings::lbRealAoDownPointLed_3110},
    {27, &Ui::vrd3310_Settings::lbRealAoUpPointLed_3110},
    {28, &Ui::vrd3310_Settings::lbAoExecCalibrlLed_3110},
    {29, &Ui::vrd3310_Settings::lbDoSetSafModeLed_3110},
    {30, &Ui::vrd3310_Settings::lbDoSetSafLvllLed_3110},
    {31, &Ui::vrd3310_Settings::lbDiModelLed_3110},
    {34, &Ui::vrd3310_Settings::lbDiResCounterLed_3110},
    {35, &Ui::vrd3310_Settings::lbDoModeLed_3110},
    {36, &Ui::vrd3310_Settings::lbDoNormLed_3110},
    {38, &Ui::vrd3310_Settings::lbDtSetIdLed_3110},
    {39, &Ui::vrd3310_Settings::lbDtSetPollModeLed_3110},
};

} // namespace

cDlgVrd_3310::cDlgVrd_3310(quint8 moduleVariant, mainClass *owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_modbus(owner->modbus())
    , m_moduleVariant(moduleVariant)
{
    ui.setupUi(this);
    ui.labelStat1->hide();
    m_linkState = new QLabel(this);
    m_linkState->setObjectName(QStringLiteral("lbLinkState_3110"));
    m_linkState->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    m_linkState->hide();
    m_reconnect = new QPushButton(tr("Reconnect"), this);
    m_reconnect->setObjectName(QStringLiteral("pBtReconnect_3110"));
    m_reconnect->hide();
    connect(m_reconnect, &QPushButton::clicked, this, &cDlgVrd_3310::reconnectSlot);
    auto *linkRow = new QHBoxLayout;
    linkRow->addWidget(m_linkState);
    linkRow->addWidget(m_reconnect);
    linkRow->addStretch();
    setupReport(linkRow);
    ui.gridLayout_main->addLayout(linkRow, 1, 0);
    auto *monitor = new QToolButton(this);
    monitor->setObjectName(QStringLiteral("pBtBusMonitor_3110"));
    monitor->setText(tr("Bus"));
    monitor->setToolTip(tr("Bus traffic"));
    monitor->setAutoRaise(true);
    setupPtVariant();
    QToolButton *config = (new cConfigModuleActions(this, m_owner))->button();
    config->adjustSize();
    // In the free end of the tab bar's row; as its corner widget it would
    // squeeze the tabs into a scrolling bar. Longer titles (English) widen
    // the dialog rather than run under it.
    monitor->adjustSize();
    const int edge = ui.gridLayout_main->contentsMargins().left();
    const int row = edge + ui.tabMain_3110->tabBar()->sizeHint().width() + 3 * edge + monitor->width()
        + config->width();
    if (row > width())
        setFixedWidth(row);
    monitor->move(width() - monitor->width() - edge, edge);
    monitor->raise();
    config->move(monitor->x() - config->width() - edge, edge);
    config->raise();
    // The main window's one monitor, usable beside this dialog while it is up.
    connect(monitor, &QToolButton::clicked, m_owner, &mainClass::openBusMonitor);
    m_owner->busMonitor().accompany(this);

    m_pixOk.load(QStringLiteral(":/mainClass/ICO/ok.png"));
    m_pixErr.load(QStringLiteral(":/mainClass/ICO/err.png"));
    m_pixWait.load(QStringLiteral(":/mainClass/ICO/wait.png"));
    m_byteOrderList = cShareFunction::byteOrderList();
    m_parityList = cShareFunction::parityList();
    m_ptCalibrStatusList = cShareFunction::ptCalibrStatusList();
    m_aiCalibrStatusList = cShareFunction::aiCalibrStatusList();
    m_aoCalibrStatusList = cShareFunction::aoCalibrStatusList();
    setupCalibrPanels();

    setupWidgets();
    describeTables();
    for (const tableInfo_t &info : qAsConst(m_tableInfo)) {
        const bool general = info.table == ui.tblInterPrm_3110 || info.table == ui.tblSysPrm_3110;
        cShareFunction::initTable(info.table, m_tableInfo, !general);
    }
    connectSignals();
    m_sensorIdValidator = new QRegularExpressionValidator(
        QRegularExpression(QLatin1String(sensorIdPattern)), this);
    ui.lEditDtSensID_3110->setValidator(m_sensorIdValidator);
    for (QDoubleSpinBox *box : {ui.dSpBoxAOSafLvl_3110, ui.dSpBoxAoCurrLvl_3110,
                                ui.dSpBoxRealAoDownPoint_3110, ui.dSpBoxRealAoUpPoint_3110})
        box->installEventFilter(this);

    // The rest between polls is a minimum: a coarse timer may fire 5 % early.
    m_pollTimer.setTimerType(Qt::PreciseTimer);
    m_pollTimer.setInterval(pollIntervalMs);
    m_pollTimer.start();
}

// A Pt100 has a tenth of a Pt1000's resistance: its calibration points and
// their ranges scale with it, or the boxes would clamp the presets.
void cDlgVrd_3310::setupPtVariant()
{
    const bool pt100 = m_moduleVariant == ptVariant100;
    ui.tabMain_3110->setTabText(3, pt100 ? tr("Pt100 Channels") : tr("Pt1000 Channels"));
    if (pt100) {
        for (QDoubleSpinBox *box : {ui.dSpBoxPtNegCalibrValue_3110, ui.dSpBoxPtPosCalibrValue_3110})
            box->setRange(box->minimum() / 10, box->maximum() / 10);
    }
    ui.dSpBoxPtNegCalibrValue_3110->setValue(pt100 ? 94.282 : 942.82);
    ui.dSpBoxPtPosCalibrValue_3110->setValue(pt100 ? 199.523 : 1995.23);
}

// An outstanding poll is answered before the dialog goes, so that a write the
// user asked for while it was out still reaches the module.
cDlgVrd_3310::~cDlgVrd_3310()
{
    m_pollTimer.stop();
    const int replyTimeout = cEndpoint(m_portPrm.portName).replyTimeout(m_portPrm.replyTimeout);
    const int perRequest = waitsPerRequest * replyTimeout + restPerRequestMs;
    waitEndOfPoll(maxBatchRequests * perRequest + closingMarginMs);
}

void cDlgVrd_3310::setModuleInfo(quint8 address, quint16 modelCode)
{
    m_moduleAddr = address;
    m_modelCode = modelCode;
    updateTitle();
}

void cDlgVrd_3310::setPortPrm(settingsUart_t prm, int row)
{
    m_portPrm = prm;
    m_tableRow = row;
    updateTitle();
}

void cDlgVrd_3310::updateTitle()
{
    if (cEndpoint(m_portPrm.portName).isNetwork())
        return setWindowTitle(tr("VRD-%1 at address %2 - %3").arg(m_modelCode).arg(m_moduleAddr).arg(m_portPrm.portName));
    const int format = lineTables::formatIndexOf(m_portPrm.parity, m_portPrm.stopBits);
    setWindowTitle(tr("VRD-%1 at address %2 - %3, %4 %5")
                       .arg(m_modelCode)
                       .arg(m_moduleAddr)
                       .arg(m_portPrm.portName, QString::number(m_portPrm.baudRate),
                            lineTables::formatText(format)));
}

void cDlgVrd_3310::setupWidgets()
{
    for (QComboBox *box : findChildren<QComboBox *>()) {
        box->setStyleSheet(QLatin1String(selectionStyle));
        cShareFunction::paintComboRows(box);
    }
    for (QAbstractSpinBox *box : findChildren<QAbstractSpinBox *>())
        box->setStyleSheet(QLatin1String(selectionStyle));
    for (QTableWidget *table : findChildren<QTableWidget *>()) {
        table->horizontalHeader()->setHighlightSections(false);
        table->verticalHeader()->setVisible(false);
        table->setStyleSheet(QLatin1String(selectionStyle));
        table->verticalHeader()->setDefaultSectionSize(table->font().pointSize() + 10);
        table->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
        table->horizontalHeader()->setDefaultAlignment(Qt::AlignHCenter);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setColumnWidth(0, 65);
    }
}

void cDlgVrd_3310::describeTables()
{
    const auto describe = [this](QTableWidget *table, const QStringList &labels, int firstWidth) {
        table->horizontalHeader()->setMinimumSectionSize(qMin(firstWidth, 30));
        table->setColumnWidth(0, firstWidth);
        m_tableInfo.append(tableInfo_t{table, int(labels.size()), table->columnCount(), labels});
    };
    const auto channels = [](int n) {
        QStringList labels;
        for (int i = 0; i < n; ++i)
            labels << QString::number(i);
        return labels;
    };
    describe(ui.tblInterPrm_3110,
             {tr("Baud Rate"), tr("Stop Bits"), tr("Parity"), tr("ModBus Mode"), tr("Byte Order"),
              tr("ModBus Slave address")},
             130);
    describe(ui.tblSysPrm_3110,
             {tr("Safety TimeOut"), tr("WDT TimeOut"), tr("Module Name"), tr("Version Number"),
              tr("Version Date"), tr("MCU Temperature"), tr("Manufactured Version")},
             130);
    describe(ui.tblDoSafetyPrm_3110, channels(8), 65);
    describe(ui.tblPtPrm_3110, channels(4), 65);
    describe(ui.tblAiPrm_3110, channels(2), 65);
    describe(ui.tblAoSet_3110, channels(5), 65);
    describe(ui.tblDtPrm_3110, channels(10), 65);
    describe(ui.tblDiModeSettings_3110, channels(8), 65);
}

void cDlgVrd_3310::connectSignals()
{
    connectChannelTabs();
    connect(ui.pBtInterAccept_3110, &QPushButton::clicked, this, &cDlgVrd_3310::initInterAcceptSlot);
    connect(ui.pBtSafTout_3110, &QPushButton::clicked, this, &cDlgVrd_3310::initSetSafToutSlot);
    connect(ui.pBtWdtTout_3110, &QPushButton::clicked, this, &cDlgVrd_3310::initSetWdtToutSlot);
    connect(ui.cBoxSafeActive_3110, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &cDlgVrd_3310::initActiveResSafetySlot);
    connect(ui.pBtSetFactory_3110, &QPushButton::clicked, this, &cDlgVrd_3310::initSetFactorySlot);
    connect(m_owner->worker(), &cUart::readModuleEnd_Signal, this, &cDlgVrd_3310::updateGuiData_Slot);
    connect(m_owner->worker(), &cUart::writeModuleEnd_Signal, this, &cDlgVrd_3310::writeDataOk_Slot);
    connect(&m_pollTimer, &QTimer::timeout, this, &cDlgVrd_3310::sendQueryToPort);
}

bool cDlgVrd_3310::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::Resize && m_linkStatsLabel && object == m_linkStatsLabel->parentWidget())
        m_linkStatsLabel->resize(static_cast<QResizeEvent *>(event)->size());
    // The AO values take a decimal point only; a comma would be dropped
    // silently by the spin box's validator anyway.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Comma)
        return true;
    return QDialog::eventFilter(object, event);
}

void cDlgVrd_3310::notPossible(const QString &text)
{
    showCloseMessage(this, QMessageBox::Critical, tr("Operation not posible"), text, tr("Close"));
}

// ---- poll cycle ---------------------------------------------------------

int cDlgVrd_3310::currentView() const
{
    const int tab = ui.tabMain_3110->currentIndex();
    return tab == 0 ? ui.tabGeneral_3110->currentIndex() : tab * 10;
}

query_info_t cDlgVrd_3310::request(quint16 function, quint16 startReg, quint16 count,
                                   quint16 value) const
{
    query_info_t q;
    q.function = function;
    q.address = m_moduleAddr;
    q.startReg = startReg;
    q.count = count;
    q.value = value;
    q.moduleType = m_modelCode;
    return q;
}

QList<query_info_t> cDlgVrd_3310::pollBatch() const
{
    QList<query_info_t> batch;
    for (const pollBlock_t &b : blocksFor(viewToPoll()))
        batch << request(b.function, b.startReg, b.count);
    if (m_diagPollOn)
        batch << request(8, 0, 1, 111);
    return batch;
}

void cDlgVrd_3310::sendQueryToPort()
{
    if (!m_pollDone)
        return;
    m_pollTimer.stop();
    const QList<query_info_t> batch = pollBatch();
    if (batch.isEmpty()) {
        m_pollTimer.start();
        return;
    }
    m_polledView = viewToPoll();
    m_owner->sendRdMultStateModule(batch);
    m_pollDone = false;
}

// Only an answer to a poll of what is on view now is drawn, and only a poll
// of a mask's own tab tells what the module holds there.
void cDlgVrd_3310::updateGuiData_Slot(int result)
{
    if (m_pollDone)
        return;
    notePollResult(result);
    if (result == MB_OK && m_polledView == currentView()) {
        rememberMasks(m_polledView);
        redraw(m_polledView);
    }
    takeReportAnswer(result);
    finishPoll();
}

void cDlgVrd_3310::redraw(int view)
{
    switch (view) {
    case 0:
    case 1: return updateGenData(view);
    case 10: return updateDiData();
    case 20: return updateDoData();
    case 30: return updatePtData();
    case 40: return updateAiData();
    case 50: return updateAoData();
    case 60: return updateOwData();
    default: return;
    }
}

void cDlgVrd_3310::rememberMasks(int view)
{
    for (const pollBlock_t &b : blocksFor(view)) {
        if (b.function != 3)
            continue;
        for (quint16 reg = b.startReg; reg < b.startReg + b.count; ++reg)
            if (isMaskRegister(reg))
                m_masks.insert(reg, m_modbus->getRegister(reg));
    }
}

// A module that stops answering leaves its last values on screen: say so,
// and since when, until it answers again. A lost port is no silent module.
void cDlgVrd_3310::notePollResult(int result)
{
    m_portLost = result == MB_ERR_PORT_CLOSED;
    if (result == MB_OK) {
        m_failedPolls = 0;
        m_factoryReset = false;
    } else if (m_failedPolls++ == 0) {
        m_silentSince = QDateTime::currentDateTime();
    }
    showLinkState(m_failedPolls >= staleAfterFailedPolls);
}

QString cDlgVrd_3310::linkStateText() const
{
    if (m_portLost && cEndpoint(m_portPrm.portName).isNetwork())
        return tr("The link to %1 was lost: nothing reaches the module. Reconnect once the device server "
                  "is back.").arg(m_portPrm.portName);
    if (m_portLost)
        return tr("The port %1 was lost: nothing reaches the module. Reconnect once the port is back.")
            .arg(m_portPrm.portName);
    if (m_factoryReset)
        return factoryResetText();
    return tr("No answer from the module since %1: the values shown are not current.")
        .arg(m_silentSince.toString(QStringLiteral("HH:mm:ss")));
}

void cDlgVrd_3310::showLinkState(bool stale)
{
    m_linkState->setText(linkStateText());
    m_linkState->setVisible(stale || m_portLost);
    m_reconnect->setVisible(m_portLost);
    if (stale == m_stale)
        return;
    m_stale = stale;
    // The colour only: a style sheet would restyle the headers and fonts too.
    for (QTableWidget *table : findChildren<QTableWidget *>()) {
        QPalette colours = table->palette();
        colours.setColor(QPalette::Text, stale ? QColor(Qt::gray) : palette().color(QPalette::Text));
        table->setPalette(colours);
    }
}

// The writes that waited for this poll go out now; otherwise polling goes on.
void cDlgVrd_3310::finishPoll()
{
    m_pollDone = true;
    handOverPending();
    if (m_writesInFlight.isEmpty() && m_pendingWrites.isEmpty())
        m_pollTimer.start();
}

bool cDlgVrd_3310::waitEndOfPoll(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_pollDone) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(5);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}

// The port the dialog talks on, opened again once it is back; polling has
// gone on meanwhile and picks up at once.
void cDlgVrd_3310::reconnectSlot()
{
    if (!m_owner->reopenPort(m_portPrm))
        return;
    m_portLost = false;
    showLinkState(m_stale);
}

// ---- write cycle --------------------------------------------------------

// Stops polling and sends the write once no poll is out, so that a poll
// answer cannot overwrite the new values in the register image before the
// worker has taken them.
void cDlgVrd_3310::runWriteCycle(quint8 tag, const QList<query_info_t> &batch,
                                 const std::function<void()> &storeValues)
{
    runWriteCycle(pendingWrite_t{tag, batch, storeValues});
}

void cDlgVrd_3310::runWriteCycle(pendingWrite_t write)
{
    m_pollTimer.stop();
    QThread::msleep(settleBeforeWriteMs);
    m_pendingWrites.enqueue(std::move(write));
    if (m_pollDone)
        handOverPending();
}

// Writes behind one that moves the module wait for its answer, so that they
// go to wherever the module is then.
void cDlgVrd_3310::handOverPending()
{
    while (!m_pendingWrites.isEmpty() && !m_moving)
        handOver(m_pendingWrites.dequeue());
}

// Each write counts as in flight only from here on: the worker answers in
// the order the writes were handed to it.
void cDlgVrd_3310::handOver(pendingWrite_t write)
{
    for (query_info_t &query : write.batch)
        query.address = m_moduleAddr;
    write.storeValues();
    m_moving = write.movesModule;
    m_writesInFlight.enqueue(write);
    if (write.batch.size() == 1)
        m_owner->sendWrStateModule(write.batch.first());
    else
        m_owner->sendWrMultStateModule(write.batch);
}

QLabel *cDlgVrd_3310::ledFor(quint8 tag) const
{
    for (const tagLed_t &entry : tagLeds)
        if (entry.tag == tag)
            return ui.*entry.led;
    return nullptr;
}

// A second answer within a show starts the show anew: only the latest one's
// timer puts the wait picture back.
void cDlgVrd_3310::flashLed(QLabel *led, bool ok)
{
    led->setPixmap(ok ? m_pixOk : m_pixErr);
    const quint32 show = ++m_ledShows[led];
    QTimer::singleShot(ledShowMs, led, [this, led, show] {
        if (m_ledShows.value(led) == show)
            led->setPixmap(m_pixWait);
    });
}

void cDlgVrd_3310::writeDataOk_Slot(int result)
{
    if (m_writesInFlight.isEmpty())
        return;
    const pendingWrite_t write = m_writesInFlight.dequeue();
    const bool ok = result == MB_OK;
    if (m_portLost != (result == MB_ERR_PORT_CLOSED)) {
        m_portLost = !m_portLost;
        showLinkState(m_stale);
    }
    if (write.answered)
        write.answered(ok);
    if (write.movesModule)
        m_moving = false;
    answerCalibrPanels(write.tag, ok);
    if (QLabel *led = ledFor(write.tag))
        flashLed(led, ok);
    handOverPending();
    if (m_writesInFlight.isEmpty() && m_pendingWrites.isEmpty() && m_pollDone)
        m_pollTimer.start();
}

void cDlgVrd_3310::answerCalibrPanels(quint8 tag, bool ok)
{
    for (cCalibrPanel *panel : {m_ptCalibr.get(), m_aiCalibr.get(), m_aoCalibr.get()})
        panel->answer(tag, ok);
}

// ---- shared pieces of the channel tabs --------------------------------------

void cDlgVrd_3310::connectChannelTabs()
{
    const auto clicked = [this](QPushButton *button, void (cDlgVrd_3310::*slot)()) {
        connect(button, &QPushButton::clicked, this, slot);
    };
    // A row highlighted by mouse or keyboard loads its channel into the editors.
    const auto rowClicked = [this](QTableWidget *table, void (cDlgVrd_3310::*slot)(QTableWidgetItem *)) {
        connect(table, &QTableWidget::itemClicked, this, slot);
        connect(table, &QTableWidget::itemSelectionChanged, this, [this, table, slot] { (this->*slot)(nullptr); });
        m_editorLoaders.insert(table, slot);
    };
    rowClicked(ui.tblDiModeSettings_3110, &cDlgVrd_3310::setDiModePrmForEdit);
    clicked(ui.pBtDiMode_3110, &cDlgVrd_3310::initSetDiModeSlot);
    clicked(ui.pBtDiResCounter_3110, &cDlgVrd_3310::initResetDiCounterSlot);
    rowClicked(ui.tblDoSafetyPrm_3110, &cDlgVrd_3310::setDioPrmForEdit);
    clicked(ui.pBtDoMode_3110, &cDlgVrd_3310::initSetDoModeSlot);
    clicked(ui.pBtDoNormalState_3110, &cDlgVrd_3310::initSetDoNormalSlot);
    clicked(ui.pBtDoSetSafLevel_3110, &cDlgVrd_3310::initSetSafLevelDoSlot);
    clicked(ui.pBtDoSetSafMode_3110, &cDlgVrd_3310::initSetSafModeDoSlot);
    rowClicked(ui.tblPtPrm_3110, &cDlgVrd_3310::setPtPrmForEdit);
    clicked(ui.pBtPtMode_3110, &cDlgVrd_3310::initSetPtModeSlot);
    clicked(ui.pBtPtSensType_3110, &cDlgVrd_3310::initSetPtSensSlot);
    clicked(ui.pBtPtSetNegVal_3110, &cDlgVrd_3310::initSetNegCalibrPtSlot);
    clicked(ui.pBtPtSetPosVal_3110, &cDlgVrd_3310::initSetPosCalibrPtSlot);
    clicked(ui.pBtPtExecCalibr_3110, &cDlgVrd_3310::initExecCalibrPtSlot);
    rowClicked(ui.tblAiPrm_3110, &cDlgVrd_3310::setAiPrmForEdit);
    clicked(ui.pBtAiMode_3110, &cDlgVrd_3310::initSetAiModeSlot);
    clicked(ui.pBtAiGetDownVal_3110, &cDlgVrd_3310::initGetDownCalibrAiSlot);
    clicked(ui.pBtAiGetUpVal_3110, &cDlgVrd_3310::initGetUpCalibrAiSlot);
    clicked(ui.pBtAiExecCalibr_3110, &cDlgVrd_3310::initExecCalibrAiSlot);
    rowClicked(ui.tblDtPrm_3110, &cDlgVrd_3310::setOwPrmForEdit);
    clicked(ui.pBtSetDtSensID_3110, &cDlgVrd_3310::initSetIdDtSlot);
    clicked(ui.pBtSetDtPollMode_3110, &cDlgVrd_3310::initSetPollModeDtSlot);
    rowClicked(ui.tblAoSet_3110, &cDlgVrd_3310::setAoPrmForEdit);
    clicked(ui.pBtAoSafLevel_3110, &cDlgVrd_3310::initSetAoSafLevelSlot);
    clicked(ui.pBtAoSafMode_3110, &cDlgVrd_3310::initSetAoSafModeSlot);
    clicked(ui.pBtAoCurrLvl_3110, &cDlgVrd_3310::initSetAoCurrLvlSlot);
    connect(ui.sldAoCurrLvl_3110, &QSlider::sliderMoved, this,
            &cDlgVrd_3310::setAoCurrValFromSliderToSBoxSlot);
    connect(ui.sldAoCurrLvl_3110, &QSlider::sliderReleased, this, &cDlgVrd_3310::initSetAoSldCurrValSlot);
    clicked(ui.pBtAoMode_3110, &cDlgVrd_3310::initSetAoModeSlot);
    clicked(ui.pBtSetRealAoDownPoint_3110, &cDlgVrd_3310::initSetRealAoDownPointSlot);
    clicked(ui.pBtSetRealAoUpPoint_3110, &cDlgVrd_3310::initSetRealAoUpPointSlot);
    clicked(ui.pBtAoExecCalibr_3110, &cDlgVrd_3310::initExecCalibrAoSlot);
    trackAoLevelOwner();
}

int cDlgVrd_3310::selectedChannel(const QTableWidget *table)
{
    return cChannelSelection::selectedRow(table, this);
}

// The selected channel, once the editors show its values: until then they
// hold defaults that the user never chose.
int cDlgVrd_3310::editedChannel(const QTableWidget *table)
{
    const int n = selectedChannel(table);
    if (n < 0 || m_editorsRow.value(table, -1) == n)
        return n;
    notReportedYet();
    return -1;
}

// After a draw: a row highlighted before its values arrived (the first row
// of a tab just opened) gets them into the editors now.
void cDlgVrd_3310::editorsFollowSelection(QTableWidget *table)
{
    const int row = cChannelSelection::currentRow(table);
    if (row >= 0 && m_editorsRow.value(table, -1) != row)
        (this->*m_editorLoaders.value(table))(nullptr);
}

// What the box shows is what goes out: a typed value outside its range is
// refused, never replaced by the nearest or the previous one.
bool cDlgVrd_3310::valueShown(QAbstractSpinBox *box)
{
    if (box->hasAcceptableInput()) {
        box->interpretText();
        return true;
    }
    QString low;
    QString high;
    QString typed = box->text();
    if (const auto *d = qobject_cast<const QDoubleSpinBox *>(box)) {
        low = d->textFromValue(d->minimum()) + d->suffix();
        high = d->textFromValue(d->maximum()) + d->suffix();
        typed = d->cleanText();
    } else if (const auto *i = qobject_cast<const QSpinBox *>(box)) {
        low = QString::number(i->minimum()) + i->suffix();
        high = QString::number(i->maximum()) + i->suffix();
        typed = i->cleanText();
    }
    notPossible(tr("The value %1 is outside the allowed range from %2 to %3.").arg(typed, low, high));
    return false;
}

// A mask is changed bit by bit, so its other channels' bits have to be known:
// refuse until a poll of its tab has reported it.
bool cDlgVrd_3310::maskReported(quint16 reg)
{
    if (m_masks.contains(reg))
        return true;
    notReportedYet();
    return false;
}

void cDlgVrd_3310::notReportedYet()
{
    notPossible(tr("The module has not reported its current settings yet. "
                   "Wait until the table shows them, then try again."));
}

// Runs when the write is handed to the worker, so that quick presses build
// on each other.
void cDlgVrd_3310::storeMaskBit(quint16 reg, int bit, bool set)
{
    quint16 mask = m_masks.value(reg);
    mask = set ? quint16(mask | 1u << bit) : quint16(mask & ~(1u << bit));
    m_masks.insert(reg, mask);
    m_modbus->setRegister(reg, mask);
}

void cDlgVrd_3310::writeRegister(quint8 tag, quint16 reg, quint16 value)
{
    runWriteCycle(tag, {request(16, reg, 1)}, [this, reg, value] { m_modbus->setRegister(reg, value); });
}

// The selected channel's register base + n takes the combo box's index.
void cDlgVrd_3310::writeChoice(quint8 tag, const QTableWidget *table, const QComboBox *box, quint16 base)
{
    const int n = editedChannel(table);
    if (n < 0 || box->currentIndex() < 0)
        return;
    writeRegister(tag, quint16(base + n), quint16(box->currentIndex()));
}

// Bit n of the mask: set when the box's index is not 0; without a box, set.
void cDlgVrd_3310::writeMaskBit(quint8 tag, const QTableWidget *table, quint16 reg, const QComboBox *box)
{
    const int n = box ? editedChannel(table) : selectedChannel(table);
    if (n < 0 || (box && box->currentIndex() < 0) || !maskReported(reg))
        return;
    const bool set = !box || box->currentIndex() != 0;
    runWriteCycle(tag, {request(16, reg, 1)}, [this, reg, n, set] { storeMaskBit(reg, n, set); });
}

void cDlgVrd_3310::writeFloat(quint8 tag, quint16 reg, double value)
{
    runWriteCycle(tag, {request(16, reg, 2)}, [this, reg, value] { m_modbus->setFloat(reg, value); });
}

// One calibration step of the selected channel: the step's value, if it has
// one, then its command bit, in one batch.
void cDlgVrd_3310::writeCalibrStep(cCalibrPanel &panel, const QTableWidget *table,
                                   cCalibrPanel::step_t step)
{
    const int n = selectedChannel(table);
    const quint16 command = panel.command(step);
    QDoubleSpinBox *box = panel.valueBox(step);
    if (n < 0 || !maskReported(command) || (box && !valueShown(box)))
        return;
    const quint16 valueReg = panel.valueRegister(n);
    const double value = box ? box->value() : 0.0;
    QList<query_info_t> batch;
    if (box)
        batch << request(16, valueReg, 2);
    batch << request(16, command, 1);
    runWriteCycle(panel.tag(step), batch, [this, box, valueReg, value, command, n] {
        if (box)
            m_modbus->setFloat(valueReg, value);
        storeMaskBit(command, n, true);
    });
}

void cDlgVrd_3310::setupCalibrPanels()
{
    const auto make = [this](calibrPanelDesc_t desc) {
        return std::make_unique<cCalibrPanel>(std::move(desc), m_pixOk, m_pixErr, m_pixWait);
    };
    m_ptCalibr = make({ui.grBoxPtCalibr,
                       {ui.pBtPtSetNegVal_3110, ui.pBtPtSetPosVal_3110, ui.pBtPtExecCalibr_3110},
                       ui.lbResultCalibrPT_3110, ui.lbPtResCalibrlLed_3110, 1, {1593, 1594, 1595},
                       {ui.dSpBoxPtNegCalibrValue_3110, ui.dSpBoxPtPosCalibrValue_3110, nullptr},
                       1387, {15, 17, 19}, m_ptCalibrStatusList, 747});
    m_aiCalibr = make({ui.grBoxAiCalibr,
                       {ui.pBtAiGetDownVal_3110, ui.pBtAiGetUpVal_3110, ui.pBtAiExecCalibr_3110},
                       ui.lbResultCalibrAI_3110, ui.lbAiResCalibrlLed_3110, 1, {1590, 1591, 1592},
                       {nullptr, ui.dSpBoxAiDiffCalibrValue_3110, nullptr}, 1478, {21, 22, 24},
                       m_aiCalibrStatusList, 957});
    m_aoCalibr = make({ui.grBoxAoCalibr,
                       {ui.pBtSetRealAoDownPoint_3110, ui.pBtSetRealAoUpPoint_3110, ui.pBtAoExecCalibr_3110},
                       ui.lbResultCalibrAO_3110, ui.lbAoResCalibrlLed_3110, 2, {1601, 1602, 1603},
                       {ui.dSpBoxRealAoDownPoint_3110, ui.dSpBoxRealAoUpPoint_3110, nullptr}, 907,
                       {26, 27, 28}, m_aoCalibrStatusList, 290});
}

// A value the cell already shows is left alone: a new item would repaint it.
void cDlgVrd_3310::setCell(QTableWidget *table, int row, int column, const QString &text)
{
    const QTableWidgetItem *item = table->item(row, column);
    if (item && item->text() == text)
        return;
    cShareFunction::setTableCell(table, m_tableInfo, row, column, text);
}

quint8 cDlgVrd_3310::indexWithin(quint16 reg, int count)
{
    const quint8 value = quint8(reg & 0xFF);
    return value < count ? value : 0;
}
