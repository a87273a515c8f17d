#ifndef CSERVICEREPORT_H
#define CSERVICEREPORT_H

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QStringList>

#include "cLinkStats.h"
#include "cModuleConfig.h"
#include "modbusTypes.h"

// What a service report says, already as the texts it shows: gathered by
// whoever knows the modules (the module dialog, the main window, the
// command-line search), laid out by cReportHtml.
class cServiceReport
{
    Q_DECLARE_TR_FUNCTIONS(cServiceReport)

public:
    using rows_t = QList<QPair<QString, QString>>;

    struct table_t
    {
        QString title;
        QStringList headers;
        QList<QStringList> rows;
    };

    struct module_t
    {
        QString title;
        rows_t identity;
        rows_t configuration;
        // Why there is no configuration or no live values, when there is none.
        QString missing;
        QList<table_t> channels;
    };

    QDateTime madeAt;
    QString port;
    QString line;
    QList<scan_return_t> found;
    QList<module_t> modules;
    cLinkStats link;

    // A module as the search found it: identity and line, nothing read since.
    static module_t scanned(const scan_return_t &module);
    // The search's result, made now; no module section yet.
    static cServiceReport ofSearch(const QList<scan_return_t> &found);
    // A configuration record's parameters, and its firmware (the identity
    // the search does not read).
    static rows_t configurationRows(const cModuleConfig &config);
    static rows_t firmwareRows(const cModuleConfig &config);
    // The baud rates and frame formats a search tried.
    static QString searchedLines(const bool *bauds, const bool *formats);
};

#endif
