#ifndef CCONFIGBATCHDIALOG_H
#define CCONFIGBATCHDIALOG_H

#include <QDialog>

#include "cConfigBatchRun.h"
#include "ui_configBatch.h"

class mainClass;

// The selected rows of the found-modules table: save each module's
// configuration to a folder, or apply one file to them all, with progress,
// a stop at any time and a result per module.
class cConfigBatchDialog : public QDialog
{
    Q_OBJECT

public:
    // Ask for the folder or the file, then show the modules to act on.
    static void saveSelected(mainClass *window);
    static void applyToSelected(mainClass *window);

    cConfigBatchDialog(mainClass *window, const QList<int> &rows);
    void prepareSave(const QString &folder);
    void prepareApply(const QString &fileName, const cModuleConfig &file);
    bool isRunning() const { return m_run.isRunning(); }

    Ui::configBatch ui;

protected:
    void reject() override;

private:
    static QList<int> selectedRows(mainClass *window);
    void start();
    void moduleStarted(int index, int total);
    void moduleDone(int index, const configModuleResult_t &result);
    void finished(bool stopped);
    void setCell(int row, int column, const QString &text, bool failed = false);

    mainClass *m_window;
    QList<int> m_rows;
    QList<configTarget_t> m_targets;
    cConfigBatchRun m_run;
    QString m_folder;
    cModuleConfig m_file;
    bool m_saving = true;
    int m_failed = 0;
};

#endif
