#include <QtTest>

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QToolButton>

#include "boxAnswerer.h"
#include "busEndpoint.h"
#include "cBusMonitor.h"
#include "cDlgVrd_3310.h"
#include "cSimBus.h"
#include "cUart.h"
#include "windowFixture.h"
#include "workerHarness.h"

namespace {

QString pictureName(const QLabel *led)
{
    const QImage shown = led->pixmap(Qt::ReturnByValue).toImage();
    for (const char *name : {"ok", "err", "wait"})
        if (!shown.isNull() && shown == QPixmap(QStringLiteral(":/mainClass/ICO/%1.png").arg(QLatin1String(name))).toImage())
            return QLatin1String(name);
    return QString();
}

// Every picture each watched LED shows, noted faster than a flash lasts.
class ledLog : public QObject
{
public:
    explicit ledLog(QList<QLabel *> leds)
    {
        connect(&m_timer, &QTimer::timeout, this, [this, leds] {
            for (QLabel *led : leds) {
                QStringList &pictures = m_seen[led];
                const QString now = pictureName(led);
                if (pictures.isEmpty() || pictures.last() != now)
                    pictures << now;
            }
        });
        m_timer.start(2);
    }
    QStringList seen(QLabel *led) const { return m_seen.value(led); }
    bool saw(QLabel *led, const QString &picture) const { return m_seen.value(led).contains(picture); }

private:
    QTimer m_timer;
    QHash<QLabel *, QStringList> m_seen;
};

} // namespace

// The module dialog against a simulated VRD-3310: polling, the General tab
// and its writes, the channel tabs and their calibrations, opening a module
// from the found-modules table.
class tst_moduledialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void variantChoosesPtTab_data();
    void variantChoosesPtTab();
    void generalTabShowsModule();
    void editWidgetsLoadOnThirdRefresh();
    void firstAnswerAfterSwitchDropped();
    void failedPollRedrawsNothing();
    void safeResetAddsDiagnostics();
    void communicationWriteBits_data();
    void communicationWriteBits();
    void timeoutWritesFlashLed();
    void failedWriteShowsError();
    void addressCheck_data();
    void addressCheck();
    void factoryResetCancelSendsNothing();
    void factoryResetRestoresModule();
    void commaIgnoredInAoValues();
    void closingWithWritePendingIsSafe();
    void openWithoutSelectionRefused();
    void openFromTable_data();
    void openFromTable();

    void queuedWritesEachAnswered();
    void tabDrawnFromModule_data();
    void tabDrawnFromModule();
    void rowClickLoadsEditors();
    void applyLandsInModule_data();
    void applyLandsInModule();
    void noSelectionSendsNothing_data();
    void noSelectionSendsNothing();
    void maskWritesKeepOtherBits();
    void maskRefusedBeforeFirstPoll();
    void sensorIdNeedsWholeText_data();
    void sensorIdNeedsWholeText();
    void aoModeSendsOwnLevel();
    void sliderWritesSelectedChannel();
    void aiAndAoNeverShareADraw();
    void calibration_data();
    void calibration();
    void calibrationStepFailure_data();
    void calibrationStepFailure();
    void leavingCalibrationDisablesPanel();
    void silentModuleMarksValuesStale();
    void followsModuleToNewLine_data();
    void followsModuleToNewLine();
    void onlyWhatIsShownIsSent_data();
    void onlyWhatIsShownIsSent();
    void answerOfAnotherTabTeachesNothing();
    void lostPortSaidAndReconnected_data();
    void lostPortSaidAndReconnected();
    void oneBusMonitorBesideDialog();

private:
    cDlgVrd_3310 *openDialog(quint8 variant = 1, int row = 0);
    static QString cell(QTableWidget *t, int row) { return t->item(row, 1)->text(); }
    static void selectRow(QTableWidget *table, int row);
    QTableWidget *showTab(int tab);
    void showSystemTab();
    template <typename T>
    T *widget(const QString &name) const { return m_dialog->findChild<T *>(name); }
    void enterCalibration(int tab, int row);

    std::unique_ptr<cSimBus> m_bus;
    cSimModule *m_module = nullptr;
    std::unique_ptr<windowFixture> m_fixture;
    mainClass *m_window = nullptr;
    std::unique_ptr<cDlgVrd_3310> m_dialog;
};

void tst_moduledialog::init()
{
    m_bus = std::make_unique<cSimBus>();
    QVERIFY(m_bus->start());
    m_module = m_bus->addModule(5, 115200, 0, 1);
    m_fixture = std::make_unique<windowFixture>();
    m_fixture->storeSettings(searchSettings(m_bus->portPath(), {0}, {0}, 100));
    m_window = m_fixture->open();
}

void tst_moduledialog::cleanup()
{
    m_dialog.reset();
    m_fixture->shut();
    m_fixture.reset();
    m_bus.reset();
}

cDlgVrd_3310 *tst_moduledialog::openDialog(quint8 variant, int row)
{
    QTest::mouseClick(m_window->ui.pBtnConect, Qt::LeftButton);
    m_dialog = std::make_unique<cDlgVrd_3310>(variant, m_window, m_window);
    m_dialog->setModuleInfo(5, 3310);
    settingsUart_t line;
    line.portName = m_window->searchSettings().portName;
    line.replyTimeout = 100;
    m_dialog->setPortPrm(line, row);
    m_dialog->show();
    return m_dialog.get();
}

void tst_moduledialog::variantChoosesPtTab_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("negative");
    QTest::addColumn<double>("positive");
    QTest::newRow("2") << 2 << "Pt100 Channels" << 94.282 << 199.523;
    QTest::newRow("1") << 1 << "Pt1000 Channels" << 942.82 << 1995.23;
    QTest::newRow("0") << 0 << "Pt1000 Channels" << 942.82 << 1995.23;
    QTest::newRow("3") << 3 << "Pt1000 Channels" << 942.82 << 1995.23;
}

void tst_moduledialog::variantChoosesPtTab()
{
    QFETCH(int, variant);
    QFETCH(QString, title);
    QFETCH(double, negative);
    QFETCH(double, positive);
    cDlgVrd_3310 *d = openDialog(quint8(variant));
    QCOMPARE(d->ui.tabMain_3110->tabText(3), title);
    QCOMPARE(d->ui.dSpBoxPtNegCalibrValue_3110->value(), negative);
    QCOMPARE(d->ui.dSpBoxPtPosCalibrValue_3110->value(), positive);
    QVERIFY(d->ui.dSpBoxPtNegCalibrValue_3110->maximum() < d->ui.dSpBoxPtPosCalibrValue_3110->minimum());
    // Fixed, 755 by 470; longer tab titles (English) widen it.
    QVERIFY(d->minimumSize() == d->maximumSize() && d->height() == 470 && d->width() >= 755);
    QCOMPARE(d->ui.tblInterPrm_3110->item(0, 0)->text(), QStringLiteral("Baud Rate"));
    QCOMPARE(d->ui.tblDtPrm_3110->rowCount(), 10);
    QVERIFY(d->ui.tblDtPrm_3110->item(0, 0)->isSelected());
    QVERIFY(!d->ui.tblInterPrm_3110->item(0, 0)->isSelected());
}

void tst_moduledialog::generalTabShowsModule()
{
    m_module->setReg(1583, quint16(7 | 1 << 6 | 1 << 8 | 2 << 9));
    cDlgVrd_3310 *d = openDialog();
    QTableWidget *t = d->ui.tblInterPrm_3110;
    QTRY_COMPARE(cell(t, 5), QStringLiteral("5"));
    QCOMPARE(cell(t, 0), QStringLiteral("115200"));
    QCOMPARE(cell(t, 1), QStringLiteral("1"));
    QCOMPARE(cell(t, 2), QStringLiteral("Even"));
    QCOMPARE(cell(t, 3), QStringLiteral("Master"));
    QCOMPARE(cell(t, 4), QStringLiteral("1-0-3-2"));

    m_module->setInputReg(1112, quint16(2 | 5 << 4 | 9 << 8));
    m_module->setInputReg(1114, quint16(7 | 3 << 5));
    m_module->setInputReg(1113, 2021);
    d->ui.tabGeneral_3110->setCurrentIndex(1);
    QTableWidget *s = d->ui.tblSysPrm_3110;
    QTRY_COMPARE(cell(s, 2), QStringLiteral("VRD-3310"));
    QCOMPARE(cell(s, 0), QString::number(m_module->reg(1584)));
    QCOMPARE(cell(s, 1), QString::number(m_module->reg(1585)));
    QCOMPARE(cell(s, 3), QStringLiteral("v2.05.09"));
    QCOMPARE(cell(s, 4), QStringLiteral("07.03.2021"));
    const double temperature = cell(s, 5).toDouble();
    QVERIFY(temperature > 30.0 && temperature < 33.0);
    QVERIFY(cell(s, 5).contains(QRegularExpression(QStringLiteral("^\\d+\\.\\d\\d$"))));
    QCOMPARE(cell(s, 6), QStringLiteral("01"));
}

