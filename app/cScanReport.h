#ifndef CSCANREPORT_H
#define CSCANREPORT_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>

#include "modbusTypes.h"

// The found modules as the window saves them and the command-line search
// prints them: one layout, described in README.md. CSV starts with a
// "sep=," line, so that a spreadsheet whose list separator is not the comma
// (a Russian one uses ";") still splits the columns; every text is ASCII.
class cScanReport
{
public:
    // The baud rate and format of a module found through a device server.
    static constexpr const char *serverLine = "set by the device server";

    static QStringList columns();
    static QString description(const scan_return_t &module);
    static QByteArray csv(const QList<scan_return_t> &modules, const QString &port, const QDateTime &searched);
    // Numbers are JSON numbers.
    static QByteArray json(const QList<scan_return_t> &modules, const QString &port, const QDateTime &searched);
    // The name a CSV is saved under: given ".csv" when it lacks it.
    static QString csvFileName(const QString &path);
};

#endif
