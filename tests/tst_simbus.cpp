// The simulated bus seen from a plain serial client on its pseudo-terminal.

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "cPtyBridge.h"
#include "cSimBus.h"
#include "simCrc.h"

Q_DECLARE_METATYPE(simFault)

namespace {

constexpr int replyWaitMs = 3000;
// Extra time for a reply that should not come, once the bus has handled the frame.
constexpr int settleMs = 100;
constexpr int fmt8N1 = 0;
constexpr int fmt8N2 = 1;
constexpr int fmt8E1 = 2;
constexpr int fmt8O1 = 3;

QByteArray withCrc(const QByteArray &body)
{
    const quint16 crc = simCrc16(reinterpret_cast<const quint8 *>(body.constData()), std::size_t(body.size()));
    QByteArray frame = body;
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

QByteArray frameOf(const char *hex)
{
    return withCrc(QByteArray::fromHex(hex));
}

QByteArray word(quint16 value)
{
    QByteArray bytes;
    bytes.append(char(value >> 8));
    bytes.append(char(value & 0xFF));
    return bytes;
}

QByteArray readRequest(quint8 address, quint8 function, quint16 start, quint16 count)
{
    QByteArray body;
    body.append(char(address));
    body.append(char(function));
    return withCrc(body + word(start) + word(count));
}

QByteArray writeRequest(quint8 address, quint16 start, const QVector<quint16> &values)
{
    QByteArray body;
    body.append(char(address));
    body.append(char(16));
    body += word(start) + word(quint16(values.size()));
    body.append(char(2 * values.size()));
    for (quint16 value : values)
        body += word(value);
    return withCrc(body);
}

QByteArray writeReply(quint8 address, quint16 start, quint16 count)
{
    QByteArray body;
    body.append(char(address));
    body.append(char(16));
    return withCrc(body + word(start) + word(count));
}

QVector<quint16> floatWords(float value)
{
    quint32 pattern = 0;
    std::memcpy(&pattern, &value, sizeof pattern);
    return {quint16(pattern & 0xFFFF), quint16(pattern >> 16)};
}

float floatOf(const QVector<quint16> &words)
{
    const quint32 pattern = quint32(words.value(0)) | quint32(words.value(1)) << 16;
    float value = 0;
    std::memcpy(&value, &pattern, sizeof value);
    return value;
}

// One calibrated channel of each kind, the last of its kind.
struct calibrated_t
{
    const char *name;
    int channel;
    quint16 regMode;
    quint16 calibrationMode;
    quint16 regStatus;
    quint16 regCommands;
    quint16 regSent;
    float low;
    float high;
    float tooCloseLow;
    float outOfRangeHigh;
};

// AI points are the measured input; the test sends each as the difference value too.
const calibrated_t calibrated[] = {
    {"AI", 1, 1445, 1, 957, 1590, 1478, 2.5f, 7.5f, 7.0f, 10.5f},
    {"AO", 4, 742, 2, 290, 1601, 907, 1.0f, 10.0f, 9.5f, 11.5f},
    {"Pt", 3, 1371, 1, 747, 1593, 1387, 800.0f, 2000.0f, 1970.0f, 2200.0f},
};

const QByteArray nameRequest = QByteArray::fromHex("05040457000180AE");
const QByteArray nameReply = frameOf("0504020CEE");

speed_t speedOf(qint32 baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    default: return B115200;
    }
}

// A serial client using nothing but open() and termios.
class rawClient
{
public:
    explicit rawClient(const QString &path)
        : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
    }
    ~rawClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    rawClient(const rawClient &) = delete;
    rawClient &operator=(const rawClient &) = delete;

    int fd() const { return m_fd; }

