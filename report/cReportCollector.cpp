#include "cReportCollector.h"

#include "cUart.h"
#include "lineTables.h"

cReportCollector::cReportCollector(cUart *worker, QObject *parent)
    : QObject(parent)
    , m_session(worker)
{
    connect(&m_session, &cConfigSession::readDone, this, &cReportCollector::configRead);
    connect(worker, &cUart::linkStatsSignal, this, [this](cLinkStats stats) { m_stretch = stats; });
}

void cReportCollector::collect(const cServiceReport &report, const QList<scan_return_t> &modules,
                               const settingsUart_t &port)
{
    m_port = port;
    m_report = report;
    m_report.modules.clear();
    m_report.link = cLinkStats();
    m_modules = modules;
    m_index = 0;
    readNext();
}

void cReportCollector::readNext()
{
    if (m_index >= m_modules.size())
        return emit collected(m_report);
    const scan_return_t &module = m_modules[m_index];
    if (module.moduleType != cModuleConfig::moduleType) {
        m_report.modules << cServiceReport::scanned(module);
        ++m_index;
        return readNext();
    }
    configTarget_t target;
    target.address = quint8(module.address);
    target.line = m_port;
    target.line.baudRate = lineTables::baudRates[module.baudIndex % lineTables::baudCount];
    target.line.parity = lineTables::formats[module.formatIndex % lineTables::formatCount].parity;
    target.line.stopBits = lineTables::formats[module.formatIndex % lineTables::formatCount].stopBits;
    m_stretch = cLinkStats();
    m_session.read(target);
}

void cReportCollector::configRead(cModuleConfig config, int result)
{
    cServiceReport::module_t section = cServiceReport::scanned(m_modules[m_index]);
    if (result == MB_OK) {
        section.identity << cServiceReport::firmwareRows(config);
        section.configuration = cServiceReport::configurationRows(config);
        section.missing = tr("The live values of the channels are in the report made from the module's "
                             "settings dialog.");
    } else {
        section.missing = tr("The module did not answer when its configuration was read.");
    }
    m_report.modules << section;
    m_report.link.add(m_stretch);
    ++m_index;
    readNext();
}
