#include <QtTest>

#include <QSettings>
#include <QTemporaryDir>

#include "boxAnswerer.h"
#include "cPortList.h"
#include "cSimBus.h"
#include "cSrchSettings.h"
#include "cSrchSettingsStore.h"
#include "windowFixture.h"

// The stored search settings and the dialog that edits them.
class tst_srchsettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void emptyStoreGivesDefaultsAndWritesThem();
    void storedValuesReadBack_data();
    void storedValuesReadBack();
    void dialogShowsRecord();
    void dialogRefusals_data();
    void dialogRefusals();
    void okStoresThroughWindow();
    void cancelChangesNothing();
    void storedVirtualPortOffered();
    void endpointStoredOrTyped();

private:
    static QSettings *openStore();
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {
const QStringList keys = {
    "cfg_srch_bdr115200", "cfg_srch_bdr57600", "cfg_srch_bdr38400", "cfg_srch_bdr19200",
    "cfg_srch_bdr9600", "cfg_srch_bdr4800", "cfg_srch_bdr2400", "cfg_srch_bdr1200",
    "cfg_srch_parity_8n1", "cfg_srch_parity_8n2", "cfg_srch_parity_8e1", "cfg_srch_parity_8o1",
    "cfg_srch_name", "cfg_srch_timeOut", "cfg_srch_echo", "srch_cfg_w_sv"};

QString flags(const srchSettings_t &s)
{
    QString out;
    for (bool b : s.baudFlags)
        out += b ? QLatin1Char('1') : QLatin1Char('0');
    out += QLatin1Char('/');
    for (bool f : s.formatFlags)
        out += f ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}
} // namespace

void tst_srchsettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
    cPortList::replace([] { return QStringList(); });
}

QSettings *tst_srchsettings::openStore()
{
    auto *store = new QSettings(QStringLiteral("Zeltrovia"), QStringLiteral("cfgSrch"));
    store->beginGroup(QStringLiteral("cfgSrchSettings"));
    return store;
}

void tst_srchsettings::emptyStoreGivesDefaultsAndWritesThem()
{
    cPtyDevice pty;
    QString error;
    QVERIFY2(pty.open(&error), qPrintable(error));
    cPortList::replace([port = pty.slavePath()] { return QStringList{port, QStringLiteral("ttyZT-second")}; });
    srchSettings_t s;
    s.portName = QStringLiteral("junk");
    QCOMPARE(cSrchSettingsStore::loadSrchSettings(s), QStringList());
    QCOMPARE(flags(s), QStringLiteral("10001000/1000"));
    QCOMPARE(s.timeOut, quint16(300));
    QCOMPARE(s.portName, pty.slavePath()); // no COM1 listed: the first port listed
    std::unique_ptr<QSettings> store(openStore());
    QStringList stored = store->childKeys();
    stored.sort();
    QStringList expected = keys;
    expected.sort();
    QCOMPARE(stored, expected);
    QCOMPARE(store->value("srch_cfg_w_sv").toInt(), 165);
    QCOMPARE(store->value("cfg_srch_bdr9600").toInt(), 1);
    QCOMPARE(store->value("cfg_srch_bdr57600").toInt(), 0);
    QCOMPARE(store->value("cfg_srch_timeOut").toUInt(), 300u);
}

void tst_srchsettings::storedValuesReadBack_data()
{
    QTest::addColumn<QVariantMap>("values"); // over a store of 1200 baud, 8O1, 100 ms; invalid: removed
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("timeOut");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QStringList>("told"); // %1: the store's file
    const QString usb = QStringLiteral("/dev/ttyUSB0");
    for (const QVariant &bad : {QVariant(0), QVariant(5), QVariant(65536u), QVariant("abc"), QVariant()}) {
        const QString what = bad.isValid() ? QStringLiteral(" = \"%1\" is not usable").arg(bad.toString()) : " is missing";
        QTest::addRow("time-out%s", qPrintable(what)) << QVariantMap{{"cfg_srch_timeOut", bad}} << false << "00000001/0001"
                                                      << 300 << usb << QStringList{"cfg_srch_timeOut" + what + ": 300 is used"};
    }
    QTest::newRow("any number sets a flag, a word gives the default")
        << QVariantMap{{"cfg_srch_parity_8n2", 2}, {"cfg_srch_bdr9600", "yes"}} << false << "00001001/0101"
        << 100 << usb << QStringList{"cfg_srch_bdr9600 = \"yes\" is not usable: 1 is used"};
    QTest::newRow("echo choice out of range") << QVariantMap{{"cfg_srch_echo", 3}} << false << "00000001/0001"
                                              << 100 << usb << QStringList{"cfg_srch_echo = \"3\" is not usable: 0 is used"};
    QTest::newRow("echo choice of an older copy: none, untold") << QVariantMap{{"cfg_srch_echo", QVariant()}} << false
                                                                << "00000001/0001" << 100 << usb << QStringList();
    QTest::newRow("malformed marker gives defaults") << QVariantMap{{"srch_cfg_w_sv", "x"}} << false
                                                     << "10001000/1000" << 300 << "COM1" << QStringList();
    QTest::newRow("network endpoint kept") << QVariantMap{{"cfg_srch_name", "tcp://[::1]:1502"}} << false
                                           << "00000001/0001" << 100 << "tcp://[::1]:1502" << QStringList();
    QTest::newRow("malformed endpoint gives the default")
        << QVariantMap{{"cfg_srch_name", "tcp://plc"}} << false << "00000001/0001" << 100 << "COM1"
        << QStringList{"cfg_srch_name = \"tcp://plc\" is not usable: COM1 is used"};
    QTest::newRow("unreadable file kept aside") << QVariantMap() << true << "00000001/0001" << 100 << usb
                                                << QStringList{"The settings file %1 cannot be read: it is kept as "
                                                               "%1.unreadable."};
}