void tst_moduledialog::editWidgetsLoadOnThirdRefresh()
{
    m_module->setReg(1582, 5);
    cDlgVrd_3310 *d = openDialog();
    d->ui.sBoxMdbAddr_3110->setValue(77);
    int refreshes = 0;
    QString last = cell(d->ui.tblInterPrm_3110, 5);
    // Count redraws by changing the shown address on the module each time.
    for (quint16 a = 100; refreshes < 2; ++a) {
        QTRY_VERIFY(cell(d->ui.tblInterPrm_3110, 5) != last);
        last = cell(d->ui.tblInterPrm_3110, 5);
        ++refreshes;
        QCOMPARE(d->ui.sBoxMdbAddr_3110->value(), 77);
        m_module->setReg(1582, a);
    }
    QTRY_COMPARE(d->ui.sBoxMdbAddr_3110->value(), int(m_module->reg(1582)));
    const int loaded = d->ui.sBoxMdbAddr_3110->value();
    m_module->setReg(1582, 200);
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("200"));
    QCOMPARE(d->ui.sBoxMdbAddr_3110->value(), loaded);
}

void tst_moduledialog::firstAnswerAfterSwitchDropped()
{
    cDlgVrd_3310 *d = openDialog();
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("5"));
    m_module->setFault(simFault::SlowBytes);
    QVERIFY(workerHarness::waitUntil([d] { return !d->isPollDone(); }));
    d->ui.tabGeneral_3110->setCurrentIndex(1);
    QVERIFY(workerHarness::waitUntil([d] { return d->isPollDone(); }));
    QCOMPARE(cell(d->ui.tblSysPrm_3110, 2), QStringLiteral("---"));
    QTRY_COMPARE(cell(d->ui.tblSysPrm_3110, 2), QStringLiteral("VRD-3310"));
}

void tst_moduledialog::failedPollRedrawsNothing()
{
    m_module->setFault(simFault::NoReply);
    cDlgVrd_3310 *d = openDialog();
    const int before = m_module->requestCount();
    QTRY_VERIFY(m_module->requestCount() >= before + 2);
    QCOMPARE(cell(d->ui.tblInterPrm_3110, 0), QStringLiteral("---"));
    m_module->setFault(simFault::None);
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 0), QStringLiteral("115200"));
}

void tst_moduledialog::safeResetAddsDiagnostics()
{
    cDlgVrd_3310 *d = openDialog();
    QCOMPARE(d->ui.cBoxSafeActive_3110->currentIndex(), 0);
    QCOMPARE(d->pollBatch().size(), 1);
    d->ui.cBoxSafeActive_3110->setCurrentIndex(1);
    const QList<query_info_t> batch = d->pollBatch();
    QCOMPARE(batch.size(), 2);
    QCOMPARE(batch.last().function, quint16(8));
    QCOMPARE(batch.last().value, quint16(111));
    QCOMPARE(batch.last().address, quint16(5));
    m_module->setReg(1582, 9);
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("9"));
    d->ui.cBoxSafeActive_3110->setCurrentIndex(0);
    QCOMPARE(d->pollBatch().size(), 1);
}

void tst_moduledialog::communicationWriteBits_data()
{
    QTest::addColumn<int>("baudIndex");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("word");
    QTest::newRow("9600 8N1 slave 3-2-1-0") << 3 << 0 << 0 << 0 << 3;
    QTest::newRow("19200 8N2") << 4 << 1 << 0 << 0 << (4 | 1 << 7);
    QTest::newRow("115200 8E1") << 7 << 2 << 0 << 0 << (7 | 1 << 6);
    QTest::newRow("1200 8O1") << 0 << 3 << 0 << 0 << (0 | 1 << 5);
    QTest::newRow("master 2-3-0-1") << 6 << 0 << 1 << 3 << (6 | 1 << 8 | 3 << 9);
}

void tst_moduledialog::communicationWriteBits()
{
    QFETCH(int, baudIndex);
    QFETCH(int, format);
    QFETCH(int, mode);
    QFETCH(int, order);
    QFETCH(int, word);
    m_window->addModuleToTableSlot(scan_return_t{5, 0, 0, 3310, 1, 0, 1});
    cDlgVrd_3310 *d = openDialog();
    QTRY_COMPARE(d->ui.sBoxMdbAddr_3110->value(), 5);
    d->ui.cBoxBdr_3110->setCurrentIndex(baudIndex);
    d->ui.cBoxCfgPort_3110->setCurrentIndex(format);
    d->ui.cBoxCfgMode_3110->setCurrentIndex(mode);
    d->ui.cBoxOrderByte_3110->setCurrentIndex(order);
    d->ui.sBoxMdbAddr_3110->setValue(17);
    ledLog log({d->ui.lbInterAcceptLed_3110});
    QTest::mouseClick(d->ui.pBtInterAccept_3110, Qt::LeftButton);
    QTRY_VERIFY(log.saw(d->ui.lbInterAcceptLed_3110, "ok"));
    QCOMPARE(int(m_module->reg(1583)), word);
    QCOMPARE(int(m_module->reg(1582)), 17);
    QCOMPARE(m_module->address(), quint8(17));
    QTRY_COMPARE(pictureName(d->ui.lbInterAcceptLed_3110), QStringLiteral("wait"));
}

void tst_moduledialog::timeoutWritesFlashLed()
{
    cDlgVrd_3310 *d = openDialog();
    showSystemTab();
    d->ui.sBoxSafTout_3110->setValue(42);
    d->ui.sBoxWdtTout_3110->setValue(1500);
    ledLog log({d->ui.lbSafToutLed_3110, d->ui.lbWdtToutLed_3110});
    QTest::mouseClick(d->ui.pBtSafTout_3110, Qt::LeftButton);
    QTRY_VERIFY(log.saw(d->ui.lbSafToutLed_3110, "ok"));
    QCOMPARE(m_module->reg(1584), quint16(42));
    QCOMPARE(m_module->reg(1585), quint16(0));
    QTest::mouseClick(d->ui.pBtWdtTout_3110, Qt::LeftButton);
    QTRY_VERIFY(log.saw(d->ui.lbWdtToutLed_3110, "ok"));
    QCOMPARE(m_module->reg(1585), quint16(1500));
    QTRY_COMPARE(cell(d->ui.tblSysPrm_3110, 1), QStringLiteral("1500"));
    QVERIFY(d->isPolling() || !d->isPollDone());
}

void tst_moduledialog::failedWriteShowsError()
{
    cDlgVrd_3310 *d = openDialog();
    showSystemTab();
    m_module->setFault(simFault::NoReply);
    ledLog log({d->ui.lbWdtToutLed_3110});
    QTest::mouseClick(d->ui.pBtWdtTout_3110, Qt::LeftButton);
    QTRY_COMPARE(log.seen(d->ui.lbWdtToutLed_3110), QStringList({"wait", "err", "wait"}));
    QCOMPARE(d->writesInFlight(), 0);
}

void tst_moduledialog::addressCheck_data()
{
    QTest::addColumn<bool>("listed");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("empty list") << false << 0 << 5 << "The list of found modules is empty.";
    QTest::newRow("another module's address") << true << 0 << 9
                                              << "A module with this address already exists in the list.";
    QTest::newRow("own address") << true << 0 << 5 << "";
    QTest::newRow("own address past row 255") << true << 256 << 5 << "";
    QTest::newRow("free address") << true << 0 << 6 << "";
}

void tst_moduledialog::addressCheck()
{
    QFETCH(bool, listed);
    QFETCH(int, row);
    QFETCH(int, address);
    QFETCH(QString, refusal);
    for (int r = 0; r < row; ++r) // other modules' rows before its own
        m_window->addModuleToTableSlot(scan_return_t{quint16(100 + r % 100), 0, 0, 3310, 1, 0, 1});
    if (listed) {
        m_window->addModuleToTableSlot(scan_return_t{5, 0, 0, 3310, 1, 0, 1});
        m_window->addModuleToTableSlot(scan_return_t{9, 4, 0, 3310, 1, 0, 1});
    }
    cDlgVrd_3310 *d = openDialog(1, row);
    QTRY_COMPARE(d->ui.sBoxMdbAddr_3110->value(), 5);
    d->ui.cBoxBdr_3110->setCurrentIndex(7);
    d->ui.sBoxMdbAddr_3110->setValue(address);
    boxAnswerer answers;
    QTest::mouseClick(d->ui.pBtInterAccept_3110, Qt::LeftButton);
    if (refusal.isEmpty()) {
        QVERIFY(answers.texts.isEmpty());
        QTRY_COMPARE(int(m_module->address()), address);
        return;
    }
    QCOMPARE(answers.titles, QStringList({"Operation not posible"}));
    QCOMPARE(answers.texts, QStringList({refusal}));
    QCOMPARE(d->writesInFlight(), 0);
    QTest::qWait(300);
    QCOMPARE(m_module->reg(1586), quint16(0));
    QCOMPARE(m_module->address(), quint8(5));
}

