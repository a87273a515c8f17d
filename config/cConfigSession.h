#ifndef CCONFIGSESSION_H
#define CCONFIGSESSION_H

#include <QObject>

#include "busJob_t.h"
#include "cConfigApplyPlan.h"
#include "cModuleConfig.h"
#include "configResult_t.h"

class cUart;

// Reads a module's whole configuration and applies a plan to it through the
// worker, without any window: each write is read back and checked, and an
// apply cut short says exactly what was written. One action at a time.
class cConfigSession : public QObject
{
    Q_OBJECT

public:
    explicit cConfigSession(cUart *worker, QObject *parent = nullptr);

    void read(const configTarget_t &target);
    void apply(const configTarget_t &target, const cConfigApplyPlan &plan);
    // More reads from the module of the last action, on its line as it is.
    void readMore(const QList<configBlock_t> &blocks);
    // Ends after the exchange under way; the rest is reported not written.
    void stop() { m_stopAsked = true; }

    static QString outcomeText(configOutcome_t outcome);

signals:
    void lineSignal(settingsUart_t line);
    void jobSignal(busJob_t job);
    void readDone(cModuleConfig config, int result);
    void moreRead(busJob_t job);
    void stepDone(int done, int total);
    void moduleMoved(quint8 address, settingsUart_t line);
    void applyDone(configApplyResult_t result);

private:
    enum phase_t { Idle, Reading, ReadingMore, Writing, ReadingBack };

    void jobDone(busJob_t job);
    void send(phase_t phase, const QList<query_info_t> &requests, const QList<QVector<quint16>> &values);
    QList<query_info_t> reads(const QList<configBlock_t> &blocks) const;
    query_info_t query(quint16 function, quint16 startReg, quint16 count) const;
    void readAnswered(const busJob_t &job);
    void nextStep();
    void stepWritten(const busJob_t &job);
    void checkReadBack(const busJob_t &job, int first);
    void settleStep(configOutcome_t outcome);
    void finishApply();

    static quint32 s_lastJobId;
    quint32 m_jobId = 0;
    phase_t m_phase = Idle;
    configTarget_t m_target;
    cConfigApplyPlan m_plan;
    int m_step = 0;
    bool m_stopAsked = false;
    bool m_ended = false;
    cModuleConfig m_after;
    configApplyResult_t m_result;
};

#endif
