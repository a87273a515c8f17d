#include <QtTest>

#include "boxAnswerer.h"
#include "busEndpoint.h"
#include "cSimBus.h"
#include "cUart.h"
#include "windowFixture.h"

// Searching a simulated bus through the main window's controls.
class tst_search : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listsEveryAnsweringCombinationOnce();
    void newSearchClearsTable();
    void nothingFound();
    void stopConfirmedSaysWhereItStopped();
    void stopCancelledKeepsSearching();
    void pauseRaiseEndContinue();
    void startRefused_data();
    void startRefused();
    void portFailureLeavesTableAlone();
    void lostPortEndsIncomplete_data();
    void lostPortEndsIncomplete();
    void exportRoundTrips();
    void checkModuleAddress();

private:
    mainClass *openWindow(windowFixture &f, int start, int end);
    void startAndFinish(mainClass *w, boxAnswerer &answers);
    static QStringList row(const QTableWidget *table, int r);
    static void verifyIdle(mainClass *w);

    cSimBus m_bus;
};

namespace {
enum { b115200, b57600, b38400, b19200, b9600 };
const char *const pt100 = "8:DI 8:DO 2:AI 5:AO 4:PT100 10:DS18B20";
const char *const pt1000 = "8:DI 8:DO 2:AI 5:AO 4:PT1000 10:DS18B20";
} // namespace

void tst_search::initTestCase()
{
    QVERIFY(m_bus.start());
    m_bus.addModule(2, 19200, 2, 1);
    m_bus.addModule(3, 9600, 0, 12);
    m_bus.addModule(4, 9600, 1, 2);
}

mainClass *tst_search::openWindow(windowFixture &f, int start, int end)
{
    f.storeSettings(searchSettings(m_bus.portPath(), {b115200, b19200, b9600}, {0, 1, 2, 3}, 50));
    mainClass *w = f.open();
    w->ui.sBoxStartAddr->setValue(start);
    w->ui.sBoxEndAddr->setValue(end);
    return w;
}

void tst_search::startAndFinish(mainClass *w, boxAnswerer &answers)
{
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w->isSearchRunning(), 60000);
    QCOMPARE(answers.titles.last(), QStringLiteral("Search Completed"));
}

QStringList tst_search::row(const QTableWidget *table, int r)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c)
        cells << table->item(r, c)->text();
    return cells;
}

void tst_search::verifyIdle(mainClass *w)
{
    QVERIFY(w->ui.pBtnStartSrch->isEnabled());
    QVERIFY(!w->ui.pBtnPauseSrch->isEnabled());
    QVERIFY(!w->ui.pBtnStopSrch->isEnabled());
    QVERIFY(w->ui.sBoxStartAddr->isEnabled());
    QVERIFY(w->ui.sBoxEndAddr->isEnabled());
    QCOMPARE(w->ui.lbCurrStatus->text(), QStringLiteral("Waiting for action"));
    QCOMPARE(w->ui.progressBar->format(), QStringLiteral("%p%"));
    QVERIFY(!w->isSearchRunning());
}

