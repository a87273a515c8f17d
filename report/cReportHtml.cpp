#include "cReportHtml.h"

#include "cScanReport.h"
#include "lineTables.h"

namespace {

const char *const style =
    "body { font-family: sans-serif; font-size: 10pt; }"
    "table { border-collapse: collapse; margin-bottom: 8px; }"
    "th, td { border: 1px solid #888; padding: 2px 6px; }"
    "th { background: #e8e8e8; text-align: left; }"
    "p.missing { color: #a00000; }";

QString cell(const char *tag, const QString &text)
{
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
}

QString row(const char *tag, const QStringList &cells)
{
    QString html = QStringLiteral("<tr>");
    for (const QString &text : cells)
        html += cell(tag, text);
    return html + QStringLiteral("</tr>");
}

} // namespace

QString cReportHtml::build(const cServiceReport &report)
{
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
                                  "<style>%2</style></head><body>")
                       .arg(tr("Service Report").toHtmlEscaped(), QLatin1String(style));
    html += header(report) + foundModules(report.found);
    for (const cServiceReport::module_t &m : report.modules)
        html += module(m);
    return html + link(report.link) + QStringLiteral("</body></html>\n");
}

QString cReportHtml::header(const cServiceReport &report)
{
    return cell("h1", tr("Service Report"))
        + pairs({{tr("Date and time"), report.madeAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))},
                 {tr("Port"), report.port},
                 {tr("Line"), report.line}});
}

QString cReportHtml::foundModules(const QList<scan_return_t> &found)
{
    QString html = cell("h2", tr("Found Modules"));
    if (found.isEmpty())
        return html + cell("p", tr("No module has been found."));
    QList<QStringList> rows;
    for (int i = 0; i < found.size(); ++i) {
        const scan_return_t &m = found[i];
        rows << QStringList{QString::number(i + 1), QString::number(m.address),
                            QStringLiteral("VRD-%1").arg(m.moduleType),
                            QStringLiteral("%1").arg(m.moduleVariant, 2, 10, QLatin1Char('0')),
                            lineTables::baudText(m.baudIndex), lineTables::formatText(m.formatIndex),
                            cScanReport::description(m)};
    }
    return html + table({tr("No."), tr("Address"), tr("Device"), tr("Variant"), tr("Baud rate"),
                         tr("Frame format"), tr("Channels")},
                        rows);
}

QString cReportHtml::module(const cServiceReport::module_t &module)
{
    QString html = cell("h2", module.title) + cell("h3", tr("Identity")) + pairs(module.identity);
    if (!module.configuration.isEmpty())
        html += cell("h3", tr("Configuration")) + pairs(module.configuration);
    if (!module.missing.isEmpty())
        html += QStringLiteral("<p class=\"missing\">%1</p>").arg(module.missing.toHtmlEscaped());
    for (const cServiceReport::table_t &channels : module.channels)
        html += cell("h3", channels.title) + table(channels.headers, channels.rows);
    return html;
}

QString cReportHtml::link(const cLinkStats &stats)
{
    const QString title = cell("h2", tr("Link Statistics"));
    if (stats.requests() == 0)
        return title + cell("p", tr("No module request since the port was opened; the search's probes are "
                                    "not counted."));
    return title
        + pairs({{tr("Requests"), QString::number(stats.requests())},
                 {tr("Time-outs"), QString::number(stats.timeouts())},
                 {tr("CRC errors"), QString::number(stats.crcErrors())},
                 {tr("Exception replies"), QString::number(stats.exceptions())},
                 {tr("Other failures"), QString::number(stats.otherFailures())},
                 {tr("Reply time, min / median / max"), stats.responseText()}});
}

QString cReportHtml::pairs(const cServiceReport::rows_t &rows)
{
    QString html = QStringLiteral("<table>");
    for (const auto &pair : rows)
        html += row("td", {pair.first, pair.second});
    return html + QStringLiteral("</table>");
}

QString cReportHtml::table(const QStringList &headers, const QList<QStringList> &rows)
{
    QString html = QStringLiteral("<table>") + row("th", headers);
    for (const QStringList &cells : rows)
        html += row("td", cells);
    return html + QStringLiteral("</table>");
}
