#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cConfigApplyPlan.h"
#include "cConfigFile.h"
#include "cConfigSession.h"
#include "cSimBus.h"
#include "heldConfig.h"
#include "workerHarness.h"

// Configuration files and the session that reads and applies them, against
// simulated modules over a pseudo-terminal.
class tst_config : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void brokenFileRefused_data();
    void brokenFileRefused();
    void applyCopiesSharedKeepsOwn_data();
    void applyCopiesSharedKeepsOwn();
    void applyMovesModuleLast();
    void interruptedApplySaysWhatWasWritten_data();
    void interruptedApplySaysWhatWasWritten();

private:
    cModuleConfig readModule(quint8 address);
    configApplyResult_t applyTo(quint8 address, const cModuleConfig &file, cConfigApplyPlan::options_t options,
                                const std::function<void(int)> &afterStep = {});

    std::unique_ptr<cSimBus> m_bus;
    std::unique_ptr<workerHarness> m_harness;
    std::unique_ptr<cConfigSession> m_session;
};

namespace {

configTarget_t target(const QString &port, quint8 address)
{
    return configTarget_t{address, workerHarness::line(port, 115200, 0, 100), true};
}

configParam_t parameter(const QString &key)
{
    for (const configParam_t &p : cModuleConfig::parameters())
        if (p.key == key)
            return p;
    return configParam_t();
}

void customise(cSimModule *module)
{
    module->setReg(466, 2); // DO 2 PWM
    module->setReg(1596, 0x0F);
    module->setHoldingFloat(524, 3.25f); // AO 1 level
    module->setReg(1258, 2); // 1-Wire 1 off
    module->setReg(1585, 500);
    module->setReg(1318, 1); // Pt 1 a3911
    module->setReg(1027, 0x1234); // 1-Wire 5 bound to 0x123400000000
}

} // namespace

void tst_config::init()
{
    m_bus = std::make_unique<cSimBus>();
    QVERIFY(m_bus->start());
    m_bus->addModule(5, 115200, 0, 1);
    m_bus->addModule(6, 115200, 0, 1);
    m_bus->addModule(7, 115200, 0, 2);
    m_harness = std::make_unique<workerHarness>();
    QVERIFY(m_harness->open(m_bus->portPath(), 115200, 0));
    m_session = std::make_unique<cConfigSession>(m_harness->worker());
}

void tst_config::cleanup()
{
    m_session.reset();
    m_harness.reset();
    m_bus.reset();
}

cModuleConfig tst_config::readModule(quint8 address)
{
    cModuleConfig read;
    int result = workerHarness::noAnswer;
    QMetaObject::Connection c = connect(m_session.get(), &cConfigSession::readDone, this,
                                        [&](const cModuleConfig &config, int r) { read = config; result = r; });
    m_session->read(target(m_bus->portPath(), address));
    workerHarness::waitUntil([&] { return result != workerHarness::noAnswer; });
    disconnect(c);
    return read;
}

configApplyResult_t tst_config::applyTo(quint8 address, const cModuleConfig &file,
                                        cConfigApplyPlan::options_t options,
                                        const std::function<void(int)> &afterStep)
{
    const cConfigApplyPlan plan(cConfigComparison(file, readModule(address)), options);
    configApplyResult_t result;
    bool done = false;
    QMetaObject::Connection c1 = connect(m_session.get(), &cConfigSession::applyDone, this,
                                         [&](const configApplyResult_t &r) { result = r; done = true; });
    QMetaObject::Connection c2 = connect(m_session.get(), &cConfigSession::stepDone, this, [&](int step, int) {
        if (afterStep)
            afterStep(step);
    });
    m_session->apply(target(m_bus->portPath(), address), plan);
    workerHarness::waitUntil([&] { return done; }, 30000);
    disconnect(c1);
    disconnect(c2);
    return result;
}

