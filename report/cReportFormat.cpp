#include "cReportFormat.h"

#include <QFileInfo>

cReportFormat::format_t cReportFormat::of(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return Pdf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return Html;
    return Unknown;
}
