#include "cGuiReportKit.h"

#include <QGuiApplication>

#include "cReportCollector.h"
#include "cReportWriter.h"

cGuiReportKit::cGuiReportKit() = default;

cGuiReportKit::~cGuiReportKit() = default;

// No display needed: the PDF only wants the fonts.
std::unique_ptr<QCoreApplication> cGuiReportKit::application(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

void cGuiReportKit::collect(cUart *worker, const cServiceReport &report, const QList<scan_return_t> &found,
                            const settingsUart_t &line)
{
    m_collector = std::make_unique<cReportCollector>(worker);
    connect(m_collector.get(), &cReportCollector::collected, this, &cReportKit::collected);
    m_collector->collect(report, found, line);
}

bool cGuiReportKit::isBusy() const
{
    return m_collector && m_collector->isBusy();
}

void cGuiReportKit::stop()
{
    m_collector->stop();
}

bool cGuiReportKit::write(const QString &path, const cServiceReport &report, QString *error)
{
    return cReportWriter::write(path, report, error);
}
