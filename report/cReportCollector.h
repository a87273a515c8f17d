#ifndef CREPORTCOLLECTOR_H
#define CREPORTCOLLECTOR_H

#include <QObject>

#include "cConfigSession.h"
#include "cServiceReport.h"

class cUart;

// Reads the configuration and the channels' live values of each module of a
// report, one after the other, each on its own line, through a configuration
// session: no dialog and no shared register image, nothing written. The link
// statistics of these reads go into the report.
class cReportCollector : public QObject
{
    Q_OBJECT

public:
    explicit cReportCollector(cUart *worker, QObject *parent = nullptr);

    // port: the port's name and reply time-out; each module's own line is used.
    void collect(const cServiceReport &report, const QList<scan_return_t> &modules, const settingsUart_t &port);
    bool isBusy() const { return m_index < m_modules.size(); }
    // Ends after the exchange under way; the modules not read keep what the
    // search found.
    void stop() { m_stopAsked = true; }

signals:
    void collected(cServiceReport report);

private:
    void readNext();
    void configRead(cModuleConfig config, int result);
    void channelsRead(busJob_t job);
    void finishModule();

    cConfigSession m_session;
    settingsUart_t m_port;
    cServiceReport m_report;
    QList<scan_return_t> m_modules;
    int m_index = 0;
    bool m_stopAsked = false;
    cServiceReport::module_t m_section;
    // Zeroed with each module's port re-open, so each module's stretch adds.
    cLinkStats m_stretch;
};

#endif