void tst_config::brokenFileRefused_data()
{
    QTest::addColumn<QString>("change"); // a field path and its new value, or a whole-text change
    QTest::addColumn<QString>("field");
    QTest::newRow("empty") << "text=" << "file";
    QTest::newRow("truncated") << "text=half" << "file";
    QTest::newRow("bad JSON") << "text=semicolon" << "file";
    QTest::newRow("not a configuration") << "schema=\"something else\"" << "schema";
    QTest::newRow("newer schema") << "schemaVersion=2" << "schemaVersion";
    QTest::newRow("type not a number") << "module.type=\"VRD\"" << "module.type";
    QTest::newRow("mode misspelt") << "do.3.mode=\"Fsat\"" << "do[3].mode";
    QTest::newRow("mode of wrong type") << "do.3.mode=true" << "do[3].mode";
    QTest::newRow("address out of range") << "line.address=300" << "line.address";
    QTest::newRow("baud not offered") << "line.baud=14400" << "line.baud";
    QTest::newRow("format unknown") << "line.format=\"7E1\"" << "line.format";
    QTest::newRow("level above 10 V") << "ao.1.level=12.5" << "ao[1].level";
    QTest::newRow("flag as text") << "do.0.normalState=\"yes\"" << "do[0].normalState";
    QTest::newRow("sensor without 0x") << "oneWire.2.sensorId=\"28AB\"" << "oneWire[2].sensorId";
    QTest::newRow("time-out fraction") << "system.watchdogTimeout=1.5" << "system.watchdogTimeout";
    QTest::newRow("missing field") << "system.safetyTimeout=" << "system.safetyTimeout";
    QTest::newRow("channel missing") << "di=[]" << "di";
}

// Refused with the field named, and nothing of it taken.
void tst_config::brokenFileRefused()
{
    QFETCH(QString, change);
    QFETCH(QString, field);
    cModuleConfig config;
    config.setIdentity(3310, 1, 0x952, QDate(2021, 6, 14));
    for (const configParam_t &p : cModuleConfig::parameters())
        config.setValue(p, p.minimum);
    QByteArray text = cConfigFile::toJson(config);
    QJsonObject root = QJsonDocument::fromJson(text).object();
    const QString path = change.section(QLatin1Char('='), 0, 0);
    const QString value = change.section(QLatin1Char('='), 1);
    if (path == QLatin1String("text")) {
        text = value == "half" ? text.left(text.size() / 2) : value == "semicolon" ? text.replace(':', ';') : "";
    } else {
        const QStringList parts = path.split(QLatin1Char('.'));
        const QJsonValue newValue = QJsonDocument::fromJson("[" + value.toUtf8() + "]").array().first();
        if (parts.size() == 1) {
            root.insert(parts[0], newValue);
        } else if (parts.size() == 2) {
            QJsonObject section = root.value(parts[0]).toObject();
            section.remove(parts[1]);
            if (!value.isEmpty())
                section.insert(parts[1], newValue);
            root.insert(parts[0], section);
        } else {
            QJsonArray list = root.value(parts[0]).toArray();
            QJsonObject entry = list.at(parts[1].toInt()).toObject();
            entry.insert(parts[2], newValue);
            list.replace(parts[1].toInt(), entry);
            root.insert(parts[0], list);
        }
        text = QJsonDocument(root).toJson();
    }
    cModuleConfig read;
    QString error;
    QVERIFY(!cConfigFile::fromJson(text, &read, &error));
    QVERIFY2(error.startsWith(field + QStringLiteral(": ")), qPrintable(error));
    QCOMPARE(read.type(), quint16(0));
}

void tst_config::applyCopiesSharedKeepsOwn_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("sharedOnly");
    QTest::addColumn<QString>("pt1Curve"); // what the module's Pt 1 has afterwards
    QTest::newRow("same variant") << 6 << false << "a3911";
    QTest::newRow("Pt100 module, shared only") << 7 << true << "a3850";
}