    bool configure(qint32 baud, int formatIndex)
    {
        termios tio;
        if (::tcgetattr(m_fd, &tio) != 0)
            return false;
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, speedOf(baud));
        tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CSTOPB);
        tio.c_cflag |= CS8 | CLOCAL | CREAD;
        if (formatIndex == fmt8N2)
            tio.c_cflag |= CSTOPB;
        if (formatIndex == fmt8E1 || formatIndex == fmt8O1)
            tio.c_cflag |= PARENB;
        if (formatIndex == fmt8O1)
            tio.c_cflag |= PARODD;
        return ::tcsetattr(m_fd, TCSANOW, &tio) == 0 && ::tcflush(m_fd, TCIFLUSH) == 0;
    }

    bool send(const QByteArray &bytes)
    {
        return ::write(m_fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size();
    }

    // Up to count bytes, whatever has come when the time is up.
    QByteArray receive(int count, int timeoutMs)
    {
        QByteArray bytes;
        QDeadlineTimer deadline(timeoutMs);
        while (bytes.size() < count && !deadline.hasExpired()) {
            pollfd pfd{m_fd, POLLIN, 0};
            if (::poll(&pfd, 1, int(deadline.remainingTime())) <= 0)
                continue;
            char buffer[512];
            const ssize_t got = ::read(m_fd, buffer, std::size_t(count - bytes.size()));
            if (got > 0)
                bytes.append(buffer, int(got));
        }
        return bytes;
    }

    QByteArray exchange(const QByteArray &request, int replyLength)
    {
        return send(request) ? receive(replyLength, replyWaitMs) : QByteArray();
    }

private:
    int m_fd;
};

// Exchanges with the module at address 5.
QVector<quint16> readWords(rawClient &client, quint8 function, quint16 start, quint16 count)
{
    const QByteArray reply = client.exchange(readRequest(5, function, start, count), 5 + 2 * count);
    if (reply.size() != 5 + 2 * count || withCrc(reply.left(reply.size() - 2)) != reply)
        return {};
    QVector<quint16> words;
    for (int i = 0; i < count; ++i)
        words << quint16(quint8(reply[3 + 2 * i]) << 8 | quint8(reply[4 + 2 * i]));
    return words;
}

bool writeWords(rawClient &client, quint16 start, const QVector<quint16> &values)
{
    const QByteArray reply = writeReply(5, start, quint16(values.size()));
    return client.exchange(writeRequest(5, start, values), reply.size()) == reply;
}

bool waitForFrames(const cSimBus &bus, int count)
{
    QDeadlineTimer deadline(replyWaitMs);
    while (bus.framesSeen() < count && !deadline.hasExpired())
        QTest::qWait(2);
    return bus.framesSeen() >= count;
}

} // namespace

class tst_simbus : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lineMatching_data();
    void lineMatching();
    void replies_data();
    void replies();
    void writeLandsInRegisters();
    void inputAndHoldingAreSeparate();
    void counterResetClearsChosenChannels();
    void counterPassesSignBit();
    void slowCounterCountsWhilePolled();
    void identifierBinds_data();
    void identifierBinds();
    void calibration_data();
    void calibration();
    void takeNewLine_data();
    void takeNewLine();
    void serialPortKeepsParity_data();
    void serialPortKeepsParity();
    void faults_data();
    void faults();
    void vanishHangsUpAndReplugs();
    void linkTakenOverStaysWithItsBus();
    void bridgeCarriesBothWays();

private:
    QScopedPointer<cSimBus> m_bus;
};

void tst_simbus::init()
{
    m_bus.reset(new cSimBus);
    QString error;
    QVERIFY2(m_bus->start(&error), qPrintable(error));
}

void tst_simbus::cleanup()
{
    m_bus.reset();
}

