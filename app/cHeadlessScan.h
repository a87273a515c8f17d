#ifndef CHEADLESSSCAN_H
#define CHEADLESSSCAN_H

#include <QCoreApplication>
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

class cReportKit;
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
    // A report's PDF needs Qt Gui: the search then runs in the program's module.
    static int run(int argc, char *argv[]);
    static int runWithReport(int &argc, char **argv, cReportKit &kit);

    // kit: for --report, or none.
    cHeadlessScan(const cScanOptions &options, cReportKit *kit);
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
    static bool reportAsked(int argc, char *argv[]);
    static int runIn(QCoreApplication &app, cReportKit *kit);
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
    cReportKit *m_kit = nullptr;
    int m_configStatus = Found;
};

#endif