void tst_moduledialog::factoryResetCancelSendsNothing()
{
    cDlgVrd_3310 *d = openDialog();
    m_module->setReg(1584, 99);
    boxAnswerer answers({QStringLiteral("Cancel")});
    QTest::mouseClick(d->ui.pBtSetFactory_3110, Qt::LeftButton);
    QCOMPARE(answers.titles, QStringList({"Warning"}));
    QCOMPARE(answers.texts, QStringList({"  After executing this command,\nyou return to the factory "
                                         "settings.\n       Are you sure?"}));
    QCOMPARE(d->writesInFlight(), 0);
    QTest::qWait(300);
    QCOMPARE(m_module->reg(1584), quint16(99));
    QCOMPARE(pictureName(d->ui.lbSetFactoryLed_3110), QStringLiteral("wait"));
}

void tst_moduledialog::factoryResetRestoresModule()
{
    cDlgVrd_3310 *d = openDialog();
    const quint16 factory = m_module->reg(1584);
    m_module->setReg(1584, 99);
    bool progressSeen = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        auto *p = d->findChild<QProgressDialog *>(QStringLiteral("ProgressDlg"));
        progressSeen |= p && p->isVisible() && p->labelText() == QStringLiteral("Restore settings. Expect ...");
    });
    watch.start(50);
    boxAnswerer answers({QStringLiteral("Yes")});
    ledLog log({d->ui.lbSetFactoryLed_3110});
    QTest::mouseClick(d->ui.pBtSetFactory_3110, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(log.saw(d->ui.lbSetFactoryLed_3110, "ok"), 30000);
    QVERIFY(progressSeen);
    QCOMPARE(answers.texts.value(1), QStringLiteral("The module has gone back to its factory address and line "
                                                    "settings: a new search will find it there."));
    QCOMPARE(m_module->reg(1584), factory);
    QVERIFY(!d->findChild<QProgressDialog *>(QStringLiteral("ProgressDlg")));
}

void tst_moduledialog::commaIgnoredInAoValues()
{
    cDlgVrd_3310 *d = openDialog();
    for (QDoubleSpinBox *box : {d->ui.dSpBoxAOSafLvl_3110, d->ui.dSpBoxAoCurrLvl_3110,
                                d->ui.dSpBoxRealAoDownPoint_3110, d->ui.dSpBoxRealAoUpPoint_3110}) {
        box->setLocale(QLocale(QLocale::German));
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("0,5"));
        QCOMPARE(box->cleanText(), QStringLiteral("05"));
    }
}

void tst_moduledialog::closingWithWritePendingIsSafe()
{
    cDlgVrd_3310 *d = openDialog();
    showSystemTab();
    m_module->setFault(simFault::SlowBytes);
    QVERIFY(workerHarness::waitUntil([d] { return !d->isPollDone(); }));
    d->ui.sBoxWdtTout_3110->setValue(321);
    QTest::mouseClick(d->ui.pBtWdtTout_3110, Qt::LeftButton);
    m_dialog.reset();
    QTRY_COMPARE(m_module->reg(1585), quint16(321));
}

void tst_moduledialog::openWithoutSelectionRefused()
{
    m_window->addModuleToTableSlot(scan_return_t{5, 0, 0, 3310, 1, 0, 1});
    m_window->ui.tblScan->clearSelection();
    boxAnswerer answers;
    m_window->callSettingsDialog(nullptr);
    QCOMPARE(answers.titles, QStringList({"Operation not posible"}));
    QCOMPARE(answers.texts, QStringList({"You must select a channel for editing."}));
    QVERIFY(!m_window->findChild<cDlgVrd_3310 *>());
}

void tst_moduledialog::openFromTable_data()
{
    QTest::addColumn<bool>("searchRunning");
    QTest::newRow("after the search") << false;
    QTest::newRow("during the search") << true;
}

void tst_moduledialog::openFromTable()
{
    QFETCH(bool, searchRunning);
    m_window->ui.sBoxStartAddr->setValue(5);
    m_window->ui.sBoxEndAddr->setValue(searchRunning ? 200 : 5);
    boxAnswerer answers;
    QTest::mouseClick(m_window->ui.pBtnStartSrch, Qt::LeftButton);
    QTRY_COMPARE(m_window->ui.tblScan->rowCount(), 1);
    if (!searchRunning)
        QTRY_VERIFY(!m_window->isSearchRunning());
    QCOMPARE(m_window->isSearchRunning(), searchRunning);

    QString shownAddress;
    QString shownTitle;
    QTimer lookout;
    connect(&lookout, &QTimer::timeout, this, [&] {
        auto *d = qobject_cast<cDlgVrd_3310 *>(QApplication::activeModalWidget());
        if (!d)
            return;
        lookout.stop();
        shownTitle = d->windowTitle();
        workerHarness::waitUntil([&] { return cell(d->ui.tblInterPrm_3110, 5) == QStringLiteral("5"); });
        shownAddress = cell(d->ui.tblInterPrm_3110, 5);
        d->reject();
    });
    lookout.start(10);
    QTableWidget *t = m_window->ui.tblScan;
    const QRect cellRect = t->visualItemRect(t->item(0, 1));
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cellRect.center());
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cellRect.center());
    QCOMPARE(shownAddress, QStringLiteral("5"));
    QCOMPARE(shownTitle, QStringLiteral("VRD-3310 at address 5 - %1, 115200 8N1").arg(m_bus->portPath()));
    QVERIFY(!m_window->isSearchRunning());
    const int completions = searchRunning ? 0 : 1;
    QCOMPARE(answers.count(), completions);
    QTRY_VERIFY(m_window->worker()->isPortOpen());
}

// ---- channel tabs ----------------------------------------------------------

namespace {

const char *const tables[] = {"", "tblDiModeSettings_3110", "tblDoSafetyPrm_3110", "tblPtPrm_3110",
                              "tblAiPrm_3110", "tblAoSet_3110", "tblDtPrm_3110"};
const char *const selectFirst = "You must select a channel for editing.";
const char *const notReported =
    "The module has not reported its current settings yet. Wait until the table shows them, then try again.";

QString cellAt(const QTableWidget *t, int row, int column)
{
    return t->item(row, column) ? t->item(row, column)->text() : QString();
}

// "h174=5" a holding register, "i1116=4" an input register, "F522=5.37" a
// float over two holding registers.
void preset(cSimModule *module, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QStringList parts = entry.mid(1).split(QLatin1Char('='));
        const quint16 reg = quint16(parts.at(0).toUInt());
        if (entry.startsWith(QLatin1Char('h')))
            module->setReg(reg, quint16(parts.at(1).toUInt()));
        else if (entry.startsWith(QLatin1Char('i')))
            module->setInputReg(reg, quint16(parts.at(1).toUInt()));
        else
            module->setHoldingFloat(reg, parts.at(1).toFloat());
    }
}

quint64 reportedId(const cSimModule *m, int n)
{
    const auto word = [m](int reg) { return quint64(m->reg(quint16(reg))); };
    return word(1018 + 2 * n) << 48 | word(1017 + 2 * n) << 32 | word(1138 + 2 * n) << 16
        | word(1137 + 2 * n);
}

// One tab's calibration as the user drives it.
struct calibrTab_t
{
    quint16 modeReg;
    quint16 calibrMode;
    const char *group;
    const char *buttons[3];
    const char *leds[3];
    const char *status;
    const char *statusLed;
    const char *values[2]; // spin boxes of the two points; none on the AI tab
    quint16 firstCommand;
};

const calibrTab_t calibrTabs[] = {
    {1371, 1, "grBoxPtCalibr", {"pBtPtSetNegVal_3110", "pBtPtSetPosVal_3110", "pBtPtExecCalibr_3110"},
     {"lbPtSetNegValLed_3110", "lbPtSetPosValLed_3110", "lbPtExecCalibrlLed_3110"}, "lbResultCalibrPT_3110",
     "lbPtResCalibrlLed_3110", {"dSpBoxPtNegCalibrValue_3110", "dSpBoxPtPosCalibrValue_3110"}, 1593},
    {1445, 1, "grBoxAiCalibr", {"pBtAiGetDownVal_3110", "pBtAiGetUpVal_3110", "pBtAiExecCalibr_3110"},
     {"lbAiGetDownValLed_3110", "lbAiGetUpValLed_3110", "lbAiExecCalibrlLed_3110"}, "lbResultCalibrAI_3110",
     "lbAiResCalibrlLed_3110", {nullptr, nullptr}, 1590},
    {742, 2, "grBoxAoCalibr",
     {"pBtSetRealAoDownPoint_3110", "pBtSetRealAoUpPoint_3110", "pBtAoExecCalibr_3110"},
     {"lbRealAoDownPointLed_3110", "lbRealAoUpPointLed_3110", "lbAoExecCalibrlLed_3110"},
     "lbResultCalibrAO_3110", "lbAoResCalibrlLed_3110",
     {"dSpBoxRealAoDownPoint_3110", "dSpBoxRealAoUpPoint_3110"}, 1601},
};

