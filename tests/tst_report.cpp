#include <QtTest>

#include <QLabel>
#include <signal.h>

#include "boxAnswerer.h"
#include "cBusMonitor.h"
#include "cDlgVrd_3310.h"
#include "cSimBus.h"
#include "headlessProgram.h"
#include "windowFixture.h"
#include "workerHarness.h"

// Link statistics counted from real faults of a simulated module, shown in
// the module dialog and the traffic monitor; the service report from the
// dialog, the found-modules table and the command-line search.
class tst_report : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void faultsCounted_data();
    void faultsCounted();
    void dialogReport_data();
    void dialogReport();
    void tableReportReadsSelectedRows();
    void headlessReport_data();
    void headlessReport();

private:
    static int crcShown(const QLabel *label);

    std::unique_ptr<cSimBus> m_bus;
    cSimModule *m_module = nullptr;
    QTemporaryDir m_dir;
};

void tst_report::init()
{
    m_bus = std::make_unique<cSimBus>();
    QVERIFY(m_bus->start());
    m_module = m_bus->addModule(5, 115200, 0, 1);
}

void tst_report::cleanup()
{
    m_bus.reset();
}

int tst_report::crcShown(const QLabel *label)
{
    return QRegularExpression(QStringLiteral("CRC (\\d+)")).match(label->text()).captured(1).toInt();
}

void tst_report::faultsCounted_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("counter"); // 0 none, then time-outs, CRC, exceptions, other
    QTest::newRow("healthy") << int(simFault::None) << 0;
    QTest::newRow("no reply") << int(simFault::NoReply) << 1;
    QTest::newRow("bad crc") << int(simFault::BadCrc) << 2;
    QTest::newRow("exception") << int(simFault::Exception) << 3;
    QTest::newRow("wrong address") << int(simFault::WrongAddress) << 4;
}

// Each fault lands in its own counter; a reply that came is timed, and the
// figures start from zero whenever the port opens.
void tst_report::faultsCounted()
{
    QFETCH(int, fault);
    QFETCH(int, counter);
    workerHarness h;
    cLinkStats seen;
    seen.record(MB_OK, 1);
    connect(h.worker(), &cUart::linkStatsSignal, this, [&seen](cLinkStats stats) { seen = stats; });
    QVERIFY(h.open(m_bus->portPath(), 115200, 0));
    QTRY_COMPARE(seen.requests(), 0u);
    m_module->setFault(simFault(fault));
    const int batches = 3;
    for (int i = 0; i < batches; ++i)
        h.read({workerHarness::query(3, 5, 1582, 2)});
    QTRY_COMPARE(seen.requests(), quint32(batches));
    const quint32 counts[] = {batches - seen.failures(), seen.timeouts(), seen.crcErrors(),
                              seen.exceptions(), seen.otherFailures()};
    QCOMPARE(counts[counter], quint32(batches));
    QCOMPARE(seen.failures(), counter == 0 ? 0u : quint32(batches));
    QCOMPARE(seen.hasResponses(), counter != 1);
    QVERIFY(seen.minimumMs() <= seen.medianMs() && seen.medianMs() <= seen.maximumMs());
    QVERIFY(h.reInit(m_bus->portPath(), 115200, 0));
    QTRY_COMPARE(seen.requests(), 0u);
}

void tst_report::dialogReport_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("answers");
    QTest::newRow("html") << "module.html" << true;
    QTest::newRow("pdf") << "module.pdf" << true;
    QTest::newRow("silent module") << "silent.html" << false;
}

// The dialog shows the General tab only, yet the report holds every tab's
// values of its moment; a CRC fault on the way shows in the dialog's line
// and the monitor's.
void tst_report::dialogReport()
{
    QFETCH(QString, name);
    QFETCH(bool, answers);
    windowFixture fixture;
    fixture.storeSettings(searchSettings(m_bus->portPath(), {0}, {0}, 100));
    mainClass *window = fixture.open();
    QTest::mouseClick(window->ui.pBtnConect, Qt::LeftButton);
    window->openBusMonitor();
    cDlgVrd_3310 dialog(1, window, window);
    dialog.setModuleInfo(5, 3310);
    settingsUart_t line;
    line.portName = m_bus->portPath();
    line.replyTimeout = 100;
    dialog.setPortPrm(line, 0);
    dialog.show();
    const auto *inDialog = dialog.findChild<QLabel *>(QStringLiteral("lbLinkStats_3110"));
    const auto *inMonitor = window->busMonitor().monitor()->findChild<QLabel *>(QStringLiteral("lbLinkStats"));
    m_module->setAiInput(1, 3.75f);
    m_module->setFault(simFault::BadCrc);
    QTRY_VERIFY(crcShown(inDialog) > 0 && crcShown(inMonitor) > 0);
    m_module->setFault(answers ? simFault::None : simFault::NoReply);

    const QString path = m_dir.filePath(name);
    boxAnswerer boxes;
    dialog.startServiceReport(path);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.reportPending(), 20000);
    QCOMPARE(QFile::exists(path), answers);
    QCOMPARE(boxes.count(), answers ? 0 : 1);
    m_module->setFault(simFault::None);
    if (!answers)
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith(name.endsWith(QLatin1String(".pdf")) ? "%PDF-" : "<!DOCTYPE html>"));
    if (name.endsWith(QLatin1String(".pdf")))
        return;
    const QString html = QString::fromUtf8(bytes);
    QCOMPARE(dialog.ui.tabMain_3110->currentIndex(), 0);
    for (const QString &text : {QStringLiteral("VRD-3310 at address 5"), QStringLiteral("<td>3.75</td>"),
                                QStringLiteral("AO Channels"), QStringLiteral("No verdict"),
                                QStringLiteral("Link Statistics")})
        QVERIFY2(html.contains(text), qPrintable(text));
    QVERIFY(!html.contains(QStringLiteral("<td>0</td><td>0</td><td>0</td><td>0</td>")));
}

