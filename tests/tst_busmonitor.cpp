#include <QtTest>

#include <QSpinBox>
#include <QTableWidget>

#include "cBusMonitor.h"
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
    void savesWhatIsShown();

private:
    static QStringList row(const QTableWidget *t, int r);

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
    for (int c = 1; c < t->columnCount(); ++c)
        cells << t->item(r, c)->text();
    return cells;
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
}

void tst_busmonitor::showsFramesWithVerdicts()
{
    QFETCH(int, fault);
    QFETCH(QString, reply);
    QFETCH(QString, verdict);
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 19200, 0, 100));
    m_module->setReg(1583, 0);
    cBusMonitor monitor(h.worker());
    m_module->setFault(simFault(fault));
    h.read({workerHarness::query(3, 5, 1582, 2)});
    m_module->setFault(simFault::None);
    const QTableWidget *t = monitor.table();
    QTRY_COMPARE(t->rowCount(), 2);
    QCOMPARE(row(t, 0), QStringList({">>", "05 03 06 2E 00 02 A5 0E", "address 5, function 3, register 1582, count 2"}));
    QCOMPARE(row(t, 1), QStringList({"<<", reply, verdict}));
    QVERIFY(t->item(0, 0)->text().contains(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d$"))));
}

void tst_busmonitor::silentWhileClosed()
{
    workerHarness h;
    QVERIFY(h.open(m_bus.portPath(), 19200, 0, 100));
    int frames = 0;
    connect(h.worker(), &cUart::busFrameSignal, this, [&frames] { ++frames; });
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
        monitor.addFrame(busFrame_t{0, true, 1, QByteArray(8, '\x01'), QString::number(i)});
        if (i % 700 == 0)
            monitor.flush();
    }
    monitor.flush();
    QCOMPARE(monitor.table()->rowCount(), cBusMonitor::maxFrames);
    QCOMPARE(monitor.table()->item(cBusMonitor::maxFrames - 1, 3)->text(),
             QString::number(cBusMonitor::maxFrames + 499));
}

void tst_busmonitor::savesWhatIsShown()
{
    workerHarness h;
    cBusMonitor monitor(h.worker());
    for (quint8 address : {1, 2, 1})
        monitor.addFrame(busFrame_t{0, true, address, QByteArray(1, char(address)), QStringLiteral("to \"%1\"").arg(address)});
    monitor.flush();
    monitor.findChild<QSpinBox *>()->setValue(1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("traffic.csv"));
    QVERIFY(monitor.saveShown(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.first().endsWith(QStringLiteral("\"01\",\"to \"\"1\"\"\"")));
}

QTEST_MAIN(tst_busmonitor)
#include "tst_busmonitor.moc"
