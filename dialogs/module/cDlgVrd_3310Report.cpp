// The link statistics line and the service report of the module dialog: the
// report first reads every tab's registers through the poll cycle, one view
// per poll, so that every table holds the module's values of that moment.
#include "cDlgVrd_3310.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QToolButton>

#include "cLinkStatsLabel.h"
#include "cModBusFunctions.h"
#include "cReportWriter.h"
#include "cUart.h"
#include "closeMessage.h"
#include "lineTables.h"
#include "mainClass.h"

namespace {

const int allViews[] = {0, 1, 10, 20, 30, 40, 50, 60};
constexpr int firstIdentityRow = 2; // of the system table; the time-outs are configuration
constexpr int mcuTemperatureRow = 5;

QString valueOf(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

void cDlgVrd_3310::setupReport(QHBoxLayout *row)
{
    // The label's text changes with every batch: in a holder without a
    // layout it does not have the whole dialog laid out again each time. The
    // dialog's width is fixed: a long line is cut, never widening it.
    auto *holder = new QWidget(this);
    holder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    holder->installEventFilter(this);
    m_linkStatsLabel = new cLinkStatsLabel(holder);
    m_linkStatsLabel->setObjectName(QStringLiteral("lbLinkStats_3110"));
    holder->setMinimumHeight(m_linkStatsLabel->sizeHint().height());
    m_reportButton = new QToolButton(this);
    m_reportButton->setObjectName(QStringLiteral("pBtServiceReport_3110"));
    m_reportButton->setText(tr("Service Report..."));
    m_reportButton->setAutoRaise(true);
    row->addWidget(holder, 1);
    row->addWidget(m_reportButton);
    connect(m_reportButton, &QToolButton::clicked, this, &cDlgVrd_3310::serviceReportSlot);
    connect(m_owner->worker(), &cUart::linkStatsSignal, m_linkStatsLabel, &cLinkStatsLabel::setStats);
}

void cDlgVrd_3310::serviceReportSlot()
{
    QString filter;
    const QString path = QFileDialog::getSaveFileName(this, tr("Service Report"), QString(),
                                                      cReportWriter::fileFilter(), &filter);
    if (!path.isEmpty())
        startServiceReport(cReportWriter::fileName(path, filter));
}

void cDlgVrd_3310::startServiceReport(const QString &path)
{
    m_reportPath = path;
    m_reportViews.clear();
    for (int view : allViews)
        m_reportViews << view;
    m_reportButton->setEnabled(false);
}

int cDlgVrd_3310::viewToPoll() const
{
    return m_reportViews.isEmpty() ? currentView() : m_reportViews.first();
}

// Each view is drawn as it arrives; a failed read ends the report unwritten.
void cDlgVrd_3310::takeReportAnswer(int result)
{
    if (m_reportViews.isEmpty() || m_polledView != m_reportViews.first())
        return;
    if (result != MB_OK) {
        m_reportViews.clear();
        m_reportButton->setEnabled(true);
        return notPossible(tr("The module did not answer: the report was not written."));
    }
    rememberMasks(m_polledView);
    redraw(m_polledView);
    m_reportViews.removeFirst();
    if (m_reportViews.isEmpty())
        writeServiceReport();
}

void cDlgVrd_3310::writeServiceReport()
{
    m_reportButton->setEnabled(true);
    const int format = lineTables::formatIndexOf(m_portPrm.parity, m_portPrm.stopBits);
    cServiceReport report;
    report.madeAt = QDateTime::currentDateTime();
    report.port = m_portPrm.portName;
    report.line = QString::number(m_portPrm.baudRate) + QLatin1Char(' ') + lineTables::formatText(format);
    report.found = m_owner->foundModules();
    report.modules << reportModule();
    report.link = m_linkStatsLabel->stats();
    QString error;
    if (!cReportWriter::write(m_reportPath, report, &error))
        notPossible(tr("The report %1 cannot be written: %2").arg(m_reportPath, error));
}

cServiceReport::module_t cDlgVrd_3310::reportModule() const
{
    const QTableWidget *sys = ui.tblSysPrm_3110;
    cServiceReport::module_t module;
    module.title = tr("VRD-%1 at address %2").arg(m_modelCode).arg(m_moduleAddr);
    module.identity << qMakePair(tr("ModBus Slave address"), QString::number(m_moduleAddr));
    for (int row = firstIdentityRow; row < sys->rowCount(); ++row) {
        const QString value = valueOf(sys, row, 1);
        module.identity << qMakePair(valueOf(sys, row, 0),
                                     row == mcuTemperatureRow ? tr("%1 °C").arg(value) : value);
    }
    module.configuration = cServiceReport::configurationRows(configFromImage());
    for (const QTableWidget *table : {ui.tblDiModeSettings_3110, ui.tblDoSafetyPrm_3110, ui.tblPtPrm_3110,
                                      ui.tblAiPrm_3110, ui.tblAoSet_3110, ui.tblDtPrm_3110})
        module.channels << reportTable(table);
    return module;
}

// The record the configuration files use, from the registers every tab's
// poll has just read.
cModuleConfig cDlgVrd_3310::configFromImage() const
{
    cModuleConfig config;
    for (const configBlock_t &block : cModuleConfig::readBlocks())
        config.takeRead(block, m_modbus->registers(block.startReg, block.count));
    return config;
}

// A channel table as shown, its tab's title above it; a calibrated kind gets
// each channel's last verdict.
cServiceReport::table_t cDlgVrd_3310::reportTable(const QTableWidget *table) const
{
    cServiceReport::table_t out;
    out.title = tabTitleOf(table);
    for (int c = 0; c < table->columnCount(); ++c)
        out.headers << table->horizontalHeaderItem(c)->text();
    const cCalibrPanel *panel = calibrPanelOf(table);
    if (panel)
        out.headers << tr("Calibration");
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << valueOf(table, row, c);
        if (panel)
            cells << panel->verdict(m_modbus->getRegister(panel->statusRegister(row)));
        out.rows << cells;
    }
    return out;
}

QString cDlgVrd_3310::tabTitleOf(const QWidget *widget) const
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const int tab = ui.tabMain_3110->indexOf(const_cast<QWidget *>(w));
        if (tab >= 0)
            return ui.tabMain_3110->tabText(tab).remove(QLatin1Char('&'));
    }
    return QString();
}

const cCalibrPanel *cDlgVrd_3310::calibrPanelOf(const QTableWidget *table) const
{
    if (table == ui.tblPtPrm_3110)
        return m_ptCalibr.get();
    if (table == ui.tblAiPrm_3110)
        return m_aiCalibr.get();
    if (table == ui.tblAoSet_3110)
        return m_aoCalibr.get();
    return nullptr;
}
