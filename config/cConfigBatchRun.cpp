#include "cConfigBatchRun.h"

#include <QDir>

#include "cConfigFile.h"

cConfigBatchRun::cConfigBatchRun(cUart *worker, QObject *parent)
    : QObject(parent)
    , m_session(worker)
{
    connect(&m_session, &cConfigSession::readDone, this, &cConfigBatchRun::readDone);
    connect(&m_session, &cConfigSession::applyDone, this, &cConfigBatchRun::applyDone);
    connect(&m_session, &cConfigSession::moduleMoved, this,
            [this](quint8 address, const settingsUart_t &line) { emit moduleMoved(m_index, address, line); });
}

void cConfigBatchRun::saveAll(const QList<configTarget_t> &targets, const QString &folder)
{
    m_saving = true;
    m_folder = folder;
    start(targets);
}

void cConfigBatchRun::applyAll(const QList<configTarget_t> &targets, const cModuleConfig &file,
                               const cConfigApplyPlan::options_t &options)
{
    m_saving = false;
    m_file = file;
    m_options = options;
    start(targets);
}

// One module's own address, line and sensors given to several would put
// them all on one address with the same sensors.
bool cConfigBatchRun::ownFitsOne() const
{
    return m_options.keepOwn || m_targets.size() < 2;
}

void cConfigBatchRun::start(const QList<configTarget_t> &targets)
{
    m_targets = targets;
    m_index = -1;
    m_stopped = false;
    next();
}

void cConfigBatchRun::stop()
{
    m_stopped = true;
    m_session.stop();
}

void cConfigBatchRun::next()
{
    ++m_index;
    if (m_stopped) {
        for (; m_index < m_targets.size(); ++m_index)
            emit moduleDone(m_index, configModuleResult_t{m_targets[m_index], false, false, tr("not reached: stopped"), {}});
    }
    if (m_index >= m_targets.size())
        return emit finished(m_stopped);
    emit moduleStarted(m_index, m_targets.size());
    m_session.read(m_targets[m_index]);
}

QString cConfigBatchRun::busText(int result)
{
    if (result == MB_ERR_PORT_CLOSED)
        return tr("the port is lost");
    if (result == MB_ERR_TIMEOUT)
        return tr("no answer");
    return tr("bus error %1").arg(result);
}

void cConfigBatchRun::readDone(const cModuleConfig &config, int result)
{
    // A stop asked for while the module was read: nothing is written to it.
    if (m_stopped)
        return done(false, tr("not reached: stopped"));
    if (result != MB_OK || !config.isComplete())
        return done(false, tr("cannot be read: %1").arg(busText(result)), result == MB_ERR_PORT_CLOSED);
    if (m_saving)
        return saveRead(config);
    applyRead(config);
}

void cConfigBatchRun::saveRead(const cModuleConfig &config)
{
    const QString path = QDir(m_folder).filePath(cConfigFile::fileName(m_targets[m_index].address, config));
    QString error;
    if (!cConfigFile::save(path, config, &error))
        return done(false, error);
    done(true, tr("saved to %1").arg(QDir::toNativeSeparators(path)));
}

void cConfigBatchRun::applyRead(const cModuleConfig &config)
{
    if (!ownFitsOne())
        return done(false, tr("refused: one file's address, line settings and sensor IDs cannot go to "
                              "%1 modules").arg(m_targets.size()));
    const cConfigComparison comparison(m_file, config);
    if (comparison.match() == cConfigComparison::OtherType
        || (comparison.match() == cConfigComparison::OtherVariant && !m_options.sharedOnly))
        return done(false, tr("refused: %1").arg(comparison.mismatchText()));
    const cConfigApplyPlan plan(comparison, m_options);
    if (plan.steps().isEmpty())
        return done(true, tr("nothing differs"));
    m_session.apply(m_targets[m_index], plan);
}

void cConfigBatchRun::applyDone(const configApplyResult_t &result)
{
    configModuleResult_t module{m_targets[m_index], result.allVerified(), result.busResult == MB_ERR_PORT_CLOSED,
                                QString(), result};
    const int checked = result.count(configOutcome_t::Verified);
    if (module.ok) {
        module.text = tr("%n parameter(s) written and checked", nullptr, checked);
    } else {
        QStringList failed;
        for (const configParamResult_t &p : result.params)
            if (p.outcome != configOutcome_t::Verified)
                failed << QStringLiteral("%1 (%2)").arg(p.name, cConfigSession::outcomeText(p.outcome));
        module.text = tr("%1 of %2 written and checked; %3")
                          .arg(checked)
                          .arg(result.params.size())
                          .arg(failed.join(QStringLiteral("; ")));
    }
    emit moduleDone(m_index, module);
    next();
}

void cConfigBatchRun::done(bool ok, const QString &text, bool portLost)
{
    emit moduleDone(m_index, configModuleResult_t{m_targets[m_index], ok, portLost, text, {}});
    next();
}
