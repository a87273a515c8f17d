#ifndef CGUIREPORTKIT_H
#define CGUIREPORTKIT_H

#include <memory>

#include "cReportKit.h"

class cReportCollector;

// The report of the command-line search as the module makes it: the
// collector's reads and the writer's PDF or HTML.
class cGuiReportKit : public cReportKit
{
    Q_OBJECT

public:
    cGuiReportKit();
    ~cGuiReportKit() override;

    std::unique_ptr<QCoreApplication> application(int &argc, char **argv) override;
    void collect(cUart *worker, const cServiceReport &report, const QList<scan_return_t> &found,
                 const settingsUart_t &line) override;
    bool isBusy() const override;
    void stop() override;
    bool write(const QString &path, const cServiceReport &report, QString *error) override;

private:
    std::unique_ptr<cReportCollector> m_collector;
};

#endif
