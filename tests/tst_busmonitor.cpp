#include <QtTest>

#include <QScreen>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "cBusMonitor.h"
#include "cLinkStatsLabel.h"
#include "cSimBus.h"
#include "workerHarness.h"

// The bus traffic monitor on a real worker and a simulated module.
class tst_busmonitor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsFramesWithVerdicts_data();
    void showsFramesWithVerdicts();
    void silentWhileClosed();
    void boundHoldsUnderFlood();
    void savesWhatIsShown_data();
    void savesWhatIsShown();
    void timeOfEachFrame();
    void drawsAllItHolds_data();
    void drawsAllItHolds();
    void linkFiguresEndOnLatest();

private:
    static QStringList row(const QTableWidget *t, int r);
    static busFrame_t frame(bool sent, quint8 address, int startMs, int endMs, const QString &text);

    cSimBus m_bus;
    cSimModule *m_module = nullptr;
};

void tst_busmonitor::initTestCase()
{
    QVERIFY(m_bus.start());
    m_module = m_bus.addModule(5, 19200, 0, 1);
}

QStringList tst_busmonitor::row(const QTableWidget *t, int r)
{
    QStringList cells;
    for (int c : {cBusMonitor::Direction, cBusMonitor::Bytes, cBusMonitor::Text})
        cells << t->item(r, c)->text();
    return cells;
}

busFrame_t tst_busmonitor::frame(bool sent, quint8 address, int startMs, int endMs, const QString &text)
{
    busFrame_t f;
    f.sent = sent;
    f.address = address;
    f.bytes = QByteArray(1, char(address));
    f.text = text;
    f.startNs = startMs * 1000000LL;
    f.endNs = endMs * 1000000LL;
    f.port = QStringLiteral("/dev/ttyX");
    f.line = QStringLiteral("19200 8E1");
    return f;
}

void tst_busmonitor::showsFramesWithVerdicts_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("answered") << int(simFault::None) << "05 03 04 00 05 00 00 AF F2"
                              << "address 5, function 3, values 5 0";
    QTest::newRow("no reply") << int(simFault::NoReply) << "" << "time-out";
    QTest::newRow("bad crc") << int(simFault::BadCrc) << "05 03 04 00 05 00 00 AF 0D" << "CRC error";
    QTest::newRow("exception") << int(simFault::Exception) << "05 83 04 01 32" << "exception 4";
    QTest::newRow("wrong address") << int(simFault::WrongAddress) << "06 03 04 00 05 00 00 9C F2"
                                   << "refused: wrong address or function";
    QTest::newRow("echoing adapter") << int(simFault::None) << "05 03 04 00 05 00 00 AF F2"
                                     << "address 5, function 3, values 5 0";
}

void tst_busmonitor::showsFramesWithVerdicts()
{
    QFETCH(int, fault);
    QFETCH(QString, reply);
    QFETCH(QString, verdict);
    const bool echoing = QTest::currentDataTag() == QByteArray("echoing adapter");
    m_bus.setEcho(echoing);
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 19200, 0, 100));
    m_module->setReg(1583, 0);
    cBusMonitor monitor(h.worker());
    m_module->setFault(simFault(fault));
    h.read({workerHarness::query(3, 5, 1582, 2)});
    m_module->setFault(simFault::None);
    m_bus.setEcho(false);
    const QTableWidget *t = monitor.table();
    QTRY_COMPARE(t->rowCount(), echoing ? 3 : 2);
    QCOMPARE(row(t, 0), QStringList({">>", "05 03 06 2E 00 02 A5 0E", "address 5, function 3, register 1582, count 2"}));
    if (echoing)
        QCOMPARE(row(t, 1), QStringList({"<<", "05 03 06 2E 00 02 A5 0E", "echo of the request"}));
    QCOMPARE(row(t, t->rowCount() - 1), QStringList({"<<", reply, verdict}));
    QVERIFY(t->item(0, 0)->text().contains(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d$"))));
    QVERIFY(t->item(0, cBusMonitor::AfterRequest)->text().isEmpty());
    QVERIFY(!t->item(1, cBusMonitor::AfterRequest)->text().isEmpty());
}

void tst_busmonitor::silentWhileClosed()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 19200, 0, 100));
    int frames = 0;
    connect(h.worker(), &cUart::busFramesSignal, this, [&frames](const QVector<busFrame_t> &f) { frames += f.size(); });
    QCOMPARE(h.read({workerHarness::query(4, 5, 1111, 1)}), 0);
    {
        cBusMonitor monitor(h.worker());
        QCOMPARE(h.read({workerHarness::query(4, 5, 1111, 1)}), 0);
        QTRY_COMPARE(frames, 2);
    }
    QCOMPARE(h.read({workerHarness::query(4, 5, 1111, 1)}), 0);
    QTest::qWait(50);
    QCOMPARE(frames, 2);
}

void tst_busmonitor::boundHoldsUnderFlood()
{
    workerHarness h;
    cBusMonitor monitor(h.worker());
    for (int i = 0; i < cBusMonitor::maxFrames + 500; ++i) {
        monitor.addFrame(frame(true, 1, 0, 0, QString::number(i)));
        if (i % 700 == 0)
            monitor.flush();
    }
    monitor.flush();
    QCOMPARE(monitor.table()->rowCount(), cBusMonitor::maxFrames);
    QCOMPARE(monitor.table()->item(cBusMonitor::maxFrames - 1, cBusMonitor::Text)->text(),
             QString::number(cBusMonitor::maxFrames + 499));
}

