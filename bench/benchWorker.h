#ifndef BENCHWORKER_H
#define BENCHWORKER_H

#include <QObject>
#include <QThread>

#include "benchTiming.h"
#include "cModBusFunctions.h"
#include "cUart.h"

// Our worker in its own thread, driven by queued calls as the windows drive
// it. A run posts a batch of one request, and the next one as soon as the
// previous one has reported its end.
class benchWorker : public QObject
{
    Q_OBJECT

public:
    struct run_t
    {
        int failed = 0;
        qint64 elapsedNs = 0; // from posting the first request to the last end report

        double ms() const { return double(elapsedNs) / 1e6; }
    };

    benchWorker();
    ~benchWorker() override;

    bool open(const QString &port, qint32 baud, quint16 timeoutMs);
    void close();
    // Batches of perBatch requests (the last one shorter), each handed over
    // once, as the module dialog polls; one request per batch by default.
    run_t run(const query_info_t &query, int requests, int perBatch = 1);
    // As benchTiming::msPerRequest, each timing right after a request ended,
    // so that every request waits the line silence; negative when one failed.
    double msPerRequest(const query_info_t &query, int requests, int repeats);
    // One timing of n requests and one of a single request, as above, with
    // the CPU time this process spent on them (the worker's and the thread
    // that hands it the requests).
    benchTiming::perRequest_t costPerRequest(const query_info_t &query, int requests, int perBatch = 1);

    static query_info_t readQuery(quint16 address, quint16 startReg, quint16 count);

private:
    template <typename F>
    void post(F call) { QMetaObject::invokeMethod(m_worker, call, Qt::QueuedConnection); }
    static bool waitFor(const std::function<bool()> &done, int timeoutMs);

    cModBusFunctions m_image;
    QThread m_thread;
    cUart *m_worker;
};

#endif