// The window loads the store and says what it could not use.
void tst_srchsettings::storedValuesReadBack()
{
    QFETCH(QVariantMap, values);
    QFETCH(bool, damaged);
    QFETCH(QString, flags);
    QFETCH(int, timeOut);
    QFETCH(QString, port);
    QFETCH(QStringList, told);
    windowFixture f;
    f.storeSettings(searchSettings(QStringLiteral("/dev/ttyUSB0"), {7}, {3}, 100));
    const QString file = QSettings(QStringLiteral("Zeltrovia"), QStringLiteral("cfgSrch")).fileName();
    {
        std::unique_ptr<QSettings> store(openStore());
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            it.value().isValid() ? store->setValue(it.key(), it.value()) : store->remove(it.key());
    }
    QFile stored(file);
    QVERIFY(stored.open(QIODevice::ReadWrite));
    const QByteArray kept = damaged ? stored.readAll().replace("]", "") : QByteArray();
    QVERIFY(!damaged || (stored.resize(0) && stored.seek(0) && stored.write(kept) == kept.size()));
    stored.close();
    boxAnswerer answers;
    const srchSettings_t &s = f.open()->searchSettings();
    QCOMPARE(answers.texts, told.isEmpty() ? QStringList() : QStringList{QStringLiteral(
        "The stored search settings could not be used as they were:\n%1\nConfirm the search settings to store "
        "what is used now.").arg(told.join('\n').replace(QLatin1String("%1"), file))});
    QCOMPARE(::flags(s), flags);
    QCOMPARE(int(s.timeOut), timeOut);
    QCOMPARE(s.portName, port);
    QFile aside(file + QStringLiteral(".unreadable"));
    QCOMPARE(aside.open(QIODevice::ReadOnly) ? aside.readAll() : QByteArray(), kept);
}

void tst_srchsettings::dialogShowsRecord()
{
    srchSettings_t s = searchSettings(QStringLiteral("ttyS0"), {1, 7}, {2}, 20);
    cSrchSettings dialog(s);
    QVERIFY(!dialog.chb115200->isChecked());
    QVERIFY(dialog.chb57600->isChecked());
    QVERIFY(dialog.chb1200->isChecked());
    QVERIFY(dialog.chbE_8_1->isChecked());
    QVERIFY(!dialog.chbN_8_1->isChecked());
    QCOMPARE(dialog.sbSetTimeOut->value(), 50);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Search Settings"));
}

void tst_srchsettings::dialogRefusals_data()
{
    QTest::addColumn<bool>("clearPorts");
    QTest::addColumn<bool>("untickBauds");
    QTest::addColumn<bool>("untickFormats");
    QTest::addColumn<QString>("text");
    QTest::newRow("no port comes first") << true << true << true << "COM Port is not selected.";
    QTest::newRow("no baud rate") << false << true << true << "Baud Rate value is not selected.";
    QTest::newRow("no frame format") << false << false << true
                                     << "Configuration Port value is not selected.";
}

