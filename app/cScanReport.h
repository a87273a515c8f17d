#ifndef CSCANREPORT_H
#define CSCANREPORT_H

#include <QByteArray>
#include <QList>
#include <QStringList>

#include "modbusTypes.h"

// The found modules as the command-line search prints them: the cells of the
// window's table, as CSV or as JSON.
class cScanReport
{
public:
    static QStringList columns();
    static QStringList cells(const scan_return_t &module);
    static QString description(const scan_return_t &module);
    static QByteArray csv(const QList<scan_return_t> &modules);
    static QByteArray json(const QList<scan_return_t> &modules);
};

#endif