void tst_busmonitor::savesWhatIsShown_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::newRow("csv") << "CSV (*.csv)" << "trace" << "trace.csv";
    QTest::newRow("text") << "Text (*.txt)" << "trace" << "trace.txt";
    QTest::newRow("own extension") << "Text (*.txt)" << "trace.log" << "trace.log";
}

// Request and reply to 1, then a request to 2; only address 1 is shown.
void tst_busmonitor::savesWhatIsShown()
{
    QFETCH(QString, filter);
    QFETCH(QString, name);
    QFETCH(QString, written);
    workerHarness h;
    cBusMonitor monitor(h.worker());
    monitor.addFrame(frame(true, 1, 0, 5, QStringLiteral("to \"1\"")));
    // Not ASCII: the file is UTF-8 whichever Qt wrote it.
    monitor.addFrame(frame(false, 1, 7, 9, QStringLiteral("ответ 1")));
    monitor.addFrame(frame(true, 2, 12, 17, QStringLiteral("to 2")));
    monitor.flush();
    monitor.findChild<QSpinBox *>()->setValue(1);
    QTemporaryDir dir;
    QCOMPARE(monitor.saveShownAs(dir.filePath(name), filter), dir.filePath(written));
    QFile file(dir.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const bool csv = written.endsWith(QLatin1String(".csv"));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), csv);
    QStringList lines = QString::fromUtf8(bytes).remove(QChar(0xFEFF)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7);
    const QString today = QDateTime::fromMSecsSinceEpoch(0).toString(QStringLiteral("yyyy-MM-dd"));
    const QStringList expected = {"Date|" + today, "Port|/dev/ttyX", "Line|19200 8E1", "Filter|address 1",
                                  "Time|Dir.|Silence, ms|Reply after, ms|Meaning|Bytes"};
    for (int i = 0; i < expected.size(); ++i) {
        const QStringList cells = expected[i].split(QLatin1Char('|'));
        QCOMPARE(lines[i], csv ? '"' + cells.join(QStringLiteral("\",\"")) + '"' : cells.join(QLatin1Char('\t')));
    }
    QVERIFY2(lines[5].endsWith(csv ? "\"\",\"\",\"to \"\"1\"\"\",\"01\"" : "\t\tto \"1\"\t01"), qPrintable(lines[5]));
    QVERIFY2(lines[6].endsWith(csv ? "\"2.0\",\"4.0\",\"ответ 1\",\"01\"" : "\t2.0\t4.0\tответ 1\t01"), qPrintable(lines[6]));
}

// The time of day is worked out once per second: frames within one, across its end and back.
void tst_busmonitor::timeOfEachFrame()
{
    const QList<qint64> times = {1700000000999, 1700000001000, 1700000001001, 1700000000500, 0};
    workerHarness h;
    cBusMonitor monitor(h.worker());
    busFrame_t f = frame(true, 1, 0, 0, QString());
    for (qint64 ms : times) {
        f.msecsSinceEpoch = ms;
        monitor.addFrame(f);
    }
    monitor.flush();
    for (int r = 0; r < times.size(); ++r)
        QCOMPARE(monitor.table()->item(r, 0)->text(), QDateTime::fromMSecsSinceEpoch(times[r]).toString("HH:mm:ss.zzz"));
}

void tst_busmonitor::drawsAllItHolds_data()
{
    QTest::addColumn<int>("first"); // frames of the first flush, then five per flush
    QTest::addColumn<int>("address");
    QTest::newRow("first rows") << 3 << 0;
    QTest::newRow("scrolled") << 40 << 0;
    QTest::newRow("filtered") << 40 << 2;
    QTest::newRow("oldest dropped") << cBusMonitor::maxFrames << 0;
}

// Only what a flush adds is painted, and the grid and cells are the monitor's
// own: the window must look as if painted anew by Qt.
void tst_busmonitor::drawsAllItHolds()
{
    QFETCH(int, first);
    QFETCH(int, address);
    workerHarness h;
    cBusMonitor monitor(h.worker());
    monitor.findChild<QSpinBox *>()->setValue(address);
    monitor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&monitor));
    const auto drawn = [&monitor] { return QGuiApplication::primaryScreen()->grabWindow(monitor.winId()).toImage(); };
    for (int flush = 0, i = 0; flush < 5; ++flush) {
        for (int n = flush == 0 ? first : 5; n > 0; --n, ++i)
            monitor.addFrame(frame(i % 2 == 0, quint8(1 + i % 3), i, i + 1, QString::number(i)));
        monitor.flush();
        QTest::qWait(20);
        const QImage flushed = drawn();
        // Qt's own grid over the monitor's leaves it as it was.
        monitor.table()->setGridStyle(Qt::SolidLine);
        monitor.repaint();
        QCOMPARE(flushed, drawn());
        monitor.table()->setGridStyle(Qt::NoPen);
        // And Qt's own cells over the monitor's too.
        QAbstractItemDelegate *cells = monitor.table()->itemDelegate();
        QStyledItemDelegate qtCells;
        monitor.table()->setItemDelegate(&qtCells);
        monitor.repaint();
        QCOMPARE(flushed, drawn());
        monitor.table()->setItemDelegate(cells);
    }
}

// Shown at most twice a second, the figures still end on the latest batch's.
void tst_busmonitor::linkFiguresEndOnLatest()
{
    cLinkStatsLabel label;
    cLinkStats stats;
    for (int result : {MB_OK, MB_ERR_CRC, MB_OK}) {
        stats.record(result, 1000000);
        label.setStats(stats);
    }
    QTRY_COMPARE(label.text(), stats.summary());
    QVERIFY(!label.styleSheet().isEmpty());
}

QTEST_MAIN(tst_busmonitor)
#include "tst_busmonitor.moc"
