#include "cConfigSession.h"

#include "cUart.h"

quint32 cConfigSession::s_lastJobId = 0;

cConfigSession::cConfigSession(cUart *worker, QObject *parent)
    : QObject(parent)
{
    connect(this, &cConfigSession::lineSignal, worker, &cUart::reInitPort);
    connect(this, &cConfigSession::jobSignal, worker, &cUart::runJob);
    connect(worker, &cUart::jobDone_Signal, this, &cConfigSession::jobDone);
}

QString cConfigSession::outcomeText(configOutcome_t outcome)
{
    switch (outcome) {
    case configOutcome_t::Verified: return tr("written, checked");
    case configOutcome_t::Mismatch: return tr("written, the module reports another value");
    case configOutcome_t::WrittenUnchecked: return tr("written, not read back");
    case configOutcome_t::NoAnswer: return tr("sent, no answer: may or may not be taken");
    case configOutcome_t::Refused: return tr("refused by the module");
    case configOutcome_t::NotWritten: return tr("not written");
    }
    return QString();
}

query_info_t cConfigSession::query(quint16 function, quint16 startReg, quint16 count) const
{
    query_info_t q;
    q.function = function;
    q.address = m_target.address;
    q.startReg = startReg;
    q.count = count;
    q.moduleType = cModuleConfig::moduleType;
    return q;
}

QList<query_info_t> cConfigSession::reads(const QList<configBlock_t> &blocks) const
{
    QList<query_info_t> list;
    for (const configBlock_t &b : blocks)
        list << query(b.function, b.startReg, b.count);
    return list;
}

// Every job names its module and carries its values; an answer to any other
// job (one sent before a stop, or by another session) is not this one's.
void cConfigSession::send(phase_t phase, const QList<query_info_t> &requests,
                          const QList<QVector<quint16>> &values)
{
    m_phase = phase;
    busJob_t job;
    job.id = m_jobId = ++s_lastJobId;
    job.requests = requests;
    job.values = values;
    emit jobSignal(job);
}

void cConfigSession::read(const configTarget_t &target)
{
    m_target = target;
    m_stopAsked = false;
    if (target.retune)
        emit lineSignal(target.line);
    send(Reading, reads(cModuleConfig::readBlocks()), {});
}

void cConfigSession::readMore(const QList<configBlock_t> &blocks)
{
    m_stopAsked = false;
    send(ReadingMore, reads(blocks), {});
}

void cConfigSession::jobDone(busJob_t job)
{
    if (job.id != m_jobId || m_phase == Idle)
        return;
    switch (m_phase) {
    case Reading: return readAnswered(job);
    case ReadingMore:
        m_phase = Idle;
        return emit moreRead(job);
    case Writing: return stepWritten(job);
    case ReadingBack: return checkReadBack(job, 0);
    case Idle: return;
    }
}

void cConfigSession::readAnswered(const busJob_t &job)
{
    m_phase = Idle;
    cModuleConfig config;
    const QList<configBlock_t> blocks = cModuleConfig::readBlocks();
    for (int i = 0; i < job.done && i < blocks.size(); ++i)
        config.takeRead(blocks[i], job.values.value(i));
    emit readDone(config, job.result);
}

void cConfigSession::apply(const configTarget_t &target, const cConfigApplyPlan &plan)
{
    m_target = target;
    m_plan = plan;
    m_step = 0;
    m_stopAsked = false;
    m_ended = false;
    m_after = plan.target();
    m_result = configApplyResult_t();
    for (const configDiff_t &change : plan.changes())
        m_result.params << configParamResult_t{change.key, change.name, change.fileText, change.moduleText,
                                               change.moduleText, configOutcome_t::NotWritten};
    if (target.retune)
        emit lineSignal(target.line);
    nextStep();
}

void cConfigSession::nextStep()
{
    const QList<configStep_t> steps = m_plan.steps();
    if (m_stopAsked || m_ended || m_step >= steps.size())
        return finishApply();
    const configStep_t &step = steps[m_step];
    QList<query_info_t> requests;
    QList<QVector<quint16>> values;
    for (const configWrite_t &w : step.writes) {
        requests << query(16, w.reg, quint16(w.values.size()));
        values << w.values;
    }
    // After a move the module is read back where it went.
    if (!step.movesModule)
        requests << reads(step.readBack);
    send(Writing, requests, values);
}

void cConfigSession::stepWritten(const busJob_t &job)
{
    const configStep_t step = m_plan.steps().at(m_step);
    if (job.done < step.writes.size()) {
        m_result.busResult = job.result;
        if (job.result == MB_ERR_EXCEPTION)
            return settleStep(configOutcome_t::Refused);
        // Silent module or lost port: nothing more goes out.
        m_ended = true;
        const bool sent = job.result != MB_ERR_PORT_CLOSED;
        return settleStep(sent ? configOutcome_t::NoAnswer : configOutcome_t::NotWritten);
    }
    if (!step.movesModule)
        return checkReadBack(job, step.writes.size());
    m_target.address = cConfigApplyPlan::addressAfter(m_plan.target());
    m_target.line = cConfigApplyPlan::lineAfter(m_plan.target(), m_target.line);
    emit lineSignal(m_target.line);
    emit moduleMoved(m_target.address, m_target.line);
    send(ReadingBack, reads(step.readBack), {});
}

// The read-back requests of the job start at first.
void cConfigSession::checkReadBack(const busJob_t &job, int first)
{
    const configStep_t step = m_plan.steps().at(m_step);
    if (job.result != MB_OK) {
        m_result.busResult = job.result;
        m_ended = true;
        return settleStep(configOutcome_t::WrittenUnchecked);
    }
    for (int i = 0; i < step.readBack.size(); ++i)
        m_after.takeRead(step.readBack[i], job.values.value(first + i));
    for (const configParam_t &p : step.params) {
        const bool same = m_after.value(p) == m_plan.target().value(p);
        for (configParamResult_t &r : m_result.params)
            if (r.key == p.key) {
                r.after = m_after.text(p);
                r.outcome = same ? configOutcome_t::Verified : configOutcome_t::Mismatch;
            }
    }
    settleStep(configOutcome_t::Verified);
}

// Outcomes other than a check apply to every parameter of the step.
void cConfigSession::settleStep(configOutcome_t outcome)
{
    if (outcome != configOutcome_t::Verified) {
        for (const configParam_t &p : m_plan.steps().at(m_step).params)
            for (configParamResult_t &r : m_result.params)
                if (r.key == p.key)
                    r.outcome = outcome;
    }
    ++m_step;
    emit stepDone(m_step, m_plan.steps().size());
    nextStep();
}

void cConfigSession::finishApply()
{
    m_phase = Idle;
    m_result.stopped = m_stopAsked && m_step < m_plan.steps().size();
    m_result.address = m_target.address;
    m_result.line = m_target.line;
    emit applyDone(m_result);
}
