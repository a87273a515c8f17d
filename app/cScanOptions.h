#ifndef CSCANOPTIONS_H
#define CSCANOPTIONS_H

#include <QString>
#include <QStringList>

#include "lineTables.h"
#include "modbusTypes.h"
#include "srchSettings_t.h"

class QCommandLineParser;

// What the command-line search is asked to do.
class cScanOptions
{
public:
    // False with error() on a mistake; --help and --version print and end the program.
    bool parse(const QStringList &arguments);
    // The first option of the search given without --scan, as typed; empty if none.
    static QString withoutScan(const QStringList &arguments);

    QString error() const { return m_error; }
    // Stored values replaced by their defaults, for the user.
    QStringList notes() const { return m_notes; }
    QString portName() const { return m_port; }
    int firstAddress() const { return m_from; }
    int lastAddress() const { return m_to; }
    bool json() const { return m_json; }
    // Where the service report goes; empty for none.
    QString reportPath() const { return m_report; }
    settingsUart_t line() const;
    // After the search: the folder to save every VRD-3310's configuration
    // to, or the file to apply to each; empty when not asked.
    QString configFolder() const { return m_configFolder; }
    QString configFile() const { return m_configFile; }
    bool sharedOnly() const { return m_sharedOnly; }
    bool keepOwn() const { return m_keepOwn; }
    scanRequest_t request() const;

private:
    void describe(QCommandLineParser &parser) const;
    bool takeStoredSettings();
    bool readPort(const QCommandLineParser &parser);
    bool readRange(const QCommandLineParser &parser);
    bool readBauds(const QCommandLineParser &parser);
    bool readFormats(const QCommandLineParser &parser);
    bool readTimeout(const QCommandLineParser &parser);
    bool readEcho(const QCommandLineParser &parser);
    bool readOutput(const QCommandLineParser &parser);
    bool readConfig(const QCommandLineParser &parser);
    bool linesChosen();
    bool readAddress(const QCommandLineParser &parser, const QString &name, int *address);
    bool fail(const QString &text);

    QString m_port;
    int m_from = 1;
    int m_to = 247;
    bool m_bauds[lineTables::baudCount] = {};
    bool m_formats[lineTables::formatCount] = {};
    quint16 m_timeout = srchSettings_t::defaultTimeOut;
    echoMode_t m_echo = echoMode_t::Automatic;
    bool m_json = false;
    QString m_report;
    QString m_configFolder;
    QString m_configFile;
    bool m_sharedOnly = false;
    bool m_keepOwn = true;
    QString m_error;
    QStringList m_notes;
};

#endif
