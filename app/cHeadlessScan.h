#ifndef CHEADLESSSCAN_H
#define CHEADLESSSCAN_H

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QThread>

#include "cConfigBatchRun.h"
#include "cModBusFunctions.h"
#include "cServiceReport.h"
#include "cScanOptions.h"
#include "cScanProgress.h"
#include "cStopSignals.h"
#include "modbusTypes.h"

class cReportCollector;
class cUart;

// The module search from the command line: no window, no display; found
// modules on standard output, progress and messages on standard error.
class cHeadlessScan : public QObject
{
    Q_OBJECT

public:
    enum exitStatus_t : int {
        Found = 0,
        NothingFound = 1,
        BadArguments = 2,
        PortMissing = 3,
        PortBusy = 4,
        PortPermission = 5,
        PortOther = 6,
        PortLost = 7,
        ConfigFailed = 8,
        ConfigUnusable = 9,
        ReportFailed = 10,
        SignalBase = 128, // plus the signal's number
    };

    // Whether the command line asks for the search (or its help, or gives one
    // of its options) rather than the window.
    static bool requested(int argc, char *argv[]);
    static int run(int argc, char *argv[]);

    explicit cHeadlessScan(const cScanOptions &options);
    ~cHeadlessScan() override;

    int exec();

signals:
    void lineSettingsSignal(settingsUart_t settings);
    void openPortSignal();
    void startScanSignal(scanRequest_t request);
    void stopScanSignal();

private:
    void connectWorker();
    bool openPort();
    void tellExpectations();
    int portFailureStatus();
    void moduleFound(scan_return_t module);
    void addressDone(int address);
    void scanAborted();
    void portLost(int address, QString baud, QString format);
    void stopRequested(int signalNumber);
    void stopReport(int signalNumber);
    void finish(int status);
    void printFound();
    int writeReport(int status);
    cServiceReport collectReport();
    // A PDF report needs fonts, and with them a (display-less) QGuiApplication.
    static bool reportAsked(int argc, char *argv[]);
    bool prepareConfig();
    bool configRequested() const;
    void runConfig();
    void configModuleDone(int index, const configModuleResult_t &result);
    void configFinished();

    cScanOptions m_options;
    cModBusFunctions m_modbus;
    QThread m_thread;
    cUart *m_worker = nullptr;
    cScanProgress m_progress;
    cStopSignals m_stopSignals;
    QList<scan_return_t> m_found;
    QDateTime m_searchedAt;
    int m_signal = 0;
    bool m_finished = false;
    cModuleConfig m_configFile;
    cConfigBatchRun *m_config = nullptr;
    // While the report reads the modules found, so that a stop reaches it.
    cReportCollector *m_collector = nullptr;
    int m_configStatus = Found;
};

#endif
