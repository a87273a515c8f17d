#include "cConfigBatchDialog.h"

#include <QDir>
#include <QFileDialog>

#include "cChannelSelection.h"
#include "cConfigFile.h"
#include "closeMessage.h"
#include "lineTables.h"
#include "mainClass.h"

namespace {

const QColor failedRow(255, 205, 205);

void notPossible(QWidget *parent, const QString &text)
{
    showCloseMessage(parent, QMessageBox::Critical,
                     QCoreApplication::translate("cConfigBatchDialog", "Operation not posible"), text,
                     QCoreApplication::translate("cConfigBatchDialog", "Close"));
}

} // namespace

// The selected VRD-3310 rows; the rest have no configuration to speak of.
QList<int> cConfigBatchDialog::selectedRows(mainClass *window)
{
    if (window->isSearchRunning()) {
        notPossible(window, tr("Stop the search first."));
        return {};
    }
    QList<int> rows;
    for (int r = 0; r < window->foundModules().size(); ++r) {
        const QTableWidgetItem *item = window->ui.tblScan->item(r, 0);
        if (item && item->isSelected() && window->foundModules()[r].moduleType == cModuleConfig::moduleType)
            rows << r;
    }
    if (rows.isEmpty())
        notPossible(window, tr("Select the rows of the VRD-3310 modules in the table of found modules first."));
    return rows;
}

void cConfigBatchDialog::saveSelected(mainClass *window)
{
    const QList<int> rows = selectedRows(window);
    if (rows.isEmpty())
        return;
    const QString folder = QFileDialog::getExistingDirectory(window, tr("Save Configurations to Folder"));
    if (folder.isEmpty())
        return;
    cConfigBatchDialog dialog(window, rows);
    dialog.prepareSave(folder);
    dialog.exec();
}

void cConfigBatchDialog::applyToSelected(mainClass *window)
{
    const QList<int> rows = selectedRows(window);
    if (rows.isEmpty())
        return;
    const QString path = QFileDialog::getOpenFileName(window, tr("Apply Configuration File"), QString(),
                                                      tr("Module configuration (*.json)"));
    if (path.isEmpty())
        return;
    cModuleConfig file;
    QString error;
    if (!cConfigFile::load(path, &file, &error))
        return notPossible(window, tr("The file is refused, nothing is written: %1").arg(error));
    cConfigBatchDialog dialog(window, rows);
    dialog.prepareApply(QDir::toNativeSeparators(path), file);
    dialog.exec();
}

cConfigBatchDialog::cConfigBatchDialog(mainClass *window, const QList<int> &rows)
    : QDialog(window)
    , m_window(window)
    , m_rows(rows)
    , m_run(window->worker())
{
    ui.setupUi(this);
    connect(ui.pBtBatchStart, &QPushButton::clicked, this, &cConfigBatchDialog::start);
    connect(ui.pBtBatchStop, &QPushButton::clicked, &m_run, &cConfigBatchRun::stop);
    connect(ui.pBtBatchClose, &QPushButton::clicked, this, &cConfigBatchDialog::reject);
    connect(&m_run, &cConfigBatchRun::moduleStarted, this, &cConfigBatchDialog::moduleStarted);
    connect(&m_run, &cConfigBatchRun::moduleDone, this, &cConfigBatchDialog::moduleDone);
    connect(&m_run, &cConfigBatchRun::finished, this, &cConfigBatchDialog::finished);
    connect(&m_run, &cConfigBatchRun::moduleMoved, this,
            [this](int index, quint8 address, const settingsUart_t &line) {
                m_window->followModule(m_rows[index], address, line);
            });
    ui.tblBatchResults->setRowCount(rows.size());
    ui.tblBatchResults->setColumnWidth(0, 70);
    ui.tblBatchResults->setColumnWidth(1, 110);
    for (int i = 0; i < rows.size(); ++i) {
        const scan_return_t &module = window->foundModules()[rows[i]];
        settingsUart_t line;
        line.portName = window->searchSettings().portName;
        line.replyTimeout = window->searchSettings().timeOut;
        line.baudRate = lineTables::baudRates[module.baudIndex % lineTables::baudCount];
        line.parity = lineTables::formats[module.formatIndex % lineTables::formatCount].parity;
        line.stopBits = lineTables::formats[module.formatIndex % lineTables::formatCount].stopBits;
        m_targets << configTarget_t{quint8(module.address), line, true};
        setCell(i, 0, QString::number(module.address));
        setCell(i, 1, QStringLiteral("VRD-%1 %2").arg(module.moduleType).arg(module.moduleVariant, 2, 10,
                                                                              QLatin1Char('0')));
        setCell(i, 2, tr("waiting"));
    }
    ui.pbBatch->setRange(0, rows.size());
}