// Tabs 3, 4 and 5.
const calibrTab_t &calibrTabOf(int tab)
{
    return calibrTabs[tab - 3];
}

} // namespace

void tst_moduledialog::selectRow(QTableWidget *table, int row)
{
    const QRect rect = table->visualItemRect(table->item(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rect.center());
}

// Shows a channel tab and waits until a poll of it has been drawn.
QTableWidget *tst_moduledialog::showTab(int tab)
{
    auto *table = widget<QTableWidget>(QLatin1String(tables[tab]));
    m_dialog->ui.tabMain_3110->setCurrentIndex(tab);
    if (!workerHarness::waitUntil([table] { return cellAt(table, 0, 1) != QStringLiteral("---"); }))
        QTest::qFail(qPrintable(QStringLiteral("tab %1 was not drawn").arg(tab)), __FILE__, __LINE__);
    return table;
}

// The System sub-tab once its editors hold the module's values.
void tst_moduledialog::showSystemTab()
{
    m_dialog->ui.tabGeneral_3110->setCurrentIndex(1);
    QVERIFY(workerHarness::waitUntil([this] { return m_dialog->ui.sBoxSafTout_3110->value() == m_module->reg(1584); }));
}

void tst_moduledialog::queuedWritesEachAnswered()
{
    cDlgVrd_3310 *d = openDialog();
    showSystemTab();
    ledLog log({d->ui.lbSafToutLed_3110, d->ui.lbWdtToutLed_3110});
    m_module->setFault(simFault::SlowBytes);
    QVERIFY(workerHarness::waitUntil([d] { return !d->isPollDone(); }));
    d->ui.sBoxSafTout_3110->setValue(111);
    d->ui.sBoxWdtTout_3110->setValue(222);
    QTest::mouseClick(d->ui.pBtSafTout_3110, Qt::LeftButton);
    QTest::mouseClick(d->ui.pBtWdtTout_3110, Qt::LeftButton);
    QTRY_VERIFY(log.saw(d->ui.lbSafToutLed_3110, "ok") && log.saw(d->ui.lbWdtToutLed_3110, "ok"));
    QCOMPARE(m_module->reg(1584), quint16(111));
    QCOMPARE(m_module->reg(1585), quint16(222));
    QTRY_COMPARE(d->writesInFlight(), 0);
    const int polled = m_module->requestCount();
    QTRY_VERIFY(m_module->requestCount() > polled + 2);
}

void tst_moduledialog::tabDrawnFromModule_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("DI mode 5 is Normal") << 1 << QStringList{"h175=5"} << 1 << 1 << "Normal";
    QTest::newRow("DI encoder") << 1 << QStringList{"h176=4"} << 2 << 1 << "Inc.Encoder (Counter+Tachometer)";
    QTest::newRow("DI normal state") << 1 << QStringList{"i1116=4"} << 2 << 2 << "True";
    QTest::newRow("DI counter 2^31") << 1 << QStringList{"i3=0", "i64=0", "i65=32768"} << 3 << 3 << "2147483648";
    QTest::newRow("DI pulses") << 1 << QStringList{"i4=1234"} << 4 << 4 << "1234";
    QTest::newRow("DO mode 4 is Normal") << 2 << QStringList{"h466=4"} << 2 << 1 << "Normal";
    QTest::newRow("DO PWM") << 2 << QStringList{"h467=2"} << 3 << 1 << "PWM";
    QTest::newRow("DO normal state") << 2 << QStringList{"h1596=2"} << 1 << 2 << "True";
    QTest::newRow("DO safety mode") << 2 << QStringList{"h1598=4"} << 2 << 3 << "Enabled";
    QTest::newRow("DO safety level") << 2 << QStringList{"h1599=8"} << 3 << 4 << "True";
    QTest::newRow("Pt mode 3 is Survey") << 3 << QStringList{"h1372=3"} << 1 << 1 << "Survey";
    QTest::newRow("Pt sensor 2 is a3850") << 3 << QStringList{"h1319=2"} << 2 << 2 << "a3850";
    QTest::newRow("Pt a3911") << 3 << QStringList{"h1320=1"} << 3 << 2 << "a3911";
    QTest::newRow("Pt ohms while calibrating") << 3 << QStringList{"h1371=1"} << 0 << 3 << "1000 Ω";
    QTest::newRow("Pt degrees otherwise") << 3 << QStringList{} << 0 << 3 << "0 °C";
    QTest::newRow("AI mode 3 is Survey") << 4 << QStringList{"h1446=3"} << 1 << 1 << "Survey";
    QTest::newRow("AI value") << 4 << QStringList{} << 1 << 2 << "7.5";
    QTest::newRow("AO mode 4 is Normal") << 5 << QStringList{"h743=4"} << 1 << 1 << "Normal";
    QTest::newRow("AO calibration") << 5 << QStringList{"h744=2"} << 2 << 1 << "Calibration";
    QTest::newRow("AO level") << 5 << QStringList{"F526=5.37"} << 2 << 2 << "5.37";
    QTest::newRow("AO safety state") << 5 << QStringList{"h1600=8"} << 3 << 3 << "Active";
    QTest::newRow("AO safety value") << 5 << QStringList{"F805=9.75"} << 4 << 4 << "9.75";
    QTest::newRow("1-Wire mode 2 is Disabled") << 6 << QStringList{"h1260=2"} << 3 << 1 << "Disabled";
    QTest::newRow("1-Wire mode 7 is Survey") << 6 << QStringList{"h1261=7"} << 4 << 1 << "Survey";
    QTest::newRow("1-Wire temperature") << 6 << QStringList{} << 2 << 2 << "21";
    QTest::newRow("1-Wire ID 0x1F") << 6 << QStringList{"h1027=0", "h1028=0", "h1147=31", "h1148=0"} << 5 << 3
                                    << "0x1F";
    QTest::newRow("1-Wire without a sensor") << 6 << QStringList{"h1027=0", "h1028=0", "h1147=0", "h1148=0"} << 5
                                             << 2 << "no sensor";
    QTest::newRow("1-Wire ID word order") << 6 << QStringList{"h1029=4660", "h1030=10495", "h1149=39612", "h1150=22136"}
                                          << 6 << 3 << "0x28FF123456789ABC";
}

void tst_moduledialog::tabDrawnFromModule()
{
    QFETCH(int, tab);
    QFETCH(QStringList, setup);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    preset(m_module, setup);
    openDialog();
    const QTableWidget *t = showTab(tab);
    QTRY_COMPARE(cellAt(t, row, column), text);
}

void tst_moduledialog::rowClickLoadsEditors()
{
    preset(m_module, {"h1027=0", "h1028=0", "h1147=31", "h1148=0", "h1262=1", "h464=2", "h1596=1", "h1599=1"});
    cDlgVrd_3310 *d = openDialog();
    QTableWidget *ow = showTab(6);
    QTRY_COMPARE(cellAt(ow, 5, 3), QStringLiteral("0x1F"));
    selectRow(ow, 5);
    QCOMPARE(d->ui.lEditDtSensID_3110->text(), QStringLiteral("0x1f"));
    QCOMPARE(d->ui.cBoxDtPollMode_3110->currentIndex(), 1);
    QTableWidget *dout = showTab(2);
    selectRow(dout, 0);
    QCOMPARE(d->ui.cBoxDoMode_3110->currentIndex(), 2);
    QCOMPARE(d->ui.cBoxDoNorm_3110->currentIndex(), 1);
    QCOMPARE(d->ui.cBoxDoSafetyMode_3110->currentIndex(), 0);
    QCOMPARE(d->ui.cBoxDoSafetyLvl_3110->currentIndex(), 1);
}

