#include "cDlgVrd_3310.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QThread>

#include "cShareFunction.h"
#include "cUart.h"
#include "closeMessage.h"
#include "mainClass.h"

namespace {

constexpr int pollIntervalMs = 100;
constexpr int ledShowMs = 300;
constexpr int settleBeforeWriteMs = 50;
constexpr int closingWaitMs = 10000;
constexpr int ptVariant100 = 2;
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

} // namespace

cDlgVrd_3310::cDlgVrd_3310(quint8 moduleVariant, mainClass *owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_modbus(owner->modbus())
    , m_moduleVariant(moduleVariant)
{
    ui.setupUi(this);
    ui.labelStat1->hide();
    setupPtVariant();

    m_pixOk.load(QStringLiteral(":/mainClass/ICO/ok.png"));
    m_pixErr.load(QStringLiteral(":/mainClass/ICO/err.png"));
    m_pixWait.load(QStringLiteral(":/mainClass/ICO/wait.png"));
    m_byteOrderList = cShareFunction::byteOrderList();
    m_parityList = cShareFunction::parityList();

    setupWidgets();
    describeTables();
    for (const tableInfo_t &info : qAsConst(m_tableInfo)) {
        const bool general = info.table == ui.tblInterPrm_3110 || info.table == ui.tblSysPrm_3110;
        cShareFunction::initTable(info.table, m_tableInfo, !general);
    }
    connectSignals();
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
    waitEndOfPoll(closingWaitMs);
}

void cDlgVrd_3310::setModuleInfo(quint8 address, quint16 modelCode)
{
    m_moduleAddr = address;
    m_modelCode = modelCode;
}

void cDlgVrd_3310::setPortPrm(settingsUart_t prm, quint8 row)
{
    m_portPrm = prm;
    m_tableRow = row;
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
        m_tableInfo.append(tableInfo_t{table, labels.size(), table->columnCount(), labels});
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
    for (const pollBlock_t &b : blocksFor(currentView()))
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
    m_owner->sendRdMultStateModule(batch);
    m_pollDone = false;
}

void cDlgVrd_3310::updateGuiData_Slot(int result)
{
    if (result != MB_OK)
        return finishPoll();
    if (m_pollDone)
        return;
    const int view = currentView();
    if (view != m_lastPollView) {
        // The answer belongs to what was on view before.
        m_lastPollView = view;
        return finishPoll();
    }
    if (view < 10)
        updateGenData(view);
    finishPoll();
}

// A write that waited for this poll goes out now; otherwise polling goes on.
void cDlgVrd_3310::finishPoll()
{
    m_pollDone = true;
    if (m_pendingWrite) {
        const std::function<void()> write = std::move(m_pendingWrite);
        m_pendingWrite = nullptr;
        write();
        return;
    }
    if (m_writesInFlight.isEmpty())
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

// ---- write cycle --------------------------------------------------------

// Stops polling and sends the write once no poll is out, so that a poll
// answer cannot overwrite the new values in the register image before the
// worker has taken them.
void cDlgVrd_3310::runWriteCycle(quint8 tag, const QList<query_info_t> &batch,
                                 const std::function<void()> &storeValues)
{
    m_pollTimer.stop();
    QThread::msleep(settleBeforeWriteMs);
    m_writesInFlight.enqueue(tag);
    auto write = [this, batch, storeValues] {
        storeValues();
        if (batch.size() == 1)
            m_owner->sendWrStateModule(batch.first());
        else
            m_owner->sendWrMultStateModule(batch);
    };
    if (m_pollDone)
        return write();
    m_pendingWrite = write;
}

QLabel *cDlgVrd_3310::ledFor(quint8 tag) const
{
    switch (tag) {
    case 3: return ui.lbInterAcceptLed_3110;
    case 5: return ui.lbSafToutLed_3110;
    case 6: return ui.lbWdtToutLed_3110;
    case 7: return ui.lbSetFactoryLed_3110;
    default: return nullptr;
    }
}

void cDlgVrd_3310::flashLed(QLabel *led, bool ok)
{
    led->setPixmap(ok ? m_pixOk : m_pixErr);
    QTimer::singleShot(ledShowMs, led, [led, wait = m_pixWait] { led->setPixmap(wait); });
}

void cDlgVrd_3310::writeDataOk_Slot(int result)
{
    const quint8 tag = m_writesInFlight.isEmpty() ? 0 : m_writesInFlight.dequeue();
    const bool ok = result == MB_OK;
    if (tag == 7 && ok)
        cShareFunction::showRestoreProgress(this, 9);
    if (QLabel *led = ledFor(tag))
        flashLed(led, ok);
    if (m_writesInFlight.isEmpty() && !m_pendingWrite && m_pollDone)
        m_pollTimer.start();
}