// Only the selected rows are read, each on its own line; one that does not
// answer still gets its section.
void tst_report::tableReportReadsSelectedRows()
{
    windowFixture fixture;
    fixture.storeSettings(searchSettings(m_bus->portPath(), {0}, {0}, 100));
    mainClass *window = fixture.open();
    for (quint16 address : {3, 5, 7}) {
        scan_return_t module;
        module.address = address;
        module.moduleType = 3310;
        window->addModuleToTableSlot(module);
    }
    window->ui.tblScan->setSelectionMode(QAbstractItemView::MultiSelection);
    window->ui.tblScan->selectRow(1);
    window->ui.tblScan->selectRow(2);
    m_module->setAiInput(1, 3.75f);
    const QString path = m_dir.filePath(QStringLiteral("table.html"));
    const bool wasOpen = window->worker()->isPortOpen();
    QVERIFY(window->startServiceReport(path));
    QTRY_VERIFY_WITH_TIMEOUT(!window->isReporting(), 20000);
    QTRY_COMPARE(window->worker()->isPortOpen(), wasOpen);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QStringList sections = html.split(QStringLiteral("<h2>"));
    QCOMPARE(sections.size(), 5); // the heading, found modules, two modules, link statistics
    QVERIFY(sections[1].contains(QStringLiteral("<td>3</td>")));
    QVERIFY(sections[2].startsWith(QStringLiteral("VRD-3310 at address 5")));
    QVERIFY(sections[2].contains(QStringLiteral("Configuration")) && !sections[2].contains(QStringLiteral("did not answer")));
    QVERIFY(sections[2].contains(QStringLiteral("<td>3.75 V</td><td>No verdict</td>")));
    QVERIFY(sections[3].startsWith(QStringLiteral("VRD-3310 at address 7")));
    QVERIFY(sections[3].contains(QStringLiteral("did not answer")));
    QVERIFY(sections[4].contains(QStringLiteral("Time-outs</td><td>1<")));
    fixture.shut();
}

void tst_report::headlessReport_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("html") << "bus.html" << 0 << QByteArray("<!DOCTYPE html>");
    QTest::newRow("pdf") << "bus.pdf" << 0 << QByteArray("%PDF-");
    QTest::newRow("other name") << "bus.txt" << 2 << QByteArray();
    QTest::newRow("no such folder") << "none/bus.html" << 10 << QByteArray();
    QTest::newRow("Ctrl-C while reading") << "stopped.html" << 130 << QByteArray("<!DOCTYPE html>");
}

void tst_report::headlessReport()
{
    QFETCH(QString, name);
    QFETCH(int, status);
    QFETCH(QByteArray, start);
    headlessProgram program(QStringLiteral(ZT_PROGRAM));
    const QString path = m_dir.filePath(name);
    const bool stop = status == 130;
    program.start({"--scan", "--port", m_bus->portPath(), "--from", "4", "--to", "6", "--baud", "115200",
                   "--format", "8N1", "--timeout", stop ? "2000" : "50", "--report", path});
    // Silent while it is read, the module holds the reading for seconds.
    if (stop) {
        QVERIFY(program.waitForError("for the report"));
        m_module->setFault(simFault::NoReply);
        QCOMPARE(::kill(pid_t(program.process.processId()), SIGINT), 0);
    }
    QVERIFY(program.finish());
    QCOMPARE(program.exitCode(), status);
    QFile file(path);
    QCOMPARE(file.open(QIODevice::ReadOnly), !start.isEmpty());
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith(start));
    if (name.endsWith(QLatin1String(".html")) && status == 0)
        // Read for its configuration and channels, in the program's language: Russian unless chosen otherwise.
        for (const QString &text : {QStringLiteral("VRD-3310"), QStringLiteral("Конфигурация"), QStringLiteral("<td>7.5 В</td><td>Нет заключения</td>")})
            QVERIFY2(QString::fromUtf8(bytes).contains(text), qPrintable(text));
}

QTEST_MAIN(tst_report)
#include "tst_report.moc"
