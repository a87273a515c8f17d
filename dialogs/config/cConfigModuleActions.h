#ifndef CCONFIGMODULEACTIONS_H
#define CCONFIGMODULEACTIONS_H

#include <QObject>
#include <functional>

#include "cConfigSession.h"

class cDlgVrd_3310;
class mainClass;
class QToolButton;

// "Configuration" in the module dialog: save the module's configuration,
// compare it with a file, apply a file. Talks to the module through a
// session of its own beside the dialog's polling.
class cConfigModuleActions : public QObject
{
    Q_OBJECT

public:
    cConfigModuleActions(cDlgVrd_3310 *dialog, mainClass *owner);

    QToolButton *button() const { return m_button; }

private:
    void saveConfig();
    void compareWithFile();
    void applyFile();
    bool openFile(cModuleConfig *file);
    void readModule(const std::function<void(const cModuleConfig &)> &then);
    void moduleRead(const cModuleConfig &config, int result);
    void confirmAndApply(const cModuleConfig &file, const cModuleConfig &module);
    void nothingToWrite();
    bool addressFree(const cModuleConfig &file);
    void applied(const configApplyResult_t &result);
    void setBusy(bool busy);
    void notPossible(const QString &text);

    cDlgVrd_3310 *m_dialog;
    mainClass *m_owner;
    QToolButton *m_button;
    cConfigSession m_session;
    std::function<void(const cModuleConfig &)> m_then;
    QString m_fileName;
    cConfigApplyPlan m_plan;
};

#endif