void tst_simbus::lineMatching_data()
{
    QTest::addColumn<qint32>("moduleBaud");
    QTest::addColumn<int>("moduleFormat");
    QTest::addColumn<qint32>("clientBaud");
    QTest::addColumn<int>("clientFormat");
    QTest::addColumn<bool>("answers");

    QTest::newRow("8N1") << 19200 << fmt8N1 << 19200 << fmt8N1 << true;
    QTest::newRow("8N2") << 9600 << fmt8N2 << 9600 << fmt8N2 << true;
    QTest::newRow("8E1") << 115200 << fmt8E1 << 115200 << fmt8E1 << true;
    QTest::newRow("8O1") << 1200 << fmt8O1 << 1200 << fmt8O1 << true;
    QTest::newRow("other baud") << 19200 << fmt8N1 << 9600 << fmt8N1 << false;
    QTest::newRow("other stop bits") << 19200 << fmt8N2 << 19200 << fmt8N1 << false;
    QTest::newRow("odd for even") << 19200 << fmt8E1 << 19200 << fmt8O1 << false;
    QTest::newRow("no parity for even") << 19200 << fmt8E1 << 19200 << fmt8N1 << false;
}

void tst_simbus::lineMatching()
{
    QFETCH(qint32, moduleBaud);
    QFETCH(int, moduleFormat);
    QFETCH(qint32, clientBaud);
    QFETCH(int, clientFormat);
    QFETCH(bool, answers);

    cSimModule *module = m_bus->addModule(5, moduleBaud, moduleFormat);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(clientBaud, clientFormat));

    QVERIFY(client.send(nameRequest));
    QVERIFY(waitForFrames(*m_bus, 1));
    QCOMPARE(client.receive(nameReply.size(), answers ? replyWaitMs : settleMs),
             answers ? nameReply : QByteArray());
    QCOMPARE(module->requestCount(), answers ? 1 : 0);
}

void tst_simbus::replies_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");

    QByteArray fullRead = QByteArray::fromHex("0503FA");
    fullRead.append(250, '\0');

    QTest::newRow("identity") << readRequest(5, 4, 1111, 5)
                              << frameOf("05040A0CEE095207E500CE0002");
    QTest::newRow("communication") << readRequest(5, 3, 1582, 5)
                                   << frameOf("05030A00050004000A00000000");
    QTest::newRow("125 registers") << readRequest(5, 3, 0, 125) << withCrc(fullRead);
    QTest::newRow("last register") << readRequest(5, 4, 3199, 1) << frameOf("0504020000");
    QTest::newRow("echo") << frameOf("050800001234") << frameOf("050800001234");
    QTest::newRow("echo sub-function 1") << frameOf("050800011234") << frameOf("058801");
    QTest::newRow("function 6") << frameOf("0506062E000A") << frameOf("058601");
    QTest::newRow("function 1") << readRequest(5, 1, 0, 8) << frameOf("058101");
    QTest::newRow("past the image") << readRequest(5, 4, 3199, 2) << frameOf("058402");
    QTest::newRow("count 0") << readRequest(5, 3, 0, 0) << frameOf("058303");
    QTest::newRow("count 126") << readRequest(5, 3, 0, 126) << frameOf("058303");
    QTest::newRow("write past the image") << writeRequest(5, 3199, {1, 2}) << frameOf("059002");
    QTest::newRow("write byte count") << frameOf("051000640002020001") << frameOf("059003");
    QTest::newRow("broadcast") << readRequest(0, 4, 1111, 1) << QByteArray();
    QTest::newRow("other address") << readRequest(6, 4, 1111, 1) << QByteArray();
    QByteArray damaged = nameRequest;
    damaged[7] = char(quint8(damaged[7]) ^ 0x01);
    QTest::newRow("damaged CRC") << damaged << QByteArray();
}

void tst_simbus::replies()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);

    m_bus->addModule(5, 19200, fmt8N1, 2);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));

    if (!reply.isEmpty())
        QCOMPARE(client.exchange(request, reply.size()), reply);
    else
        QVERIFY(client.send(request));
    // The bus answers in order, so any stray reply would come before this one.
    QCOMPARE(client.exchange(nameRequest, nameReply.size()), nameReply);
}

