#include "cReportCollector.h"

#include "cChannelReadings.h"
#include "cUart.h"
#include "lineTables.h"

cReportCollector::cReportCollector(cUart *worker, QObject *parent)
    : QObject(parent)
    , m_session(worker)
{
    connect(&m_session, &cConfigSession::readDone, this, &cReportCollector::configRead);
    connect(&m_session, &cConfigSession::moreRead, this, &cReportCollector::channelsRead);
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
    m_stopAsked = false;
    readNext();
}

void cReportCollector::readNext()
{
    if (m_index >= m_modules.size())
        return emit collected(m_report);
    const scan_return_t &module = m_modules[m_index];
    if (module.moduleType != cModuleConfig::moduleType || m_stopAsked) {
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
    m_section = cServiceReport::scanned(m_modules[m_index]);
    if (result != MB_OK) {
        m_section.missing = tr("The module did not answer when its configuration was read.");
        return finishModule();
    }
    m_section.identity << cServiceReport::firmwareRows(config);
    m_section.configuration = cServiceReport::configurationRows(config);
    m_section.missing.clear();
    m_session.readMore(cChannelReadings::readBlocks());
}

// What arrived before a module fell silent is kept.
void cReportCollector::channelsRead(busJob_t job)
{
    cChannelReadings readings;
    readings.take(job.values, job.done);
    m_section.channels = readings.tables();
    if (!readings.complete())
        m_section.missing = tr("The module stopped answering while its channels were read: "
                               "the channels not shown were not read.");
    finishModule();
}

void cReportCollector::finishModule()
{
    m_report.modules << m_section;
    m_report.link.add(m_stretch);
    ++m_index;
    readNext();
}