void tst_search::listsEveryAnsweringCombinationOnce()
{
    windowFixture f;
    mainClass *w = openWindow(f, 0, 4);
    boxAnswerer answers;
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QVERIFY(!w->ui.pBtnStartSrch->isEnabled());
    QVERIFY(w->ui.pBtnPauseSrch->isEnabled());
    QVERIFY(w->ui.pBtnStopSrch->isEnabled());
    QVERIFY(!w->ui.sBoxStartAddr->isEnabled());
    QVERIFY(!w->ui.sBoxEndAddr->isEnabled());
    QCOMPARE(w->ui.lbCurrStatus->text(), QStringLiteral("Search modules"));
    QVERIFY2(w->ui.progressBar->format().contains(QStringLiteral(" left")), qPrintable(w->ui.progressBar->format()));
    QTRY_VERIFY(!w->ui.pBtnConect->isEnabled() && !w->ui.pBtnDisconect->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!w->isSearchRunning(), 60000);

    QCOMPARE(answers.titles, QStringList({"Search Completed"}));
    QCOMPARE(answers.texts, QStringList({"Found Devices: 3"}));
    const QTableWidget *t = w->ui.tblScan;
    QCOMPARE(t->rowCount(), 3);
    QCOMPARE(row(t, 0), QStringList({"1", "2", "VRD-3310", "01", "19200", "8E1", pt1000}));
    QCOMPARE(row(t, 1), QStringList({"2", "3", "VRD-3310", "12", "9600", "8N1", pt1000}));
    QCOMPARE(row(t, 2), QStringList({"3", "4", "VRD-3310", "02", "9600", "8N2", pt100}));
    QCOMPARE(t->item(0, 6)->textAlignment(), int(Qt::AlignCenter));
    QCOMPARE(w->foundModules().size(), 3);
    QCOMPARE(w->foundModules().at(0).baudIndex, quint8(3));
    QCOMPARE(w->foundModules().at(0).formatIndex, quint8(2));
    QCOMPARE(w->ui.progressBar->value(), 0);
    QCOMPARE(w->ui.lbNuComPort->text(), m_bus.portPath());
    QCOMPARE(w->ui.lbAddrDev->text(), QStringLiteral("4"));
    QCOMPARE(w->ui.lbBdrDev->text(), QStringLiteral("9600"));
    QCOMPARE(w->ui.lbCfgDev->text(), QStringLiteral("8O1"));
    verifyIdle(w);
    f.shut();
}

void tst_search::newSearchClearsTable()
{
    windowFixture f;
    mainClass *w = openWindow(f, 2, 2);
    boxAnswerer answers;
    startAndFinish(w, answers);
    QCOMPARE(w->ui.tblScan->rowCount(), 1);
    startAndFinish(w, answers);
    QCOMPARE(w->ui.tblScan->rowCount(), 1);
    QCOMPARE(w->ui.tblScan->item(0, 0)->text(), QStringLiteral("1"));
    QCOMPARE(w->foundModules().size(), 1);
    f.shut();
}

void tst_search::nothingFound()
{
    windowFixture f;
    mainClass *w = openWindow(f, 10, 11);
    boxAnswerer answers;
    startAndFinish(w, answers);
    QCOMPARE(answers.texts, QStringList({"Nothing Found"}));
    QCOMPARE(w->ui.tblScan->rowCount(), 0);
    verifyIdle(w);
    f.shut();
}

void tst_search::stopConfirmedSaysWhereItStopped()
{
    windowFixture f;
    mainClass *w = openWindow(f, 2, 120);
    boxAnswerer answers({QStringLiteral("Yes"), QStringLiteral("Close")});
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w->ui.tblScan->rowCount() == 1, 20000);
    QTest::mouseClick(w->ui.pBtnStopSrch, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w->isSearchRunning(), 20000);
    QCOMPARE(answers.titles, QStringList({"Warning", "Search Stopped"}));
    QCOMPARE(answers.texts.first(), QStringLiteral("Are you sure?"));
    QVERIFY2(answers.texts.last().contains(QRegularExpression(QStringLiteral(
                 "^The search was stopped at address \\d+, (115200|19200|9600) 8(N1|N2|E1|O1).\nThe search is "
                 "incomplete: the rest of the range was not searched. Modules found: 1.$"))),
             qPrintable(answers.texts.last()));
    QVERIFY(w->ui.progressBar->value() < 120);
    verifyIdle(w);
    f.shut();
}

