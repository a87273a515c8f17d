#include <QtTest>

#include <QProgressDialog>

#include "boxAnswerer.h"
#include "cDlgVrd_3310.h"
#include "cSimBus.h"
#include "cUart.h"
#include "windowFixture.h"
#include "workerHarness.h"

// The module dialog against a simulated VRD-3310: polling, the General tab
// and its writes, opening a module from the found-modules table.
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

private:
    cDlgVrd_3310 *openDialog(quint8 variant = 1);
    static QString cell(QTableWidget *t, int row) { return t->item(row, 1)->text(); }
    static bool showsPicture(QLabel *led, const char *name);

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

cDlgVrd_3310 *tst_moduledialog::openDialog(quint8 variant)
{
    QTest::mouseClick(m_window->ui.pBtnConect, Qt::LeftButton);
    m_dialog = std::make_unique<cDlgVrd_3310>(variant, m_window, m_window);
    m_dialog->setModuleInfo(5, 3310);
    m_dialog->setPortPrm(settingsUart_t(), 0);
    m_dialog->show();
    return m_dialog.get();
}

bool tst_moduledialog::showsPicture(QLabel *led, const char *name)
{
    const QPixmap shown = led->pixmap(Qt::ReturnByValue);
    const QPixmap picture(QStringLiteral(":/mainClass/ICO/%1.png").arg(QLatin1String(name)));
    return !shown.isNull() && shown.toImage() == picture.toImage();
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
    QCOMPARE(d->size(), QSize(755, 470));
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

    m_module->setReg(1112, quint16(2 | 5 << 4 | 9 << 8));
    m_module->setReg(1114, quint16(7 | 3 << 5));
    m_module->setReg(1113, 2021);
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
    QTest::mouseClick(d->ui.pBtInterAccept_3110, Qt::LeftButton);
    QTRY_VERIFY(showsPicture(d->ui.lbInterAcceptLed_3110, "ok"));
    QCOMPARE(int(m_module->reg(1583)), word);
    QCOMPARE(int(m_module->reg(1582)), 17);
    QCOMPARE(m_module->address(), quint8(17));
    QTRY_VERIFY(showsPicture(d->ui.lbInterAcceptLed_3110, "wait"));
}

void tst_moduledialog::timeoutWritesFlashLed()
{
    cDlgVrd_3310 *d = openDialog();
    d->ui.tabGeneral_3110->setCurrentIndex(1);
    QTRY_COMPARE(d->ui.sBoxSafTout_3110->value(), int(m_module->reg(1584)));
    d->ui.sBoxSafTout_3110->setValue(42);
    d->ui.sBoxWdtTout_3110->setValue(1500);
    QTest::mouseClick(d->ui.pBtSafTout_3110, Qt::LeftButton);
    QTRY_VERIFY(showsPicture(d->ui.lbSafToutLed_3110, "ok"));
    QCOMPARE(m_module->reg(1584), quint16(42));
    QCOMPARE(m_module->reg(1585), quint16(0));
    QTest::mouseClick(d->ui.pBtWdtTout_3110, Qt::LeftButton);
    QTRY_VERIFY(showsPicture(d->ui.lbWdtToutLed_3110, "ok"));
    QCOMPARE(m_module->reg(1585), quint16(1500));
    QTRY_COMPARE(cell(d->ui.tblSysPrm_3110, 1), QStringLiteral("1500"));
    QVERIFY(d->isPolling() || !d->isPollDone());
}

void tst_moduledialog::failedWriteShowsError()
{
    cDlgVrd_3310 *d = openDialog();
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("5"));
    m_module->setFault(simFault::NoReply);
    QTest::mouseClick(d->ui.pBtWdtTout_3110, Qt::LeftButton);
    QTRY_VERIFY(showsPicture(d->ui.lbWdtToutLed_3110, "err"));
    QTRY_VERIFY(showsPicture(d->ui.lbWdtToutLed_3110, "wait"));
    QCOMPARE(d->writesInFlight(), 0);
}

void tst_moduledialog::addressCheck_data()
{
    QTest::addColumn<bool>("listed");
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("empty list") << false << 5 << "The list of found modules is empty.";
    QTest::newRow("another module's address") << true << 9
                                              << "A module with this address already exists in the list.";
    QTest::newRow("own address") << true << 5 << "";
    QTest::newRow("free address") << true << 6 << "";
}

void tst_moduledialog::addressCheck()
{
    QFETCH(bool, listed);
    QFETCH(int, address);
    QFETCH(QString, refusal);
    if (listed) {
        m_window->addModuleToTableSlot(scan_return_t{5, 0, 0, 3310, 1, 0, 1});
        m_window->addModuleToTableSlot(scan_return_t{9, 4, 0, 3310, 1, 0, 1});
    }
    cDlgVrd_3310 *d = openDialog();
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
    QVERIFY(showsPicture(d->ui.lbSetFactoryLed_3110, "wait"));
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
    QTest::mouseClick(d->ui.pBtSetFactory_3110, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(showsPicture(d->ui.lbSetFactoryLed_3110, "ok"), 30000);
    QVERIFY(progressSeen);
    QCOMPARE(m_module->reg(1584), factory);
    QVERIFY(!d->findChild<QProgressDialog *>(QStringLiteral("ProgressDlg")));
}

void tst_moduledialog::commaIgnoredInAoValues()
{
    cDlgVrd_3310 *d = openDialog();
    for (QDoubleSpinBox *box : {d->ui.dSpBoxAOSafLvl_3110, d->ui.dSpBoxAoCurrLvl_3110}) {
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, Qt::NoModifier, QStringLiteral(","));
        QVERIFY(d->eventFilter(box, &comma));
        QKeyEvent digit(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
        QVERIFY(!d->eventFilter(box, &digit));
    }
}

void tst_moduledialog::closingWithWritePendingIsSafe()
{
    cDlgVrd_3310 *d = openDialog();
    QTRY_COMPARE(cell(d->ui.tblInterPrm_3110, 5), QStringLiteral("5"));
    m_module->setFault(simFault::SlowBytes);
    QVERIFY(workerHarness::waitUntil([d] { return !d->isPollDone(); }));
    d->ui.tabGeneral_3110->setCurrentIndex(1);
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
    QCOMPARE(shownTitle, QStringLiteral("VRD-3310"));
    QVERIFY(!m_window->isSearchRunning());
    const int completions = searchRunning ? 0 : 1;
    QCOMPARE(answers.count(), completions);
    QTRY_VERIFY(m_window->worker()->isPortOpen());
}

QTEST_MAIN(tst_moduledialog)
#include "tst_moduledialog.moc"