void cConfigBatchDialog::prepareSave(const QString &folder)
{
    m_saving = true;
    m_folder = folder;
    ui.chbBatchSharedOnly->hide();
    ui.chbBatchOverwriteOwn->hide();
    ui.lbBatchStatus->setText(tr("Save the configuration of %n module(s) to %1.", nullptr, m_rows.size())
                                  .arg(QDir::toNativeSeparators(folder)));
}

void cConfigBatchDialog::prepareApply(const QString &fileName, const cModuleConfig &file)
{
    m_saving = false;
    m_file = file;
    // Only one module can take the file's own address, line and sensors.
    ui.chbBatchOverwriteOwn->setEnabled(m_rows.size() == 1);
    ui.lbBatchStatus->setText(tr("Apply %1 (%2 %3) to %n module(s): only what differs is written, each "
                                 "write is read back.", nullptr, m_rows.size())
                                  .arg(fileName, file.typeText(), file.variantText()));
}

void cConfigBatchDialog::start()
{
    ui.pBtBatchStart->setEnabled(false);
    ui.pBtBatchStop->setEnabled(true);
    ui.pBtBatchClose->setEnabled(false);
    ui.chbBatchSharedOnly->setEnabled(false);
    ui.chbBatchOverwriteOwn->setEnabled(false);
    m_failed = 0;
    if (m_saving)
        return m_run.saveAll(m_targets, m_folder);
    cConfigApplyPlan::options_t options;
    options.sharedOnly = ui.chbBatchSharedOnly->isChecked();
    options.keepOwn = !ui.chbBatchOverwriteOwn->isChecked();
    m_run.applyAll(m_targets, m_file, options);
}

// Nothing closes the dialog while modules are being worked on: stop first.
void cConfigBatchDialog::reject()
{
    if (!m_run.isRunning())
        QDialog::reject();
}

void cConfigBatchDialog::setCell(int row, int column, const QString &text, bool failed)
{
    auto *item = new QTableWidgetItem(text);
    if (failed)
        item->setBackground(failedRow);
    ui.tblBatchResults->setItem(row, column, item);
}

void cConfigBatchDialog::moduleStarted(int index, int total)
{
    setCell(index, 2, tr("working..."));
    ui.lbBatchStatus->setText(tr("Module %1 of %2, address %3").arg(index + 1).arg(total).arg(m_targets[index].address));
}

void cConfigBatchDialog::moduleDone(int index, const configModuleResult_t &result)
{
    setCell(index, 0, QString::number(result.apply.params.isEmpty() ? result.target.address : result.apply.address));
    setCell(index, 2, result.text, !result.ok);
    m_failed += result.ok ? 0 : 1;
    ui.pbBatch->setValue(index + 1);
}

void cConfigBatchDialog::finished(bool stopped)
{
    ui.pBtBatchStop->setEnabled(false);
    ui.pBtBatchClose->setEnabled(true);
    const int done = m_rows.size() - m_failed;
    ui.lbBatchStatus->setText((stopped ? tr("Stopped. ") : QString())
                              + tr("%1 of %2 modules done without a fault.").arg(done).arg(m_rows.size()));
}