void tst_search::stopCancelledKeepsSearching()
{
    windowFixture f;
    mainClass *w = openWindow(f, 10, 120);
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    {
        boxAnswerer answers({QStringLiteral("Cancel")});
        QTest::mouseClick(w->ui.pBtnStopSrch, Qt::LeftButton);
        QCOMPARE(answers.texts, QStringList({"Are you sure?"}));
    }
    const int before = w->ui.progressBar->value();
    QVERIFY(w->isSearchRunning());
    QVERIFY(!w->ui.pBtnStartSrch->isEnabled());
    QVERIFY(w->ui.pBtnStopSrch->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(w->ui.progressBar->value() > before + 1, 20000);
    f.shut();
}

void tst_search::pauseRaiseEndContinue()
{
    windowFixture f;
    mainClass *w = openWindow(f, 0, 1);
    boxAnswerer answers;
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QTest::mouseClick(w->ui.pBtnPauseSrch, Qt::LeftButton);
    QVERIFY(w->ui.pBtnStartSrch->isEnabled());
    QVERIFY(!w->ui.pBtnPauseSrch->isEnabled());
    QVERIFY(w->ui.pBtnStopSrch->isEnabled());
    QVERIFY(!w->ui.sBoxStartAddr->isEnabled());
    QVERIFY(w->ui.sBoxEndAddr->isEnabled());
    QCOMPARE(w->ui.lbCurrStatus->text(), QStringLiteral("Pause in search"));
    w->ui.sBoxEndAddr->setValue(2);
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QCOMPARE(w->ui.progressBar->maximum(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!w->isSearchRunning(), 60000);
    QCOMPARE(answers.texts, QStringList({"Found Devices: 1"}));
    QCOMPARE(w->ui.tblScan->item(0, 1)->text(), QStringLiteral("2"));
    f.shut();
}

void tst_search::startRefused_data()
{
    QTest::addColumn<QList<int>>("bauds");
    QTest::addColumn<QList<int>>("formats");
    QTest::addColumn<QString>("text");
    const QString choose = QStringLiteral(" is chosen. Choose at least one in the search settings.");
    QTest::newRow("reversed range") << QList<int>{b9600} << QList<int>{0}
                                    << "The start address must not be above the end address.";
    QTest::newRow("no baud rate") << QList<int>{} << QList<int>{0} << "No baud rate" + choose;
    QTest::newRow("no frame format") << QList<int>{b9600} << QList<int>{} << "No frame format" + choose;
}

void tst_search::startRefused()
{
    QFETCH(QList<int>, bauds);
    QFETCH(QList<int>, formats);
    QFETCH(QString, text);
    windowFixture f;
    f.storeSettings(searchSettings(m_bus.portPath(), bauds, formats, 50));
    mainClass *w = f.open();
    w->ui.sBoxStartAddr->setValue(QTest::currentDataTag() == QLatin1String("reversed range") ? 5 : 2);
    w->ui.sBoxEndAddr->setValue(3);
    boxAnswerer answers;
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QCOMPARE(answers.titles, QStringList({"Operation not posible"}));
    QCOMPARE(answers.texts, QStringList({text}));
    QVERIFY(!w->worker()->isPortOpen());
    verifyIdle(w);
    f.shut();
}

void tst_search::portFailureLeavesTableAlone()
{
    windowFixture f;
    f.storeSettings(searchSettings(QStringLiteral("/dev/ttyZT-none"), {b9600}, {0}, 50));
    mainClass *w = f.open();
    w->addModuleToTableSlot(scan_return_t{7, 4, 0, 3310, 1, 0, 1});
    boxAnswerer answers;
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QCOMPARE(answers.titles, QStringList({"Operation not posible"}));
    QCOMPARE(answers.texts, QStringList({"The port /dev/ttyZT-none does not exist"}));
    QCOMPARE(w->ui.tblScan->rowCount(), 1);
    QCOMPARE(w->foundModules().size(), 1);
    verifyIdle(w);
    f.shut();
}

void tst_search::lostPortEndsIncomplete_data()
{
    QTest::addColumn<int>("transport");
    QTest::addColumn<QStringList>("cells"); // baud and format
    QTest::addColumn<QString>("where");
    const QString server = QStringLiteral("set by the device server");
    QTest::newRow("pty") << int(busEndpoint::Pty) << QStringList{"9600", "8N1"} << "9600 8N1";
    for (int t : {busEndpoint::RtuOverTcp, busEndpoint::ModbusTcp})
        QTest::newRow(busEndpoint::names[t]) << t << QStringList{server, server} << "on the device server's line";
}

// A bus that goes away mid-search leaves the rest of the range unsearched:
// the search says so instead of reporting a complete one (over the network with no line ticked).
void tst_search::lostPortEndsIncomplete()
{
    QFETCH(int, transport);
    QFETCH(QStringList, cells);
    QFETCH(QString, where);
    cSimBus bus;
    QVERIFY(bus.start());
    bus.addModule(2, 9600, 0, 1);
    busEndpoint link(bus, transport);
    const bool network = transport != busEndpoint::Pty;
    windowFixture f;
    f.storeSettings(searchSettings(link.port(), network ? QList<int>() : QList<int>{b9600}, {0}, 50));
    mainClass *w = f.open();
    w->ui.sBoxStartAddr->setValue(1);
    w->ui.sBoxEndAddr->setValue(200);
    boxAnswerer answers;
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QTRY_COMPARE(w->ui.tblScan->rowCount(), 1);
    QTRY_VERIFY(w->ui.progressBar->value() >= 4);
    QCOMPARE(row(w->ui.tblScan, 0).mid(4, 2), cells);
    link.cut();
    QTRY_VERIFY_WITH_TIMEOUT(!w->isSearchRunning(), 10000);
    QCOMPARE(answers.titles, QStringList({"Search Incomplete"}));
    QVERIFY2(answers.texts.first().contains(QRegularExpression(
                 QStringLiteral("^The port .* was lost at address \\d+, %1.\nThe search is incomplete: "
                                "from address \\d+ on nothing was searched. Modules found: 1.$").arg(where))),
             qPrintable(answers.texts.first()));
    QCOMPARE(w->ui.tblScan->rowCount(), 1);
    QVERIFY(w->ui.progressBar->value() < 200);
    verifyIdle(w);
}

// The saved file holds the table as shown, with the port and the search time;
// copied rows paste as tab-separated lines.
void tst_search::exportRoundTrips()
{
    windowFixture f;
    mainClass *w = openWindow(f, 2, 4);
    boxAnswerer answers;
    startAndFinish(w, answers);
    const QTableWidget *t = w->ui.tblScan;
    QTemporaryDir dir;
    QVERIFY(w->saveFoundModules(dir.filePath(QStringLiteral("found"))));
    QFile file(dir.filePath(QStringLiteral("found.csv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), t->rowCount() + 2);
    QCOMPARE(lines.mid(0, 2), QStringList({"sep=,", "address,device,variant,baud,format,description,port,searched"}));
    for (int r = 0; r < t->rowCount(); ++r) {
        const QStringList cells = lines.at(r + 2).split(QLatin1Char(','));
        QCOMPARE(cells.mid(0, t->columnCount() - 1), row(t, r).mid(1));
        QCOMPARE(cells.at(t->columnCount() - 1), m_bus.portPath());
        QVERIFY(QDateTime::fromString(cells.last(), Qt::ISODate).isValid());
    }
    w->ui.tblScan->selectRow(1);
    QCOMPARE(w->selectedRowsText(), row(t, 1).join(QLatin1Char('\t')));
}

void tst_search::checkModuleAddress()
{
    windowFixture f;
    mainClass *w = f.open();
    boxAnswerer answers;
    w->saveFoundModulesAs();
    QCOMPARE(answers.texts, QStringList({"There is nothing to save: no module has been found."}));
    QCOMPARE(w->checkModuleAddress(5, 0), 0);
    w->addModuleToTableSlot(scan_return_t{5, 4, 0, 3310, 1, 0, 1});
    w->addModuleToTableSlot(scan_return_t{9, 0, 1, 3310, 2, 0, 12});
    QCOMPARE(w->checkModuleAddress(5, 0), 2);
    QCOMPARE(w->checkModuleAddress(5, 1), 1);
    QCOMPARE(w->checkModuleAddress(7, 0), 2);
    QCOMPARE(w->ui.tblScan->item(1, 3)->text(), QStringLiteral("12"));
    QCOMPARE(w->ui.tblScan->item(1, 5)->text(), QStringLiteral("8N2"));
    w->addModuleToTableSlot(scan_return_t{11, 9, 7, 3300, 1, 0, 3});
    QCOMPARE(row(w->ui.tblScan, 2), QStringList({"3", "11", "VRD-3300", "03", "", "", ""}));
    f.shut();
}

QTEST_MAIN(tst_search)
#include "tst_search.moc"
