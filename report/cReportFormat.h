#ifndef CREPORTFORMAT_H
#define CREPORTFORMAT_H

#include <QString>

// A report's format from its file name: PDF for ".pdf", HTML for ".html" or
// ".htm". Apart from the writer, as the command line checks it without Qt Gui.
class cReportFormat
{
public:
    enum format_t { Unknown, Html, Pdf };

    static format_t of(const QString &path);
};

#endif
