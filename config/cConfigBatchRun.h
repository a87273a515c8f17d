#ifndef CCONFIGBATCHRUN_H
#define CCONFIGBATCHRUN_H

#include <QCoreApplication>
#include <QObject>

#include "cConfigSession.h"

// What became of one module of a run.
struct configModuleResult_t
{
    configTarget_t target;
    bool ok = false;
    bool portLost = false;
    QString text;
    configApplyResult_t apply;
};

// Saves the configuration of many modules to a folder, or applies one file
// to them all, one module after the other; used by the window and the
// command line alike.
class cConfigBatchRun : public QObject
{
    Q_OBJECT

public:
    explicit cConfigBatchRun(cUart *worker, QObject *parent = nullptr);

    void saveAll(const QList<configTarget_t> &targets, const QString &folder);
    void applyAll(const QList<configTarget_t> &targets, const cModuleConfig &file,
                  const cConfigApplyPlan::options_t &options);
    // Ends after the exchange under way; the modules not reached are told so.
    void stop();
    bool isRunning() const { return m_index < m_targets.size(); }

signals:
    void moduleStarted(int index, int total);
    void moduleDone(int index, configModuleResult_t result);
    void moduleMoved(int index, quint8 address, settingsUart_t line);
    void finished(bool stopped);

private:
    void start(const QList<configTarget_t> &targets);
    void next();
    void readDone(const cModuleConfig &config, int result);
    void saveRead(const cModuleConfig &config);
    void applyRead(const cModuleConfig &config);
    void applyDone(const configApplyResult_t &result);
    void done(bool ok, const QString &text, bool portLost = false);
    bool ownFitsOne() const;
    static QString busText(int result);

    cConfigSession m_session;
    QList<configTarget_t> m_targets;
    int m_index = 0;
    bool m_saving = true;
    bool m_stopped = false;
    QString m_folder;
    cModuleConfig m_file;
    cConfigApplyPlan::options_t m_options;
};

#endif