void tst_moduledialog::applyLandsInModule_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("led");
    QTest::addColumn<int>("reg");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("silent");
    QTest::newRow("DI mode") << 1 << 2 << "cBoxDiMode_3110" << "3" << "pBtDiMode_3110" << "lbDiModelLed_3110"
                             << 176 << "3" << false;
    QTest::newRow("DI mode, module silent") << 1 << 2 << "cBoxDiMode_3110" << "3" << "pBtDiMode_3110"
                                            << "lbDiModelLed_3110" << 176 << "0" << true;
    QTest::newRow("DO mode") << 2 << 1 << "cBoxDoMode_3110" << "2" << "pBtDoMode_3110" << "lbDoModeLed_3110"
                             << 465 << "2" << false;
    QTest::newRow("DO normal state") << 2 << 3 << "cBoxDoNorm_3110" << "1" << "pBtDoNormalState_3110"
                                     << "lbDoNormLed_3110" << 1596 << "8" << false;
    QTest::newRow("DO safety mode") << 2 << 4 << "cBoxDoSafetyMode_3110" << "1" << "pBtDoSetSafMode_3110"
                                    << "lbDoSetSafModeLed_3110" << 1598 << "16" << false;
    QTest::newRow("DO safety level") << 2 << 0 << "cBoxDoSafetyLvl_3110" << "1" << "pBtDoSetSafLevel_3110"
                                     << "lbDoSetSafLvllLed_3110" << 1599 << "1" << false;
    QTest::newRow("Pt mode") << 3 << 2 << "cBoxPtMode_3110" << "2" << "pBtPtMode_3110" << "lbPtModeLed_3110"
                             << 1373 << "2" << false;
    QTest::newRow("Pt sensor") << 3 << 1 << "cBoxPtSensType_3110" << "1" << "pBtPtSensType_3110"
                               << "lbPtSensTypeLed_3110" << 1318 << "1" << false;
    QTest::newRow("AI mode") << 4 << 1 << "cBoxAiMode_3110" << "2" << "pBtAiMode_3110" << "lbAiModeLed_3110"
                             << 1446 << "2" << false;
    QTest::newRow("AO mode") << 5 << 4 << "cBoxAoMode_3110" << "1" << "pBtAoMode_3110" << "lbAoModeLed_3110"
                             << 746 << "1" << false;
    QTest::newRow("AO level") << 5 << 3 << "dSpBoxAoCurrLvl_3110" << "4.25" << "pBtAoCurrLvl_3110"
                              << "lbAoCurrLvlLed_3110" << 528 << "4.25" << false;
    QTest::newRow("AO safety mode") << 5 << 2 << "cBoxAOSafMode_3110" << "1" << "pBtAoSafMode_3110"
                                    << "lbAoSafModeLed_3110" << 1600 << "4" << false;
    QTest::newRow("AO safety level") << 5 << 1 << "dSpBoxAOSafLvl_3110" << "7.5" << "pBtAoSafLevel_3110"
                                     << "lbAoSafLeveLed_3110" << 799 << "7.5" << false;
    QTest::newRow("1-Wire poll mode") << 6 << 3 << "cBoxDtPollMode_3110" << "2" << "pBtSetDtPollMode_3110"
                                      << "lbDtSetPollModeLed_3110" << 1260 << "2" << false;
    QTest::newRow("1-Wire ID") << 6 << 2 << "lEditDtSensID_3110" << "0x28ff00000000001a" << "pBtSetDtSensID_3110"
                               << "lbDtSetIdLed_3110" << 1518 << QString::number(0x28ff) << false;
}

void tst_moduledialog::applyLandsInModule()
{
    QFETCH(int, tab);
    QFETCH(int, row);
    QFETCH(QString, editor);
    QFETCH(QString, choice);
    QFETCH(QString, button);
    QFETCH(QString, led);
    QFETCH(int, reg);
    QFETCH(QString, expected);
    QFETCH(bool, silent);
    openDialog();
    selectRow(showTab(tab), row);
    QWidget *edit = widget<QWidget>(editor);
    if (auto *box = qobject_cast<QComboBox *>(edit))
        box->setCurrentIndex(choice.toInt());
    else if (auto *spin = qobject_cast<QDoubleSpinBox *>(edit))
        spin->setValue(choice.toDouble());
    else
        qobject_cast<QLineEdit *>(edit)->setText(choice);
    QLabel *light = widget<QLabel>(led);
    ledLog log({light});
    if (silent)
        m_module->setFault(simFault::NoReply);
    QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton);
    QTRY_VERIFY(log.saw(light, silent ? "err" : "ok"));
    const bool isFloat = editor.startsWith(QLatin1String("dSpBox"));
    const auto value = [&] {
        return isFloat ? QString::number(double(m_module->holdingFloat(quint16(reg))))
                       : QString::number(m_module->reg(quint16(reg)));
    };
    QTRY_COMPARE(value(), expected);
    QTRY_COMPARE(pictureName(light), QStringLiteral("wait"));
}

void tst_moduledialog::noSelectionSendsNothing_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("button");
    const QList<QPair<int, QStringList>> buttons = {
        {1, {"pBtDiMode_3110", "pBtDiResCounter_3110"}},
        {2, {"pBtDoMode_3110", "pBtDoNormalState_3110", "pBtDoSetSafLevel_3110", "pBtDoSetSafMode_3110"}},
        {3, {"pBtPtMode_3110", "pBtPtSensType_3110", "pBtPtSetNegVal_3110"}},
        {4, {"pBtAiMode_3110", "pBtAiGetDownVal_3110"}},
        {5, {"pBtAoMode_3110", "pBtAoCurrLvl_3110", "pBtAoSafMode_3110", "pBtAoSafLevel_3110",
             "pBtSetRealAoDownPoint_3110"}},
        {6, {"pBtSetDtPollMode_3110", "pBtSetDtSensID_3110"}},
    };
    for (const auto &tab : buttons)
        for (const QString &button : tab.second)
            QTest::newRow(qPrintable(button)) << tab.first << button;
}

void tst_moduledialog::noSelectionSendsNothing()
{
    QFETCH(int, tab);
    QFETCH(QString, button);
    preset(m_module, {"h1371=1", "h1445=1", "h742=2"}); // calibration panels enabled
    cDlgVrd_3310 *d = openDialog();
    showTab(tab)->clearSelection();
    const int writes = m_module->writeCount();
    boxAnswerer answers;
    QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(answers.titles, QStringList({"Operation not posible"}));
    QCOMPARE(answers.texts, QStringList({selectFirst}));
    QCOMPARE(d->writesInFlight() + d->writesWaiting(), 0);
    QTest::qWait(300);
    QCOMPARE(m_module->writeCount(), writes);
    QVERIFY(d->isPolling() || !d->isPollDone());
}

void tst_moduledialog::maskWritesKeepOtherBits()
{
    preset(m_module, {"h1596=145", "i0=0", "i1=0", "i2=0", "i58=500", "i60=700", "i62=900"});
    cDlgVrd_3310 *d = openDialog();
    QTableWidget *dout = showTab(2);
    const auto setNormal = [&](int row, int index) {
        selectRow(dout, row);
        d->ui.cBoxDoNorm_3110->setCurrentIndex(index);
        QTest::mouseClick(d->ui.pBtDoNormalState_3110, Qt::LeftButton);
    };
    setNormal(2, 1);
    QTRY_COMPARE(m_module->reg(1596), quint16(0x95));
    setNormal(0, 0);
    QTRY_COMPARE(m_module->reg(1596), quint16(0x94));

    // Two presses before the module has answered the poll in front of them.
    m_module->setFault(simFault::SlowBytes);
    QVERIFY(workerHarness::waitUntil([d] { return !d->isPollDone(); }));
    setNormal(5, 1);
    setNormal(6, 1);
    QTRY_COMPARE(m_module->reg(1596), quint16(0xF4));

    QTableWidget *din = showTab(1);
    QVERIFY(workerHarness::waitUntil([d] { return !d->isPollDone(); }));
    for (int row : {1, 2}) {
        selectRow(din, row);
        QTest::mouseClick(d->ui.pBtDiResCounter_3110, Qt::LeftButton);
    }
    QTRY_COMPARE(m_module->inputReg(60), quint16(0));
    QTRY_COMPARE(m_module->inputReg(62), quint16(0));
    QCOMPARE(m_module->inputReg(58), quint16(500));
    QTRY_COMPARE(cellAt(din, 2, 3), QStringLiteral("0"));
}

void tst_moduledialog::maskRefusedBeforeFirstPoll()
{
    preset(m_module, {"h1596=15"});
    m_module->setFault(simFault::NoReply);
    cDlgVrd_3310 *d = openDialog();
    d->ui.tabMain_3110->setCurrentIndex(2);
    d->ui.cBoxDoNorm_3110->setCurrentIndex(0);
    boxAnswerer answers;
    QTest::mouseClick(d->ui.pBtDoNormalState_3110, Qt::LeftButton);
    QCOMPARE(answers.texts, QStringList({notReported}));
    QCOMPARE(d->writesInFlight() + d->writesWaiting(), 0);
    m_module->setFault(simFault::None);
    QTRY_COMPARE(cellAt(d->ui.tblDoSafetyPrm_3110, 0, 2), QStringLiteral("True"));
    QCOMPARE(m_module->reg(1596), quint16(15));
}

