#ifndef CCONFIGRESULTSDIALOG_H
#define CCONFIGRESULTSDIALOG_H

#include <QDialog>

#include "cConfigComparison.h"
#include "configResult_t.h"
#include "ui_configResults.h"

// One modal table for the configuration actions of a module: a comparison
// with a file, the changes to confirm before an apply, an apply's results.
class cConfigResultsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit cConfigResultsDialog(QWidget *parent = nullptr);

    void showComparison(const cConfigComparison &comparison, const QString &fileName);
    // Apply and Cancel; the box keeps the module's own parameters.
    void showChanges(const cConfigComparison &comparison, bool keepOwn);
    void showResult(const configApplyResult_t &result);
    bool keepOwn() const { return ui.chbConfigKeepOwn->isChecked(); }

    Ui::configResults ui;

private:
    QList<bool> m_marked;
    void setColumns(const QStringList &titles);
    void addRow(const QStringList &cells, bool marked);
    void showOnlyMarked(bool only);
};

#endif
