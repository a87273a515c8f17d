#include <QtTest>
#include <QSettings>
#include <QTemporaryDir>

#include "cUsbLatency.h"

// The adapter's latency timer as its driver shows it, from a tree of our own.
class tst_usblatency : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sysfs_data();
    void sysfs();
    void ftdiRegistry();

private:
    QTemporaryDir m_root;
};

void tst_usblatency::initTestCase()
{
    const QDir root(m_root.path());
    const QStringList timers = {"16\n", "1\n", "fast"}; // of ttyUSB0, 1, 2
    for (int n = 0; n < timers.size(); ++n) {
        const QString dir = QStringLiteral("sys/bus/usb-serial/devices/ttyUSB%1").arg(n);
        QFile timer(root.filePath(dir + QStringLiteral("/latency_timer")));
        QFile device(root.filePath(QStringLiteral("dev/ttyUSB%1").arg(n)));
        QVERIFY(root.mkpath(dir) && root.mkpath(QStringLiteral("dev/serial/by-id")));
        QVERIFY(timer.open(QIODevice::WriteOnly) && timer.write(timers[n].toLatin1()) > 0 && device.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(QStringLiteral("../../ttyUSB0"), root.filePath(QStringLiteral("dev/serial/by-id/usb-FTDI-port0"))));
}

void tst_usblatency::sysfs_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("ms");
    QTest::addColumn<QString>("told");
    const QString high = QStringLiteral("USB latency timer: 16 ms. High: each request waits about 32 ms more. Lower "
                                        "it to 1 ms: echo 1 > latency_timer in /sys/bus/usb-serial/devices/ttyUSB0 "
                                        "(as root), or with a udev rule.");
    QTest::newRow("name") << "ttyUSB0" << 16 << high;
    QTest::newRow("path") << "/dev/ttyUSB0" << 16 << high;
    QTest::newRow("link by id") << "/dev/serial/by-id/usb-FTDI-port0" << 16 << high;
    QTest::newRow("low") << "ttyUSB1" << 1 << "USB latency timer: 1 ms.";
    QTest::newRow("unreadable value") << "ttyUSB2" << -1 << "";
    QTest::newRow("no timer") << "ttyACM0" << -1 << "";
}

void tst_usblatency::sysfs()
{
    QFETCH(QString, port);
    QFETCH(int, ms);
    QFETCH(QString, told);
    const cUsbLatency latency(m_root.path());
    QCOMPARE(latency.milliseconds(port), ms);
    QCOMPARE(latency.describe(port), told);
}

void tst_usblatency::ftdiRegistry()
{
    QSettings ftdiBus(m_root.filePath(QStringLiteral("ftdibus.ini")), QSettings::IniFormat);
    for (const QString &device : {QStringLiteral("VID_0403+PID_6001+A1:COM3:16"), QStringLiteral("VID_0403+PID_6015+B2:COM4:2")}) {
        ftdiBus.beginGroup(device.section(':', 0, 0) + QStringLiteral("/0000/Device Parameters"));
        ftdiBus.setValue(QStringLiteral("PortName"), device.section(':', 1, 1));
        ftdiBus.setValue(QStringLiteral("LatencyTimer"), device.section(':', 2).toInt());
        ftdiBus.endGroup();
    }
    QCOMPARE(cUsbLatency::fromFtdiBus(ftdiBus, QStringLiteral("COM3")), 16);
    QCOMPARE(cUsbLatency::fromFtdiBus(ftdiBus, QStringLiteral("com4")), 2);
    QCOMPARE(cUsbLatency::fromFtdiBus(ftdiBus, QStringLiteral("COM9")), -1);
}

QTEST_GUILESS_MAIN(tst_usblatency)
#include "tst_usblatency.moc"
