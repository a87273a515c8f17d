#ifndef WORKERHARNESS_H
#define WORKERHARNESS_H

#include <QStringList>
#include <QThread>

#include "cModBusFunctions.h"
#include "cUart.h"

#include <functional>

// A worker in its own thread, driven through queued calls as the windows do;
// its reports come back queued too, so nothing is shared between the threads.
class workerHarness : public QObject
{
    Q_OBJECT

public:
    static constexpr int noAnswer = -999;
    // Opening and re-opening hand this to the worker.
    echoMode_t echo = echoMode_t::Automatic;

    workerHarness();
    ~workerHarness();

    cUart *worker() const { return m_worker; }
    cModBusFunctions &image() { return m_image; }

    bool open(const QString &port, qint32 baud, int formatIndex, quint16 timeout = 100);
    bool reInit(const QString &port, qint32 baud, int formatIndex, quint16 timeout = 100);
    bool close();
    int read(const QList<query_info_t> &batch);
    int writeBatch(const QList<query_info_t> &batch);
    int writeOne(const query_info_t &query);

    static settingsUart_t line(const QString &port, qint32 baud, int formatIndex, quint16 timeout);
    static query_info_t query(quint16 function, quint16 address, quint16 reg, quint16 count,
                              quint16 moduleType = 3310);

    // Requests that do not wait for their answer.
    void startRead(const QList<query_info_t> &batch) { emit readRequested(batch); }
    void startScan(const scanRequest_t &request) { emit scanRequested(request); }
    void pauseScan() { emit pauseRequested(); }
    void continueScan() { emit continueRequested(); }
    void stopScan() { emit stopRequested(); }
    void setScanEnd(int address) { emit endAddressRequested(address); }

    // Reports received so far, in order of arrival.
    QList<int> readEnds;
    QList<int> writeEnds;
    QStringList messages;
    int arrivals = 0;
    QList<int> progress;
    QList<int> aborts;
    QList<scan_return_t> found;
    QStringList tried;

    // Starts a scan and returns at its end report (false if none came).
    bool scan(const scanRequest_t &request, int timeoutMs = 60000);
    bool scanEnded() const { return m_scanEnded; }
    static scanRequest_t scanRange(int start, int end, QList<int> bauds, QList<int> formats);

    static bool waitUntil(const std::function<bool()> &done, int timeoutMs = 10000);

signals:
    void settingsRequested(settingsUart_t settings);
    void connectRequested();
    void reInitRequested(settingsUart_t settings);
    void disconnectRequested();
    void readRequested(QList<query_info_t> batch);
    void writeBatchRequested(QList<query_info_t> batch);
    void writeOneRequested(query_info_t query);
    void scanRequested(scanRequest_t request);
    void pauseRequested();
    void continueRequested();
    void stopRequested();
    void endAddressRequested(int address);

private:
    void connectWorker();
    bool waitForOpenAttempt(quint32 before);
    int waitForNext(const QList<int> &ends, int before);

    cModBusFunctions m_image;
    QThread m_thread;
    cUart *m_worker;
    int m_scanEnd = -1;
    bool m_scanEnded = false;
};

#endif