void tst_moduledialog::sensorIdNeedsWholeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("written");
    QTest::addColumn<quint64>("id");
    QTest::newRow("empty") << "" << false << Q_UINT64_C(0);
    QTest::newRow("0") << "0" << false << Q_UINT64_C(0);
    QTest::newRow("0x") << "0x" << false << Q_UINT64_C(0);
    QTest::newRow("0x0 unbinds") << "0x0" << true << Q_UINT64_C(0);
    QTest::newRow("0x1f") << "0x1f" << true << Q_UINT64_C(31);
}

void tst_moduledialog::sensorIdNeedsWholeText()
{
    QFETCH(QString, text);
    QFETCH(bool, written);
    QFETCH(quint64, id);
    cDlgVrd_3310 *d = openDialog();
    const quint64 before = reportedId(m_module, 1);
    QVERIFY(before != 0);
    selectRow(showTab(6), 1);
    d->ui.lEditDtSensID_3110->setText(text);
    boxAnswerer answers;
    QTest::mouseClick(d->ui.pBtSetDtSensID_3110, Qt::LeftButton);
    if (written) {
        QVERIFY(answers.texts.isEmpty());
        QTRY_COMPARE(reportedId(m_module, 1), id);
        return;
    }
    QCOMPARE(answers.texts,
             QStringList({"Enter the sensor ID as \"0x\" followed by 1 to 16 hexadecimal digits."}));
    QCOMPARE(d->writesInFlight() + d->writesWaiting(), 0);
    QTest::qWait(300);
    QCOMPARE(reportedId(m_module, 1), before);
}

void tst_moduledialog::aoModeSendsOwnLevel()
{
    preset(m_module, {"F522=1.5", "F524=2.5"});
    cDlgVrd_3310 *d = openDialog();
    QTableWidget *t = showTab(5);
    QTRY_COMPARE(cellAt(t, 1, 2), QStringLiteral("2.5"));
    selectRow(t, 0);
    QCOMPARE(d->ui.dSpBoxAoCurrLvl_3110->value(), 1.5);
    t->selectRow(1); // by keyboard: the editors keep channel 0's values
    d->ui.cBoxAoMode_3110->setCurrentIndex(1);
    QTest::mouseClick(d->ui.pBtAoMode_3110, Qt::LeftButton);
    QTRY_COMPARE(m_module->reg(743), quint16(1));
    QCOMPARE(m_module->holdingFloat(524), 2.5f);
    QCOMPARE(m_module->holdingFloat(522), 1.5f);

    d->ui.dSpBoxAoCurrLvl_3110->setValue(3.25);
    d->ui.cBoxAoMode_3110->setCurrentIndex(0);
    QTest::mouseClick(d->ui.pBtAoMode_3110, Qt::LeftButton);
    QTRY_COMPARE(m_module->reg(743), quint16(0));
    QTRY_COMPARE(m_module->holdingFloat(524), 3.25f); // the second request of its batch
}

void tst_moduledialog::sliderWritesSelectedChannel()
{
    cDlgVrd_3310 *d = openDialog();
    QTableWidget *t = showTab(5);
    QSlider *slider = d->ui.sldAoCurrLvl_3110;
    selectRow(t, 2);
    ledLog log({d->ui.lbAoCurrLvlLed_3110});
    slider->setSliderDown(true);
    slider->setSliderPosition(537);
    QCOMPARE(d->ui.dSpBoxAoCurrLvl_3110->value(), 5.37);
    slider->setSliderDown(false);
    QTRY_COMPARE(m_module->holdingFloat(526), 5.37f);
    QTRY_VERIFY(log.saw(d->ui.lbAoCurrLvlLed_3110, "ok"));
    for (quint16 reg : {522, 524, 528, 530})
        QCOMPARE(m_module->holdingFloat(reg), 0.0f);

    t->clearSelection();
    boxAnswerer answers;
    slider->setSliderDown(true);
    for (int position : {100, 200, 300})
        slider->setSliderPosition(position);
    slider->setSliderDown(false);
    QCOMPARE(answers.texts, QStringList({selectFirst}));
    QCOMPARE(d->ui.dSpBoxAoCurrLvl_3110->value(), 5.37);
    QCOMPARE(d->writesInFlight() + d->writesWaiting(), 0);
}

// Register 801 is an AI input and an AO holding register: each tab must be
// drawn from its own poll only.
void tst_moduledialog::aiAndAoNeverShareADraw()
{
    preset(m_module, {"F801=9.75"});
    cDlgVrd_3310 *d = openDialog();
    QStringList wrong;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        const QString ai = cellAt(d->ui.tblAiPrm_3110, 0, 2);
        const QString ao = cellAt(d->ui.tblAoSet_3110, 2, 4);
        if (ai != QStringLiteral("---") && ai != QStringLiteral("2.5"))
            wrong << QStringLiteral("AI ") + ai;
        if (ao != QStringLiteral("---") && ao != QStringLiteral("9.75"))
            wrong << QStringLiteral("AO ") + ao;
    });
    watch.start(1);
    for (int i = 0; i < 4; ++i) {
        showTab(4);
        showTab(5);
    }
    QTRY_COMPARE(cellAt(d->ui.tblAiPrm_3110, 0, 2), QStringLiteral("2.5"));
    QTRY_COMPARE(cellAt(d->ui.tblAoSet_3110, 2, 4), QStringLiteral("9.75"));
    QCOMPARE(wrong, QStringList());
}

void tst_moduledialog::enterCalibration(int tab, int row)
{
    const calibrTab_t &c = calibrTabOf(tab);
    m_module->setReg(quint16(c.modeReg + row), c.calibrMode);
    selectRow(showTab(tab), row);
    const auto *low = widget<QPushButton>(QLatin1String(c.buttons[0]));
    const auto *high = widget<QPushButton>(QLatin1String(c.buttons[1]));
    QVERIFY(workerHarness::waitUntil([&] {
        return widget<QGroupBox>(QLatin1String(c.group))->isEnabled() && low->isEnabled() && !high->isEnabled();
    }));
}

void tst_moduledialog::calibration_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<bool>("saveFails");
    QTest::addColumn<bool>("otherChannel");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("picture");
    QTest::newRow("Pt") << 3 << 900.0 << 1500.0 << false << false << "Is Successful" << "ok";
    QTest::newRow("AI") << 4 << 0.5 << 9.5 << false << false << "Is Successful" << "ok";
    QTest::newRow("AO") << 5 << 1.0 << 9.0 << false << false << "Is Successful" << "ok";
    QTest::newRow("Pt, high point on another channel") << 3 << 900.0 << 1500.0 << false << true
                                                       << "Incorrect sequence of actions" << "err";
    QTest::newRow("AI, points too close") << 4 << 5.0 << 5.2 << false << false
                                          << "Calibration points are too close" << "err";
    QTest::newRow("AO, out of range") << 5 << 1.0 << 20.0 << false << false << "Invalid Value" << "err";
    QTest::newRow("AO, save error") << 5 << 1.0 << 9.0 << true << false << "Save Error" << "err";
}

void tst_moduledialog::calibration()
{
    QFETCH(int, tab);
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(bool, saveFails);
    QFETCH(bool, otherChannel);
    QFETCH(QString, status);
    QFETCH(QString, picture);
    const calibrTab_t &c = calibrTabOf(tab);
    m_module->setCalibrationSaveFails(saveFails);
    openDialog();
    m_module->setReg(quint16(c.modeReg + 1), c.calibrMode);
    enterCalibration(tab, 0);
    QCOMPARE(widget<QLabel>(QLatin1String(c.status))->text(), QStringLiteral("Not started"));
    const auto button = [&](int step) { return widget<QPushButton>(QLatin1String(c.buttons[step])); };
    const auto point = [&](int step, double value) {
        if (!c.values[step])
            return m_module->setAiInput(0, float(value));
        widget<QDoubleSpinBox>(QLatin1String(c.values[step]))->setValue(value);
    };
    point(0, low);
    QTest::mouseClick(button(0), Qt::LeftButton);
    QTRY_VERIFY(button(1)->isEnabled() && !button(0)->isEnabled());
    if (otherChannel)
        selectRow(widget<QTableWidget>(QLatin1String(tables[tab])), 1);
    point(1, high);
    QTest::mouseClick(button(1), Qt::LeftButton);
    QTRY_VERIFY(button(2)->isEnabled() && !button(1)->isEnabled());
    QLabel *statusLed = widget<QLabel>(QLatin1String(c.statusLed));
    QCOMPARE(pictureName(statusLed), QStringLiteral("wait"));
    QTest::mouseClick(button(2), Qt::LeftButton);
    QTRY_COMPARE(widget<QLabel>(QLatin1String(c.status))->text(), status);
    QCOMPARE(pictureName(statusLed), picture);
    QVERIFY(button(0)->isEnabled() && !button(2)->isEnabled());
    for (int command = 0; command < 3; ++command)
        QTRY_COMPARE(m_module->reg(quint16(c.firstCommand + command)), quint16(0));
}

