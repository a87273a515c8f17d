#ifndef CREPORTKIT_H
#define CREPORTKIT_H

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

#include "cServiceReport.h"
#include "modbusTypes.h"

class cUart;

// What --report adds to the command-line search: the report's reads and its
// PDF, which needs Qt Gui. The search alone never loads Qt Gui, so these
// come from the program's module (cGuiModule).
class cReportKit : public QObject
{
    Q_OBJECT

public:
    // A PDF needs fonts, and with them a (display-less) QGuiApplication.
    virtual std::unique_ptr<QCoreApplication> application(int &argc, char **argv) = 0;
    // Reads each module found for its configuration; collected() tells the end.
    virtual void collect(cUart *worker, const cServiceReport &report, const QList<scan_return_t> &found,
                         const settingsUart_t &line) = 0;
    virtual bool isBusy() const = 0;
    // Ends after the exchange under way.
    virtual void stop() = 0;
    virtual bool write(const QString &path, const cServiceReport &report, QString *error) = 0;

signals:
    void collected(cServiceReport report);
};

#endif
