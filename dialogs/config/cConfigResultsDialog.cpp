#include "cConfigResultsDialog.h"

#include <QHeaderView>
#include <QPushButton>

#include "cConfigSession.h"

namespace {

const QColor markedRow(255, 228, 196);
constexpr int headerMargin = 16;

bool ownParam(const configParam_t &param)
{
    return param.scope == configScope_t::Line || param.scope == configScope_t::SensorId;
}

} // namespace

cConfigResultsDialog::cConfigResultsDialog(QWidget *parent)
    : QDialog(parent)
{
    ui.setupUi(this);
    ui.chbConfigKeepOwn->hide();
    ui.chbConfigOnlyDiffs->hide();
    connect(ui.chbConfigOnlyDiffs, &QCheckBox::toggled, this, &cConfigResultsDialog::showOnlyMarked);
    // A hundred and more parameters: one text line a row.
    ui.tblConfigRows->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(ui.bBoxConfig, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui.bBoxConfig, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void cConfigResultsDialog::setColumns(const QStringList &titles)
{
    ui.tblConfigRows->setRowCount(0);
    m_marked.clear();
    ui.tblConfigRows->setColumnCount(titles.size());
    ui.tblConfigRows->setHorizontalHeaderLabels(titles);
    ui.tblConfigRows->setColumnWidth(0, 220);
    const QFontMetrics metrics = ui.tblConfigRows->horizontalHeader()->fontMetrics();
    for (int c = 1; c < titles.size(); ++c)
        ui.tblConfigRows->setColumnWidth(c, qMax(140, metrics.horizontalAdvance(titles[c]) + 2 * headerMargin));
}

void cConfigResultsDialog::addRow(const QStringList &cells, bool marked)
{
    QTableWidget *t = ui.tblConfigRows;
    const int row = t->rowCount();
    t->insertRow(row);
    m_marked << marked;
    for (int c = 0; c < cells.size(); ++c) {
        auto *item = new QTableWidgetItem(cells[c]);
        if (marked)
            item->setBackground(markedRow);
        t->setItem(row, c, item);
    }
}

void cConfigResultsDialog::showOnlyMarked(bool only)
{
    for (int row = 0; row < m_marked.size(); ++row)
        ui.tblConfigRows->setRowHidden(row, only && !m_marked[row]);
}

void cConfigResultsDialog::showComparison(const cConfigComparison &comparison, const QString &fileName)
{
    setWindowTitle(tr("Compare with File"));
    setColumns({tr("Parameter"), tr("File"), tr("Module"), tr("Differs")});
    for (const configDiff_t &row : comparison.rows())
        addRow({row.name, row.fileText, row.moduleText, row.differs ? tr("yes") : QString()}, row.differs);
    ui.chbConfigOnlyDiffs->show();
    const QString mismatch = comparison.mismatchText();
    ui.lbConfigSummary->setText(tr("%1\n%n parameter(s) differ, marked.", nullptr,
                                   comparison.differences().size()).arg(fileName)
                                + (mismatch.isEmpty() ? QString() : QLatin1Char('\n') + mismatch));
}

void cConfigResultsDialog::showChanges(const cConfigComparison &comparison, bool keepOwn)
{
    setWindowTitle(tr("Apply File"));
    setColumns({tr("Parameter"), tr("Module now"), tr("To write"), tr("Note")});
    for (const configDiff_t &row : comparison.differences()) {
        QString note;
        if (ownParam(row.param))
            note = tr("this module's own");
        else if (!comparison.shares(row.param))
            note = tr("not shared with the file's variant: kept");
        addRow({row.name, row.moduleText, row.fileText, note}, ownParam(row.param));
    }
    ui.lbConfigSummary->setText(tr("These parameters differ and will be written, each read back; the "
                                   "address and line settings last. Apply them?"));
    ui.chbConfigKeepOwn->setChecked(keepOwn);
    ui.chbConfigKeepOwn->show();
    ui.bBoxConfig->setStandardButtons(QDialogButtonBox::Cancel);
    ui.bBoxConfig->addButton(tr("Apply"), QDialogButtonBox::AcceptRole);
}

void cConfigResultsDialog::showResult(const configApplyResult_t &result)
{
    setWindowTitle(tr("Apply File"));
    setColumns({tr("Parameter"), tr("File"), tr("Module before"), tr("Result")});
    for (const configParamResult_t &p : result.params) {
        const bool failed = p.outcome != configOutcome_t::Verified;
        QString outcome = cConfigSession::outcomeText(p.outcome);
        if (p.outcome == configOutcome_t::Mismatch)
            outcome += QStringLiteral(": ") + p.after;
        addRow({p.name, p.fileText, p.before, outcome}, failed);
    }
    const int checked = result.count(configOutcome_t::Verified);
    QString text = tr("%1 of %2 parameters written and checked.").arg(checked).arg(result.params.size());
    if (result.stopped)
        text += QLatin1Char(' ') + tr("The apply was stopped.");
    else if (result.busResult != MB_OK)
        text += QLatin1Char(' ') + tr("The module or the port stopped answering: what is marked was not "
                                      "confirmed.");
    ui.lbConfigSummary->setText(text);
}
