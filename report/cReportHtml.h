#ifndef CREPORTHTML_H
#define CREPORTHTML_H

#include <QCoreApplication>
#include <QString>

#include "cServiceReport.h"

// A service report as one HTML page of Qt's rich-text subset, so that the
// same text becomes the PDF.
class cReportHtml
{
    Q_DECLARE_TR_FUNCTIONS(cReportHtml)

public:
    static QString build(const cServiceReport &report);

private:
    static QString header(const cServiceReport &report);
    static QString foundModules(const QList<scan_return_t> &found);
    static QString module(const cServiceReport::module_t &module);
    static QString link(const cLinkStats &stats);
    static QString pairs(const cServiceReport::rows_t &rows);
    static QString table(const QStringList &headers, const QList<QStringList> &rows);
};

#endif
