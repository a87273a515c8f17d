#include "cServiceReport.h"

#include "cScanReport.h"
#include "lineTables.h"

namespace {

const QLatin1String identityKeys("module.");
const QLatin1String firmwareKeys("module.firmware");

} // namespace

cServiceReport::module_t cServiceReport::scanned(const scan_return_t &module)
{
    module_t section;
    section.title = tr("VRD-%1 at address %2").arg(module.moduleType).arg(module.address);
    section.identity = {
        {tr("Device"), QStringLiteral("VRD-%1").arg(module.moduleType)},
        {tr("Address"), QString::number(module.address)},
        {tr("Variant"), QStringLiteral("%1").arg(module.moduleVariant, 2, 10, QLatin1Char('0'))},
        {tr("Baud rate"), lineTables::baudText(module.baudIndex)},
        {tr("Frame format"), lineTables::formatText(module.formatIndex)},
        {tr("Channels"), cScanReport::description(module)},
    };
    section.missing = tr("The configuration and the live values are not in this report: the search "
                         "reads only the identity. Open the module and make its report there.");
    return section;
}

cServiceReport cServiceReport::ofSearch(const QList<scan_return_t> &found)
{
    cServiceReport report;
    report.madeAt = QDateTime::currentDateTime();
    report.found = found;
    return report;
}

cServiceReport::rows_t cServiceReport::configurationRows(const cModuleConfig &config)
{
    rows_t rows;
    for (const configRow_t &row : config.rows())
        if (!row.key.startsWith(identityKeys))
            rows << qMakePair(row.name, row.text);
    return rows;
}

cServiceReport::rows_t cServiceReport::firmwareRows(const cModuleConfig &config)
{
    rows_t rows;
    for (const configRow_t &row : config.rows())
        if (row.key.startsWith(firmwareKeys))
            rows << qMakePair(row.name, row.text);
    return rows;
}

QString cServiceReport::searchedLines(const bool *bauds, const bool *formats)
{
    QStringList baudTexts;
    for (int b = 0; b < lineTables::baudCount; ++b)
        if (bauds[b])
            baudTexts << lineTables::baudText(b);
    QStringList formatTexts;
    for (int f = 0; f < lineTables::formatCount; ++f)
        if (formats[f])
            formatTexts << lineTables::formatText(f);
    return tr("searched at %1; %2").arg(baudTexts.join(QStringLiteral(", ")), formatTexts.join(QStringLiteral(", ")));
}
