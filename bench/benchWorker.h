#ifndef BENCHWORKER_H
#define BENCHWORKER_H

#include <QObject>
#include <QThread>

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
        int completed = 0;
        int failed = 0;
        qint64 elapsedNs = 0;

        double perSecond() const { return elapsedNs > 0 ? completed * 1e9 / double(elapsedNs) : 0.0; }
        double msPerRequest() const { return completed > 0 ? double(elapsedNs) / 1e6 / completed : 0.0; }
    };

    benchWorker();
    ~benchWorker() override;

    bool open(const QString &port, qint32 baud, quint16 timeoutMs);
    void close();
    run_t run(const query_info_t &query, int windowMs);

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