void tst_moduledialog::calibrationStepFailure_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("failing");
    QTest::newRow("AI low point") << 4 << 0;
    QTest::newRow("AO high point") << 5 << 1;
    QTest::newRow("Pt execute after a successful run") << 3 << 2;
}

void tst_moduledialog::calibrationStepFailure()
{
    QFETCH(int, tab);
    QFETCH(int, failing);
    const calibrTab_t &c = calibrTabOf(tab);
    m_module->setAiInput(0, 0.5);
    openDialog();
    enterCalibration(tab, 0);
    const auto button = [&](int step) { return widget<QPushButton>(QLatin1String(c.buttons[step])); };
    QLabel *status = widget<QLabel>(QLatin1String(c.status));
    const auto run = [&](int untilStep) {
        for (int step = 0; step < untilStep; ++step) {
            if (tab == 4)
                m_module->setAiInput(0, step == 0 ? 0.5f : 9.5f);
            QTest::mouseClick(button(step), Qt::LeftButton);
            QVERIFY(workerHarness::waitUntil([&] { return button((step + 1) % 3)->isEnabled(); }));
        }
    };
    if (failing == 2) {
        run(3);
        QTRY_COMPARE(status->text(), QStringLiteral("Is Successful"));
    }
    run(failing);
    QLabel *led = widget<QLabel>(QLatin1String(c.leds[failing]));
    ledLog log({led});
    m_module->setFault(simFault::NoReply);
    QTest::mouseClick(button(failing), Qt::LeftButton);
    QTRY_VERIFY(log.saw(led, "err"));
    QTest::qWait(300);
    for (int step = 0; step < 3; ++step)
        QCOMPARE(button(step)->isEnabled(), step == failing);
    m_module->setFault(simFault::None);
    QTRY_COMPARE(status->text(), failing == 0 ? QStringLiteral("Not started") : QStringLiteral("To Progress"));
    QTest::mouseClick(button(failing), Qt::LeftButton);
    QTRY_VERIFY(button((failing + 1) % 3)->isEnabled());
}

void tst_moduledialog::leavingCalibrationDisablesPanel()
{
    const calibrTab_t &c = calibrTabOf(4);
    openDialog();
    enterCalibration(4, 0);
    auto *group = widget<QGroupBox>(QLatin1String(c.group));
    auto *low = widget<QPushButton>(QLatin1String(c.buttons[0]));
    QTest::mouseClick(low, Qt::LeftButton);
    QTRY_VERIFY(!low->isEnabled());
    m_module->setReg(c.modeReg, 0);
    QTRY_VERIFY(!group->isEnabled());
    m_module->setReg(c.modeReg, c.calibrMode);
    QTRY_VERIFY(group->isEnabled());
    QVERIFY(low->isEnabled());
    QCOMPARE(widget<QLabel>(QLatin1String(c.status))->text(), QStringLiteral("Not started"));
}

void tst_moduledialog::silentModuleMarksValuesStale()
{
    cDlgVrd_3310 *d = openDialog();
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("5"));
    auto *line = widget<QLabel>(QStringLiteral("lbLinkState_3110"));
    QVERIFY(line->isHidden());
    QTableWidget *di = d->ui.tblDiModeSettings_3110;
    const QFont font = di->font();
    const int headerHeight = di->horizontalHeader()->sizeHint().height();
    m_module->setFault(simFault::NoReply);
    QTRY_VERIFY_WITH_TIMEOUT(d->showsStaleValues(), 10000);
    QVERIFY(line->isVisible());
    // Only the colour changes.
    QCOMPARE(di->font(), font);
    QCOMPARE(di->horizontalHeader()->sizeHint().height(), headerHeight);
    QCOMPARE(di->palette().color(QPalette::Text), QColor(Qt::gray));
    QVERIFY2(line->text().contains(QRegularExpression(QStringLiteral(
                 "^No answer from the module since \\d\\d:\\d\\d:\\d\\d: the values shown are not current.$"))),
             qPrintable(line->text()));
    QCOMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("5"));
    m_module->setFault(simFault::None);
    QTRY_VERIFY_WITH_TIMEOUT(!d->showsStaleValues(), 10000);
    QVERIFY(line->isHidden());
}

void tst_moduledialog::followsModuleToNewLine_data()
{
    QTest::addColumn<QList<int>>("presses"); // address, baud index, format per "Set"
    QTest::addColumn<QString>("line");
    QTest::newRow("one") << QList<int>{17, 3, 2} << "9600 8E1";
    QTest::newRow("two quick ones") << QList<int>{17, 3, 2, 23, 4, 0} << "19200 8N1";
}

// After the module takes a new address and line, the dialog keeps talking
// to it there, and the found-modules table says where it is now.
void tst_moduledialog::followsModuleToNewLine()
{
    QFETCH(QList<int>, presses);
    QFETCH(QString, line);
    for (int r = 0; r < 256; ++r) // other modules' rows before its own
        m_window->addModuleToTableSlot(scan_return_t{quint16(100 + r % 100), 0, 0, 3310, 1, 0, 1});
    m_window->addModuleToTableSlot(scan_return_t{5, 0, 0, 3310, 1, 0, 1});
    cDlgVrd_3310 *d = openDialog(1, 256);
    QTRY_COMPARE(d->ui.sBoxMdbAddr_3110->value(), 5);
    for (int i = 0; i < presses.size(); i += 3) {
        d->ui.sBoxMdbAddr_3110->setValue(presses[i]);
        d->ui.cBoxBdr_3110->setCurrentIndex(presses[i + 1]);
        d->ui.cBoxCfgPort_3110->setCurrentIndex(presses[i + 2]);
        QTest::mouseClick(d->ui.pBtInterAccept_3110, Qt::LeftButton);
    }
    const QString address = QString::number(presses[presses.size() - 3]);
    QTRY_COMPARE(QString::number(m_module->address()), address);
    const QTableWidget *t = m_window->ui.tblScan;
    QTRY_COMPARE(t->item(256, 1)->text(), address);
    QCOMPARE(t->item(256, 4)->text() + QLatin1Char(' ') + t->item(256, 5)->text(), line);
    QCOMPARE(QString::number(m_window->foundModules().at(256).address), address);
    QCOMPARE(t->item(0, 1)->text(), QStringLiteral("100"));
    QCOMPARE(d->windowTitle(), QStringLiteral("VRD-3310 at address %1 - %2, %3").arg(address, m_bus->portPath(), line));
    m_module->setReg(1582, quint16(address.toUInt()));
    d->ui.tabGeneral_3110->setCurrentIndex(1);
    m_module->setReg(1585, 4321);
    QTRY_COMPARE(cell(d->ui.tblSysPrm_3110, 1), QStringLiteral("4321"));
    QVERIFY(!d->showsStaleValues());
}