// A file saved from one module makes another like it, but for what is its
// own: address, line and bound sensors.
void tst_config::applyCopiesSharedKeepsOwn()
{
    QFETCH(int, address);
    QFETCH(bool, sharedOnly);
    QFETCH(QString, pt1Curve);
    cSimModule *source = m_bus->addModule(9, 115200, 0, 1);
    customise(source);
    QTemporaryDir dir;
    QString error;
    const QString path = dir.filePath(QStringLiteral("source.json"));
    QVERIFY(cConfigFile::save(path, readModule(9), &error));
    cModuleConfig file;
    QVERIFY2(cConfigFile::load(path, &file, &error), qPrintable(error));

    const configApplyResult_t result = applyTo(quint8(address), file, {sharedOnly, true});
    QVERIFY(result.allVerified());
    QCOMPARE(result.params.size(), sharedOnly ? 8 : 9);
    const cModuleConfig after = readModule(quint8(address));
    const cConfigComparison comparison(file, after);
    QStringList differing;
    for (const configDiff_t &row : comparison.differences())
        differing << row.key;
    QStringList own = {"line.address", "oneWire[5].sensorId"};
    if (sharedOnly)
        own.insert(1, "pt[1].curve");
    QCOMPARE(differing, own);
    QCOMPARE(after.text(parameter("pt[1].curve")), pt1Curve);
}

void tst_config::applyMovesModuleLast()
{
    cModuleConfig file = readModule(5);
    customise(m_bus->addModule(9, 115200, 0, 1));
    file = readModule(9);
    file.setValue(parameter("line.address"), 12);
    file.setValue(parameter("line.baud"), 4); // 19200
    cSimModule *module = m_bus->addModule(11, 115200, 0, 1);
    int writesBeforeMove = -1;
    connect(m_session.get(), &cConfigSession::moduleMoved, this, [&] { writesBeforeMove = module->writeCount(); });
    const configApplyResult_t result = applyTo(11, file, {});
    QVERIFY(result.allVerified());
    QCOMPARE(module->address(), quint8(12));
    QCOMPARE(module->baud(), 19200);
    QCOMPARE(result.address, quint8(12));
    // Everything else went out while the module was still where it was.
    QCOMPARE(writesBeforeMove, module->writeCount());
    QCOMPARE(module->reg(1585), quint16(500));
}

void tst_config::interruptedApplySaysWhatWasWritten_data()
{
    QTest::addColumn<QString>("cut");
    QTest::addColumn<QList<int>>("outcomes"); // of the step after the cut
    const int notWritten = int(configOutcome_t::NotWritten);
    const int noAnswer = int(configOutcome_t::NoAnswer);
    QTest::newRow("stopped") << "stop" << QList<int>{notWritten};
    QTest::newRow("module silent") << "silent" << QList<int>{noAnswer};
    // Whether the port's end is noticed before the request goes out or after.
    QTest::newRow("port lost") << "vanish" << QList<int>{noAnswer, notWritten};
}

void tst_config::interruptedApplySaysWhatWasWritten()
{
    QFETCH(QString, cut);
    QFETCH(QList<int>, outcomes);
    int outcome = -1;
    cSimModule *source = m_bus->addModule(9, 115200, 0, 1);
    customise(source);
    const cModuleConfig file = readModule(9);
    cSimModule *module = m_bus->addModule(10, 115200, 0, 1);
    const configApplyResult_t result = applyTo(10, file, {false, true}, [&](int step) {
        if (step != 2)
            return;
        if (cut == "stop")
            m_session->stop();
        else if (cut == "silent")
            module->setFault(simFault::NoReply);
        else
            m_bus->vanish();
    });
    QCOMPARE(result.count(configOutcome_t::Verified), 2);
    QStringList unsent;
    for (const configParamResult_t &r : result.params) {
        if (r.key == QLatin1String("oneWire[1].pollMode"))
            outcome = int(r.outcome);
        if (r.outcome == configOutcome_t::NotWritten)
            unsent << r.key;
    }
    QVERIFY(outcomes.contains(outcome));
    QCOMPARE(unsent.size(), result.params.size() - 2 - (outcome == int(configOutcome_t::NotWritten) ? 0 : 1));
    // What is reported not written is not in the module.
    const cModuleConfig after = heldConfig(module);
    for (const configParamResult_t &r : result.params) {
        const QString now = after.text(parameter(r.key));
        QCOMPARE(now, r.outcome == configOutcome_t::Verified ? r.fileText : r.before);
    }
    QCOMPARE(result.stopped, cut == "stop");
}

QTEST_MAIN(tst_config)
#include "tst_config.moc"
