#include "cReportWriter.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "cReportFormat.h"
#include "cReportHtml.h"

namespace {

constexpr qreal marginMm = 15;
constexpr int resolutionDpi = 300;

} // namespace

QString cReportWriter::fileFilter()
{
    return tr("PDF (*.pdf);;HTML (*.html)");
}

QString cReportWriter::fileName(const QString &path, const QString &filter)
{
    if (cReportFormat::of(path) != cReportFormat::Unknown)
        return path;
    return path + (filter.contains(QLatin1String("*.html")) ? QLatin1String(".html") : QLatin1String(".pdf"));
}

bool cReportWriter::write(const QString &path, const cServiceReport &report, QString *error)
{
    const cReportFormat::format_t format = cReportFormat::of(path);
    QSaveFile file(path);
    const QString html = cReportHtml::build(report);
    if (format == cReportFormat::Unknown) {
        if (error)
            *error = tr("A report is a .pdf or an .html file.");
        return false;
    }
    if (file.open(QIODevice::WriteOnly)) {
        if (format == cReportFormat::Pdf)
            writePdf(file, html);
        else
            file.write(html.toUtf8());
    }
    if (file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

void cReportWriter::writePdf(QIODevice &device, const QString &html)
{
    QPdfWriter pdf(&device);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
    pdf.setResolution(resolutionDpi);
    pdf.setTitle(tr("Service Report"));
    pdf.setCreator(QCoreApplication::applicationName());
    QTextDocument document;
    document.setHtml(html);
    document.print(&pdf);
}
