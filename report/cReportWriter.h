#ifndef CREPORTWRITER_H
#define CREPORTWRITER_H

#include <QCoreApplication>
#include <QString>

class QIODevice;

#include "cServiceReport.h"

// Writes a service report, whole or not at all: PDF for a ".pdf" name, HTML
// for ".html" or ".htm". PDF needs a QGuiApplication (fonts).
class cReportWriter
{
    Q_DECLARE_TR_FUNCTIONS(cReportWriter)

public:
    // The name to write: a name without a known extension gets the one the
    // file dialog's filter chose.
    static QString fileName(const QString &path, const QString &filter);
    static QString fileFilter();
    // False, with the reason in error when given, if nothing was written.
    static bool write(const QString &path, const cServiceReport &report, QString *error = nullptr);

private:
    static void writePdf(QIODevice &device, const QString &html);
};

#endif