void tst_moduledialog::onlyWhatIsShownIsSent_data()
{
    QTest::addColumn<int>("tab"); // -1: the System sub-tab
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<int>("reg"); // two registers that must keep their values
    const QString range = QStringLiteral("The value %1 is outside the allowed range from %2 to %3.");
    const QString ao = QStringLiteral("dSpBoxAoCurrLvl_3110");
    QTest::newRow("DI mode, row 0 untouched") << 1 << true << "" << "" << "pBtDiMode_3110" << "" << 174;
    QTest::newRow("DO mode") << 2 << true << "" << "" << "pBtDoMode_3110" << "" << 464;
    QTest::newRow("DO normal state") << 2 << true << "" << "" << "pBtDoNormalState_3110" << "" << 1596;
    QTest::newRow("Pt sensor") << 3 << true << "" << "" << "pBtPtSensType_3110" << "" << 1317;
    QTest::newRow("AI mode") << 4 << true << "" << "" << "pBtAiMode_3110" << "" << 1445;
    QTest::newRow("AO mode") << 5 << true << "" << "" << "pBtAoMode_3110" << "" << 742;
    QTest::newRow("AO level") << 5 << true << "" << "" << "pBtAoCurrLvl_3110" << "" << 522;
    QTest::newRow("AO safety level") << 5 << true << "" << "" << "pBtAoSafLevel_3110" << "" << 797;
    QTest::newRow("1-Wire poll mode") << 6 << true << "" << "" << "pBtSetDtPollMode_3110" << "" << 1257;
    QTest::newRow("1-Wire ID") << 6 << true << "" << "" << "pBtSetDtSensID_3110" << "" << 1017;
    QTest::newRow("AO level before its first poll") << 5 << false << "" << "" << "pBtAoCurrLvl_3110" << notReported << 522;
    QTest::newRow("1-Wire ID before its first poll") << 6 << false << "" << "" << "pBtSetDtSensID_3110" << notReported << 1017;
    QTest::newRow("safety time-out before its first poll") << -1 << false << "" << "" << "pBtSafTout_3110" << notReported << 1584;
    QTest::newRow("AO level 15") << 5 << true << ao << "15" << "pBtAoCurrLvl_3110" << range.arg("15", "0.00 V", "10.00 V") << 522;
    QTest::newRow("AO mode with level 15") << 5 << true << ao << "15" << "pBtAoMode_3110" << range.arg("15", "0.00 V", "10.00 V") << 522;
    QTest::newRow("Pt reference 500") << 3 << true << "dSpBoxPtNegCalibrValue_3110" << "500" << "pBtPtSetNegVal_3110"
                                      << range.arg("500", "683.250 Om", "960.860 Om") << 1593;
    QTest::newRow("safety time-out 70000") << -1 << true << "sBoxSafTout_3110" << "70000" << "pBtSafTout_3110"
                                           << range.arg("70000", "0 s", "65535 s") << 1584;
    QTest::newRow("watchdog -7x") << -1 << true << "sBoxWdtTout_3110" << "-7x" << "pBtWdtTout_3110"
                                  << range.arg("-7", "0 ms", "65535 ms") << 1584;
    QTest::newRow("watchdog under the poll period") << -1 << true << "sBoxWdtTout_3110" << "50" << "pBtWdtTout_3110"
        << "A watchdog time-out of 50 ms is shorter than this program's poll period of 100 ms: the module's watchdog "
           "will run out between two polls, while the module is in use. Set it anyway?" << 1584;
    QTest::newRow("address 0") << 0 << true << "sBoxMdbAddr_3110" << "0" << "pBtInterAccept_3110" << range.arg("0", "1", "247") << 1582;
    QTest::newRow("address 248") << 0 << true << "sBoxMdbAddr_3110" << "248" << "pBtInterAccept_3110" << range.arg("248", "1", "247") << 1582;
}

// "Set" sends what the editors show and nothing else: a row's own values
// while the user has touched nothing, and nothing for a value out of range.
void tst_moduledialog::onlyWhatIsShownIsSent()
{
    QFETCH(int, tab);
    QFETCH(bool, drawn);
    QFETCH(QString, editor);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, refusal);
    QFETCH(int, reg);
    preset(m_module, {"h174=3", "h464=2", "h1596=1", "h1317=1", "h1445=2", "h742=1", "F522=5.37", "F797=7.5",
                      "h1257=1", "h1371=1", "h1584=30"});
    m_window->addModuleToTableSlot(scan_return_t{5, 0, 0, 3310, 1, 0, 1});
    cDlgVrd_3310 *d = openDialog();
    QTRY_COMPARE(d->ui.sBoxMdbAddr_3110->value(), 5);
    if (!drawn)
        m_module->setFault(simFault::NoReply);
    if (tab < 0 && drawn)
        showSystemTab();
    else if (tab > 0 && drawn)
        showTab(tab);
    d->ui.tabMain_3110->setCurrentIndex(qMax(tab, 0));
    d->ui.tabGeneral_3110->setCurrentIndex(tab < 0 ? 1 : 0);
    if (!editor.isEmpty()) {
        widget<QAbstractSpinBox>(editor)->selectAll();
        QTest::keyClicks(widget<QAbstractSpinBox>(editor), typed);
    }
    const QPair<quint16, quint16> before{m_module->reg(quint16(reg)), m_module->reg(quint16(reg + 1))};
    const int writes = m_module->writeCount();
    boxAnswerer answers({QStringLiteral("Cancel")});
    QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(answers.texts, refusal.isEmpty() ? QStringList() : QStringList{refusal});
    QTRY_COMPARE(d->writesInFlight() + d->writesWaiting(), 0);
    QCOMPARE(m_module->writeCount() > writes, refusal.isEmpty());
    QCOMPARE(m_module->reg(quint16(reg)), before.first);
    QCOMPARE(m_module->reg(quint16(reg + 1)), before.second);
}

// Flipping DO -> General -> DO while the General poll is out: its answer is
// neither drawn as the DO table nor taken for the DO masks.
void tst_moduledialog::answerOfAnotherTabTeachesNothing()
{
    preset(m_module, {"h1596=15"});
    cDlgVrd_3310 *d = openDialog();
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("5"));
    m_module->setFault(simFault::SlowBytes);
    // Each flip the moment the poll in front goes out, or is answered.
    for (const auto &flip : {qMakePair(false, 2), qMakePair(true, 0), qMakePair(false, 2), qMakePair(true, 2)})
        QVERIFY(workerHarness::waitUntil([&] {
            const bool now = d->isPollDone() == flip.first;
            if (now)
                d->ui.tabMain_3110->setCurrentIndex(flip.second);
            return now;
        }));
    QCOMPARE(cellAt(d->ui.tblDoSafetyPrm_3110, 0, 2), QStringLiteral("---"));
    selectRow(d->ui.tblDoSafetyPrm_3110, 4);
    d->ui.cBoxDoNorm_3110->setCurrentIndex(1);
    boxAnswerer answers;
    QTest::mouseClick(d->ui.pBtDoNormalState_3110, Qt::LeftButton);
    QTRY_COMPARE(d->writesInFlight() + d->writesWaiting(), 0);
    QCOMPARE(m_module->reg(1596) & 15, 15);
}

void tst_moduledialog::lostPortSaidAndReconnected_data()
{
    QTest::addColumn<int>("transport");
    QTest::addColumn<QString>("text");
    QTest::newRow("pty") << int(busEndpoint::Pty)
                         << "The port %1 was lost: nothing reaches the module. Reconnect once the port is back.";
    for (int t : {busEndpoint::RtuOverTcp, busEndpoint::ModbusTcp})
        QTest::newRow(busEndpoint::names[t]) << t << "The link to %1 was lost: nothing reaches the module. Reconnect "
                                                    "once the device server is back.";
}

// A port lost under the dialog is said to be lost, the window shows it
// closed, and once it is back "Reconnect" resumes polling.
void tst_moduledialog::lostPortSaidAndReconnected()
{
    QFETCH(int, transport);
    QFETCH(QString, text);
    busEndpoint far(*m_bus, transport);
    QTemporaryDir dir;
    const QString link = transport == busEndpoint::Pty ? dir.filePath(QStringLiteral("ttyVRD")) : far.port();
    QVERIFY(transport != busEndpoint::Pty || m_bus->makeLink(link));
    m_fixture->shut();
    m_fixture->storeSettings(searchSettings(link, {0}, {0}, 100));
    m_window = m_fixture->open();
    cDlgVrd_3310 *d = openDialog();
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("5"));
    far.cut();
    auto *line = widget<QLabel>(QStringLiteral("lbLinkState_3110"));
    QTRY_COMPARE(line->text(), text.arg(link));
    QTRY_VERIFY(m_window->ui.pBtnConect->isEnabled() && !m_window->ui.pBtnDisconect->isEnabled());
    QVERIFY(far.restore());
    m_module->setReg(1582, 9);
    QTest::mouseClick(widget<QPushButton>(QStringLiteral("pBtReconnect_3110")), Qt::LeftButton);
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("9"));
    QVERIFY(line->isHidden());
}

// The window's one monitor goes with the modal dialog and stays usable there.
void tst_moduledialog::oneBusMonitorBesideDialog()
{
    m_window->openBusMonitor();
    m_window->openBusMonitor();
    const QPointer<cBusMonitor> monitor = m_window->busMonitor().monitor();
    QVERIFY(monitor);
    cDlgVrd_3310 *d = openDialog();
    d->hide();
    d->setWindowModality(Qt::ApplicationModal);
    d->show();
    QTest::mouseClick(d->findChild<QToolButton *>(QStringLiteral("pBtBusMonitor_3110")), Qt::LeftButton);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget *w) { return qobject_cast<cBusMonitor *>(w) && w->isVisible(); }), 1L);
    QCOMPARE(m_window->busMonitor().monitor(), monitor.data());
    // Through the window system, which drops a blocked window's clicks.
    auto *pause = monitor->findChild<QCheckBox *>();
    QTest::mouseClick(monitor->windowHandle(), Qt::LeftButton, {}, pause->mapTo(monitor, pause->rect().center()));
    QVERIFY(pause->isChecked());
    m_dialog.reset();
    QVERIFY(monitor && monitor->isVisible());
}

QTEST_MAIN(tst_moduledialog)
#include "tst_moduledialog.moc"
