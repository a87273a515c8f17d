#ifndef CUART_H
#define CUART_H

#include <QElapsedTimer>
#include <QObject>
#include <QQueue>
#include <QThread>
#include <QVector>
#include <atomic>
#include <functional>
#include <memory>
#include <tuple>

#include "busFrame_t.h"
#include "cEchoFilter.h"
#include "cLinkStats.h"
#include "busJob_t.h"
#include "cModBusFunctions.h"
#include "cPreciseWait.h"
#include "modbusTypes.h"
#include "cEndpoint.h"
#include "cTransport.h"

// The only object that touches the port (a transport). It lives in a thread of its
// own and is driven by queued signals only; requests and results travel by
// value. Bus jobs never nest: one that arrives while another runs (during the
// scan's event processing) waits its turn, in the order handed over.
class cUart : public QObject
{
    Q_OBJECT

public:
    explicit cUart(cModBusFunctions *modbus, QObject *parent = nullptr);
    ~cUart() override;

    // Safe to call from any thread.
    bool isPortOpen() const { return m_portOpen.load(); }
    quint32 openAttempts() const { return m_openAttempts.load(); }
    portFailure_t lastOpenFailure() const { return portFailure_t(m_lastFailure.load()); }

    // Moves the worker into the thread and starts it; the worker goes with
    // its thread should it not be retired.
    void runIn(QThread &thread);
    // Deletes the worker in its own thread, then ends and joins the thread.
    static void retire(cUart *worker, QThread &thread);

    // Makes a running scan end at once, even in the middle of a reply wait.
    // With no scan running it does nothing: a stop confirmed after the end
    // must not fail the polls and writes that follow. Safe from any thread.
    void interruptScan()
    {
        int running = ScanRunning;
        m_scanRun.compare_exchange_strong(running, ScanInterrupted);
    }
    // Traffic monitors that want every frame; none open costs nothing.
    // Safe to call from any thread.
    void watchBus(bool on) { m_watchers.fetch_add(on ? 1 : -1); }

    static constexpr int moduleWithImage = 3310;

signals:
    void finished_PortSignal();
    void error_Signal(QString text);
    void outPortSignal(QString text);
    void searchModuleOkSignal(scan_return_t module);
    void readModuleEnd_Signal(int result);
    void writeModuleEnd_Signal(int result);
    void sendValueScanProgressSignal(int address);
    void sendCurrentInformSignal(QString port, QString address, QString baud, QString format);
    void execAbortSearchSignal(int endAddress);
    // The scan ended because the port could not be opened again (the device
    // went away or another program took it) before probing this combination.
    void scanPortLostSignal(int address, QString baud, QString format);
    // The scan was told to stop while at this combination; execAbortSearchSignal follows.
    void scanStoppedSignal(int address, QString baud, QString format);
    // The frames on the line, handed over together at the end of each job
    // (and during a long one now and then): one wake-up of the receiver each.
    void busFramesSignal(QVector<busFrame_t> frames);
    // After each batch, and zeroed when the port opens.
    void linkStatsSignal(cLinkStats stats);
    void jobDone_Signal(busJob_t job);
    // Only retire() emits it.
    void retireSignal();

public slots:
    void DisconnectPort();
    void ConnectPort();
    void reInitPort(settingsUart_t settings);
    void Write_Settings_Port(settingsUart_t settings);
    void process_Port();
    void WriteToPort(QByteArray data);
    void ReadInPort();
    void scanModuleProcedure(scanRequest_t request);
    void scanModulePauseProcedure();
    void scanModuleContinueProcedure();
    void scanModuleStopProcedure();
    void setScanEndAddress(int address);
    void writeModule(query_info_t query);
    void writeMultiModule(QList<query_info_t> batch);
    void readMultiModule(QList<query_info_t> batch);
    void runJob(busJob_t job);
    void linkLost(QString reason);

private slots:
    void retireInThread();

public:
    // Building blocks of every exchange; they run in the worker thread.
    void sendFrame(const quint8 *bytes, int length);
    int waitReply(int milliseconds);

private:
    enum scanState_t { ScanStop = 0, ScanRun = 1, ScanPause = 2 };
    enum scanRun_t { NoScan, ScanRunning, ScanInterrupted };

    void runSerialised(std::function<void()> job);
    void openPort(const settingsUart_t &settings);
    void replaceTransport(const cEndpoint &endpoint);
    void closePort();
    void finishOpenAttempt(portFailure_t failure);
    void prepareReceive(int expectedLength);
    void waitLineSilence(qint64 atLeastNs);
    void waitStep(qint64 leftNs, qint64 stepMs);
    void recoverLine(int timeout);
    void markLineActivity();
    bool scanInterrupted() const;
    int exchange(const quint8 *frame, int requestLength, int replyLength, int timeout, qint64 restNs);
    int noteOutcome(int result);
    void reportFrame(bool sent, const QByteArray &bytes, const QString &text, int echoLength = 0);
    void publishFrames();
    QString lineText();
    int noteTransaction(int result);
    qint64 characterNs() const;
    int execTransaction(const query_info_t &query, int timeout, qint64 restNs);
    int transact(const query_info_t &query, const QVector<quint16> &outgoing, QVector<quint16> &incoming,
                 int timeout, qint64 restNs);
    int runBatch(const QList<query_info_t> &batch, int emptyResult);
    void runScan(const scanRequest_t &request);
    void runScanRange(const scanRequest_t &request);
    bool scanStopped();
    bool scanAddress(settingsUart_t &line, int address, const scanRequest_t &request);
    QString baudText(const settingsUart_t &line) const;
    QString formatText(const settingsUart_t &line) const;
    void retune(const settingsUart_t &line);
    bool scanCombination(settingsUart_t &line, int address, int baud, int format);
    void reportStop(int address, const settingsUart_t &line);
    int probe(int address, quint16 reg, int timeout, quint16 &value);
    void waitWhilePaused();

    cModBusFunctions *m_modbus;
    cEndpoint m_endpoint;
    cTransport *m_port = nullptr;
    settingsUart_t m_settings;

    quint8 m_rx[cModBusFunctions::frameSize] = {};
    int m_received = 0;
    int m_expected = 0;
    bool m_replyComplete = false;
    cEchoFilter m_echo;

    // When a byte last went over the line, on m_lineClock; and whether the
    // last exchange failed, so that a late reply may still be on its way.
    QElapsedTimer m_lineClock;
    qint64 m_lastLineNs = 0;
    cPreciseWait m_silenceWait;
    bool m_lineSuspect = false;
    qint64 m_requestSentNs = 0;
    cLinkStats m_linkStats;
    qint64 m_suspectSinceNs = 0;

    int m_lastResult = 0;
    int m_scanState = ScanRun;
    int m_scanEnd = 0;

    bool m_busy = false;
    QQueue<std::function<void()>> m_pending;

    std::atomic_int m_scanRun{NoScan};
    std::atomic_int m_watchers{0};
    QVector<busFrame_t> m_frames;
    qint64 m_framesSinceNs = 0;
    quint8 m_requestAddress = 0;
    // The line's text for the monitor and what it was made from.
    std::tuple<bool, qint32, int, int> m_lineKey;
    QString m_lineText;
    std::atomic_bool m_portOpen{false};
    std::atomic<quint32> m_openAttempts{0};
    const std::shared_ptr<std::atomic_bool> m_retired = std::make_shared<std::atomic_bool>(false);
    std::atomic_int m_lastFailure{0};
};

#endif