void tst_simbus::writeLandsInRegisters()
{
    cSimModule *module = m_bus->addModule(5, 19200, fmt8N1);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));

    const QByteArray reply = writeReply(5, 1584, 2);
    QCOMPARE(client.exchange(writeRequest(5, 1584, {30, 500}), reply.size()), reply);
    QCOMPARE(module->reg(1584), quint16(30));
    QCOMPARE(module->reg(1585), quint16(500));

    module->setReg(1599, 0xBEEF);
    const QByteArray readBack = frameOf("050302BEEF");
    QCOMPARE(client.exchange(readRequest(5, 3, 1599, 1), readBack.size()), readBack);
}

void tst_simbus::inputAndHoldingAreSeparate()
{
    cSimModule *module = m_bus->addModule(5, 19200, fmt8N1);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));

    module->setReg(1111, 0xBEEF);
    QCOMPARE(readWords(client, 3, 1111, 1), QVector<quint16>{0xBEEF});
    QCOMPARE(readWords(client, 4, 1111, 1), QVector<quint16>{3310});
    QVERIFY(writeWords(client, 1116, {0x1234}));
    QCOMPARE(readWords(client, 4, 1116, 1), QVector<quint16>{0x05});
    QCOMPARE(module->reg(1116), quint16(0x1234));
}

void tst_simbus::counterResetClearsChosenChannels()
{
    cSimModule *module = m_bus->addModule(5, 19200, fmt8N1);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));
    for (quint16 n = 0; n < 4; ++n) {
        module->setInputReg(n, 0); // no pulses, so that the counts stay put
        module->setInputReg(quint16(58 + 2 * n), quint16(100 + n));
        module->setInputReg(quint16(59 + 2 * n), 1);
    }

    QVERIFY(writeWords(client, 1589, {0b0101}));
    QCOMPARE(readWords(client, 3, 1589, 1), QVector<quint16>{0});
    QCOMPARE(readWords(client, 4, 58, 8), (QVector<quint16>{0, 0, 101, 1, 0, 0, 103, 1}));
}

void tst_simbus::counterPassesSignBit()
{
    cSimModule *module = m_bus->addModule(5, 19200, fmt8N1);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));
    module->setInputReg(7, 0);
    module->setInputReg(72, 0xFFFE);
    module->setInputReg(73, 0x7FFF);
    QCOMPARE(readWords(client, 4, 72, 2), (QVector<quint16>{0xFFFE, 0x7FFF}));

    module->setInputReg(7, 1000);
    QVector<quint16> counter;
    QDeadlineTimer deadline(replyWaitMs);
    do
        counter = readWords(client, 4, 72, 2);
    while (counter.value(1) == 0x7FFF && !deadline.hasExpired());
    QCOMPARE(counter.value(1), quint16(0x8000));
}

void tst_simbus::slowCounterCountsWhilePolled()
{
    m_bus->addModule(5, 19200, fmt8N1);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));

    // Channel 1 counts one pulse a second, far less than one between two polls.
    QVector<quint16> counter;
    QDeadlineTimer deadline(replyWaitMs);
    do
        counter = readWords(client, 4, 60, 2);
    while (counter == QVector<quint16>{0, 0} && !deadline.hasExpired());
    QCOMPARE(counter, (QVector<quint16>{1, 0}));
}

void tst_simbus::identifierBinds_data()
{
    QTest::addColumn<quint16>("channel");
    QTest::newRow("first") << quint16(0);
    QTest::newRow("last, no sensor at the factory") << quint16(9);
}

void tst_simbus::identifierBinds()
{
    QFETCH(quint16, channel);
    m_bus->addModule(5, 19200, fmt8N1);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));

    QVERIFY(writeWords(client, quint16(1510 + 4 * channel), {0x28AB, 0xCDEF, 0x0123, 0x4567}));
    QCOMPARE(readWords(client, 3, quint16(1017 + 2 * channel), 2),
             (QVector<quint16>{0xCDEF, 0x28AB}));
    QCOMPARE(readWords(client, 3, quint16(1137 + 2 * channel), 2),
             (QVector<quint16>{0x4567, 0x0123}));
    QCOMPARE(floatOf(readWords(client, 4, quint16(345 + 2 * channel), 2)), 20.5f + 0.25f * channel);
}