void tst_srchsettings::dialogRefusals()
{
    QFETCH(bool, clearPorts);
    QFETCH(bool, untickBauds);
    QFETCH(bool, untickFormats);
    QFETCH(QString, text);
    cSrchSettings dialog(srchSettings_t{});
    dialog.show();
    if (clearPorts)
        dialog.cmbSelComPort->clear();
    else if (dialog.cmbSelComPort->count() == 0)
        dialog.cmbSelComPort->addItem(QStringLiteral("ttyS0"));
    for (QCheckBox *b : dialog.groupBox_3->findChildren<QCheckBox *>())
        b->setChecked(!untickBauds);
    for (QCheckBox *b : dialog.groupBox_4->findChildren<QCheckBox *>())
        b->setChecked(!untickFormats);
    boxAnswerer answers;
    QTest::mouseClick(dialog.pbtOk, Qt::LeftButton);
    QCOMPARE(answers.titles, QStringList({"Operation is not possible"}));
    QCOMPARE(answers.texts, QStringList({text}));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void tst_srchsettings::okStoresThroughWindow()
{
    cSimBus bus;
    QVERIFY(bus.start());
    windowFixture f;
    f.storeSettings(searchSettings(bus.portPath(), {4}, {0}, 300));
    mainClass *w = f.open();
    w->ui.actionSrchSettings->trigger();
    auto *dialog = w->findChild<cSrchSettings *>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->cmbSelComPort->currentText(), bus.portPath());
    dialog->chb19200->setChecked(true);
    dialog->chbO_8_1->setChecked(true);
    dialog->sbSetTimeOut->setValue(120);
    QVERIFY2(dialog->lblEstimate->text().contains(QStringLiteral(" × 2 baud rates × 2 formats × 120 ms")),
             qPrintable(dialog->lblEstimate->text()));
    // Through a device server: one request per address, at least the network's reply time.
    dialog->cmbSelComPort->setEditText(QStringLiteral("tcp://127.0.0.1:1502"));
    QVERIFY2(dialog->lblEstimate->text().contains(QStringLiteral(" addresses × 250 ms; the line is the device")),
             qPrintable(dialog->lblEstimate->text()));
    dialog->cmbSelComPort->setEditText(bus.portPath());
    dialog->cmbEcho->setCurrentIndex(int(echoMode_t::Yes));
    QTest::mouseClick(dialog->pbtOk, Qt::LeftButton);
    QTRY_VERIFY(!w->findChild<cSrchSettings *>());
    QCOMPARE(flags(w->searchSettings()), QStringLiteral("00011000/1001"));
    QCOMPARE(w->searchSettings().timeOut, quint16(120));
    srchSettings_t stored;
    cSrchSettingsStore::loadSrchSettings(stored);
    QCOMPARE(flags(stored), QStringLiteral("00011000/1001"));
    QCOMPARE(stored.portName, bus.portPath());
    QCOMPARE(stored.echo, echoMode_t::Yes);
    f.shut();
}

void tst_srchsettings::cancelChangesNothing()
{
    windowFixture f;
    f.storeSettings(searchSettings(QStringLiteral("ttyS0"), {4}, {0}, 300));
    mainClass *w = f.open();
    w->ui.actionSrchSettings->trigger();
    auto *dialog = w->findChild<cSrchSettings *>();
    QVERIFY(dialog);
    dialog->chb1200->setChecked(true);
    dialog->sbSetTimeOut->setValue(999);
    QTest::mouseClick(dialog->pbtCancel, Qt::LeftButton);
    QTRY_VERIFY(!w->findChild<cSrchSettings *>());
    QCOMPARE(flags(w->searchSettings()), QStringLiteral("00001000/1000"));
    srchSettings_t stored;
    cSrchSettingsStore::loadSrchSettings(stored);
    QCOMPARE(flags(stored), QStringLiteral("00001000/1000"));
    QCOMPARE(stored.timeOut, quint16(300));
    f.shut();
}

void tst_srchsettings::storedVirtualPortOffered()
{
    cSimBus bus;
    QVERIFY(bus.start());
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyBus"));
    QVERIFY(bus.makeLink(link));
    cSrchSettings linked(searchSettings(link, {4}, {0}, 300));
    QCOMPARE(linked.cmbSelComPort->currentText(), link);
    // A port that is gone stays the chosen one, marked, and is kept on OK.
    for (const QString &gone : {QStringLiteral("/dev/ttyZT-none"), dir.path()}) {
        cSrchSettings missing(searchSettings(gone, {4}, {0}, 300));
        QCOMPARE(missing.cmbSelComPort->currentText(), gone + QStringLiteral(" (missing)"));
        QTest::mouseClick(missing.pbtOk, Qt::LeftButton);
        QCOMPARE(missing.getSrchSettings().portName, gone);
    }
}

// An endpoint, stored (offered as itself) or typed, is taken with no line
// ticked: the device server's line is used.
void tst_srchsettings::endpointStoredOrTyped()
{
    for (const QString &typed : {QStringLiteral("rtu+tcp://plc.local:4001"), QStringLiteral("tcp://[::1]:1502")}) {
        cSrchSettings dialog(searchSettings(QStringLiteral("rtu+tcp://plc.local:4001"), {}, {}, 300));
        dialog.cmbSelComPort->setEditText(typed);
        QTest::mouseClick(dialog.pbtOk, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSrchSettings().portName, typed);
    }
}

QTEST_MAIN(tst_srchsettings)
#include "tst_srchsettings.moc"
