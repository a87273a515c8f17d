#ifndef CLINKSTATS_H
#define CLINKSTATS_H

#include <QCoreApplication>
#include <QMetaType>
#include <QString>
#include <QVector>

// How the module transactions on the line went since the port was opened:
// a value the worker fills and publishes by copy. Scan probes are not
// counted: most of them go to addresses where nobody answers.
class cLinkStats
{
    Q_DECLARE_TR_FUNCTIONS(cLinkStats)

public:
    // The median is taken over this many latest replies.
    static constexpr int medianWindow = 1000;

    // One transaction's result code; the time from sending the request to
    // the end of the reply counts when a reply came.
    void record(int result, qint64 responseNs);
    // Adds the figures of another stretch of traffic (another module's).
    void add(const cLinkStats &other);

    quint32 requests() const { return m_requests; }
    quint32 timeouts() const { return m_timeouts; }
    quint32 crcErrors() const { return m_crcErrors; }
    quint32 exceptions() const { return m_exceptions; }
    quint32 otherFailures() const { return m_otherFailures; }
    quint32 failures() const { return m_timeouts + m_crcErrors + m_exceptions + m_otherFailures; }
    bool hasResponses() const { return !m_recent.isEmpty(); }
    // In milliseconds; 0 without a reply.
    double minimumMs() const { return double(m_minNs) / 1e6; }
    double medianMs() const;
    double maximumMs() const { return double(m_maxNs) / 1e6; }

    // One line for a status bar, and what its figures mean.
    QString summary() const;
    static QString legend();
    // The response times as "min / median / max ms", or a dash.
    QString responseText() const;

private:
    void keepResponse(qint64 ns);

    quint32 m_requests = 0;
    quint32 m_timeouts = 0;
    quint32 m_crcErrors = 0;
    quint32 m_exceptions = 0;
    quint32 m_otherFailures = 0;
    qint64 m_minNs = 0;
    qint64 m_maxNs = 0;
    // A ring of the latest response times; shared until written, so that a
    // copy per publication costs nothing.
    QVector<qint64> m_recent;
    int m_next = 0;
};

Q_DECLARE_METATYPE(cLinkStats)

#endif