void tst_simbus::calibration_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("calibrating");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<float>("low");
    QTest::addColumn<float>("high");
    QTest::addColumn<bool>("saveFails");
    QTest::addColumn<QList<int>>("statuses"); // after each step

    for (int kind = 0; kind < 3; ++kind) {
        const calibrated_t &c = calibrated[kind];
        const auto row = [&](const char *what, bool calibrating, const char *steps) -> QTestData & {
            return QTest::addRow("%s, %s", c.name, what) << kind << calibrating << QString(steps);
        };
        row("done", true, "LHE") << c.low << c.high << false << QList<int>{1, 2, 12};
        row("execute alone", true, "E") << c.low << c.high << false << QList<int>{9};
        row("high before low", true, "HLE") << c.low << c.high << false << QList<int>{0, 1, 9};
        row("low starts afresh", true, "HLHE") << c.low << c.high << false << QList<int>{0, 1, 2, 12};
        row("too close", true, "LHE") << c.tooCloseLow << c.high << false << QList<int>{1, 2, 11};
        row("out of range", true, "LHE") << c.low << c.outOfRangeHigh << false << QList<int>{1, 2, 10};
        row("save fails", true, "LHE") << c.low << c.high << true << QList<int>{1, 2, 8};
        row("not in calibration mode", false, "LHE") << c.low << c.high << false << QList<int>{0, 0, 9};
    }
}

void tst_simbus::calibration()
{
    QFETCH(int, kind);
    QFETCH(bool, calibrating);
    QFETCH(QString, steps);
    QFETCH(float, low);
    QFETCH(float, high);
    QFETCH(bool, saveFails);
    QFETCH(QList<int>, statuses);
    const calibrated_t &c = calibrated[kind];
    const quint16 statusReg = quint16(c.regStatus + c.channel);

    cSimModule *module = m_bus->addModule(5, 19200, fmt8N1);
    module->setCalibrationSaveFails(saveFails);
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));
    if (calibrating)
        QVERIFY(writeWords(client, quint16(c.regMode + c.channel), {c.calibrationMode}));

    for (int i = 0; i < steps.size(); ++i) {
        const int command = QStringLiteral("LHE").indexOf(steps[i]);
        const float value = command == 0 ? low : high;
        module->setAiInput(c.channel, value);
        QVERIFY(writeWords(client, quint16(c.regSent + 2 * c.channel), floatWords(value)));
        QVERIFY(writeWords(client, quint16(c.regCommands + command), {quint16(1 << c.channel)}));
        QCOMPARE(readWords(client, 4, statusReg, 1), QVector<quint16>{quint16(statuses[i])});
    }
    QCOMPARE(readWords(client, 3, c.regCommands, 3), (QVector<quint16>{0, 0, 0}));
}

void tst_simbus::takeNewLine_data()
{
    QTest::addColumn<quint8>("address");
    QTest::addColumn<qint32>("baud");
    QTest::addColumn<int>("format");
    QTest::addColumn<quint16>("configWord");

    QTest::newRow("9 at 38400 8E1") << quint8(9) << 38400 << fmt8E1 << quint16(5 | 2 << 5);
    QTest::newRow("12 at 1200 8N2") << quint8(12) << 1200 << fmt8N2 << quint16(0x80);
    QTest::newRow("200 at 115200 8O1") << quint8(200) << 115200 << fmt8O1 << quint16(7 | 1 << 5);
    QTest::newRow("same address, 9600") << quint8(5) << 9600 << fmt8N1 << quint16(3);
}

void tst_simbus::takeNewLine()
{
    QFETCH(quint8, address);
    QFETCH(qint32, baud);
    QFETCH(int, format);
    QFETCH(quint16, configWord);

    cSimModule *module = m_bus->addModule(5, 19200, fmt8N1);
    QCOMPARE(module->reg(1583), quint16(4));
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(19200, fmt8N1));

    QByteArray reply = writeReply(5, 1582, 2);
    QCOMPARE(client.exchange(writeRequest(5, 1582, {address, configWord}), reply.size()), reply);
    QCOMPARE(module->address(), quint8(5));
    reply = writeReply(5, 1586, 1);
    QCOMPARE(client.exchange(writeRequest(5, 1586, {4}), reply.size()), reply);
    QCOMPARE(module->address(), address);
    QCOMPARE(module->baud(), baud);
    QCOMPARE(module->formatIndex(), format);

    const int framesBefore = m_bus->framesSeen();
    QVERIFY(client.send(readRequest(5, 4, 1111, 1)));
    QVERIFY(waitForFrames(*m_bus, framesBefore + 1));
    QCOMPARE(client.receive(1, settleMs), QByteArray());

    QVERIFY(client.configure(baud, format));
    const QByteArray name = readRequest(address, 4, 1111, 1);
    QByteArray nameBody = QByteArray::fromHex("04020CEE");
    nameBody.prepend(char(address));
    QCOMPARE(client.exchange(name, nameBody.size() + 2), withCrc(nameBody));

    reply = writeReply(address, 1586, 1);
    QCOMPARE(client.exchange(writeRequest(address, 1586, {2}), reply.size()), reply);
    QVERIFY(client.configure(19200, fmt8N1));
    QCOMPARE(client.exchange(nameRequest, nameReply.size()), nameReply);
    QCOMPARE(module->reg(1582), quint16(5));
    QCOMPARE(module->reg(1583), quint16(4));
}

void tst_simbus::serialPortKeepsParity_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QSerialPort::Parity>("parity");

    QTest::newRow("even") << fmt8E1 << QSerialPort::EvenParity;
    QTest::newRow("odd") << fmt8O1 << QSerialPort::OddParity;
}

void tst_simbus::serialPortKeepsParity()
{
    QFETCH(int, format);
    QFETCH(QSerialPort::Parity, parity);

    m_bus->addModule(5, 19200, format);
    QSerialPort port(m_bus->portPath());
    port.setBaudRate(19200);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));

    QCOMPARE(port.write(nameRequest), qint64(nameRequest.size()));
    QVERIFY(port.waitForBytesWritten(replyWaitMs));
    QVERIFY(waitForFrames(*m_bus, 1));
    QVERIFY(!port.waitForReadyRead(settleMs));

    QVERIFY2(port.setParity(parity), qPrintable(port.errorString()));
    QCOMPARE(port.parity(), parity);
    termios tio;
    QCOMPARE(::tcgetattr(int(port.handle()), &tio), 0);
    QVERIFY(tio.c_cflag & PARENB);
    // Another setting re-reads the termios and must keep the parity.
    QVERIFY(port.setStopBits(QSerialPort::OneStop));

    port.write(nameRequest);
    QByteArray reply;
    while (reply.size() < nameReply.size() && port.waitForReadyRead(replyWaitMs))
        reply += port.readAll();
    QCOMPARE(reply, nameReply);

    port.close();
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    QCOMPARE(port.parity(), parity);
}

void tst_simbus::faults_data()
{
    QTest::addColumn<simFault>("fault");
    QTest::addColumn<bool>("paced");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("extraBytes");
    QTest::addColumn<int>("minDelayMs");

    QByteArray badCrc = nameReply;
    badCrc[6] = char(quint8(badCrc[6]) ^ 0xFF);

    QTest::newRow("none") << simFault::None << false << nameReply << 0 << 0;
    QTest::newRow("no reply") << simFault::NoReply << false << QByteArray() << 0 << 0;
    QTest::newRow("bad CRC") << simFault::BadCrc << false << badCrc << 0 << 0;
    QTest::newRow("wrong address") << simFault::WrongAddress << false << frameOf("0604020CEE") << 0 << 0;
    QTest::newRow("exception") << simFault::Exception << false << frameOf("058404") << 0 << 0;
    QTest::newRow("split") << simFault::Split << false << nameReply << 0 << 0;
    QTest::newRow("trailing garbage") << simFault::TrailingGarbage << false << nameReply << 3 << 0;
    QTest::newRow("late reply") << simFault::LateReply << false << nameReply << 0 << 250;
    QTest::newRow("slow bytes") << simFault::SlowBytes << false << nameReply << 0 << 0;
    // 8 + 3.5 + 7 characters of 10 bits at 1200 baud.
    QTest::newRow("paced") << simFault::None << true << nameReply << 0 << 150;
}

void tst_simbus::faults()
{
    QFETCH(simFault, fault);
    QFETCH(bool, paced);
    QFETCH(QByteArray, reply);
    QFETCH(int, extraBytes);
    QFETCH(int, minDelayMs);

    cSimModule *module = m_bus->addModule(5, 1200, fmt8N1);
    module->setFault(fault);
    module->setPaced(paced);
    module->setLateReplyDelay(std::chrono::milliseconds(300));
    rawClient client(m_bus->portPath());
    QVERIFY(client.configure(1200, fmt8N1));

    QElapsedTimer sinceRequest;
    sinceRequest.start();
    QVERIFY(client.send(nameRequest));
    if (reply.isEmpty()) {
        QVERIFY(waitForFrames(*m_bus, 1));
        QCOMPARE(client.receive(1, settleMs), QByteArray());
        return;
    }
    const QByteArray received = client.receive(reply.size() + extraBytes, replyWaitMs);
    QVERIFY(sinceRequest.elapsed() >= minDelayMs);
    QCOMPARE(received.left(reply.size()), reply);
    QCOMPARE(received.size(), reply.size() + extraBytes);
    QVERIFY(waitForFrames(*m_bus, 1));
    QCOMPARE(client.receive(1, settleMs), QByteArray());
}

void tst_simbus::vanishHangsUpAndReplugs()
{
    m_bus->addModule(5, 19200, fmt8N1);
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyVRD"));
    QVERIFY(m_bus->makeLink(link));
    {
        rawClient client(link);
        QVERIFY(client.configure(19200, fmt8N1));
        m_bus->vanish();
        pollfd pfd{client.fd(), POLLIN, 0};
        QCOMPARE(::poll(&pfd, 1, replyWaitMs), 1);
        QVERIFY(pfd.revents & POLLHUP);
    }
    QVERIFY(!m_bus->isRunning());

    QVERIFY(m_bus->start());
    QCOMPARE(QFileInfo(link).symLinkTarget(), m_bus->portPath());
    rawClient client(link);
    QVERIFY(client.configure(19200, fmt8N1));
    QCOMPARE(client.exchange(nameRequest, nameReply.size()), nameReply);
    m_bus->stop();
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
}

// A second bus started on the same link takes it; the first one stopping
// must not pull the link from under the second one's users.
void tst_simbus::linkTakenOverStaysWithItsBus()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyVRD"));
    QVERIFY(m_bus->makeLink(link));
    cSimBus second;
    QVERIFY(second.start());
    QVERIFY(second.makeLink(link));
    m_bus->stop();
    QCOMPARE(QFileInfo(link).symLinkTarget(), second.portPath());
    second.stop();
    QVERIFY(!QFileInfo(link).isSymLink());
}

void tst_simbus::bridgeCarriesBothWays()
{
    cPtyBridge bridge;
    QString error;
    QVERIFY2(bridge.start(&error), qPrintable(error));
    rawClient a(bridge.portA());
    rawClient b(bridge.portB());
    QVERIFY(a.configure(19200, fmt8N1));
    QVERIFY(b.configure(19200, fmt8N1));

    QVERIFY(a.send(nameRequest));
    QCOMPARE(b.receive(nameRequest.size(), replyWaitMs), nameRequest);
    QVERIFY(b.send(nameReply));
    QCOMPARE(a.receive(nameReply.size(), replyWaitMs), nameReply);
}

QTEST_GUILESS_MAIN(tst_simbus)
#include "tst_simbus.moc"
