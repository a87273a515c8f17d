#ifndef MAINCLASS_H
#define MAINCLASS_H

#include <QDateTime>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <functional>

#include "cBusMonitorHost.h"
#include "cModBusFunctions.h"
#include "modbusTypes.h"
#include "srchSettings_t.h"
#include "ui_mainClass.h"

class cReportCollector;
class cServiceReport;
class cUart;
class cSrchSettings;
class QProgressDialog;
class QMenu;
class QTableWidgetItem;

class mainClass : public QMainWindow
{
    Q_OBJECT

public:
    explicit mainClass(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~mainClass() override;

    Ui::mainClassClass ui;

    int checkModuleAddress(quint16 address, quint16 row) const;
    cModBusFunctions *modbus() const { return m_modbus; }
    cUart *worker() const { return m_worker; }
    bool isSearchRunning() const { return m_searchRunning; }
    const srchSettings_t &searchSettings() const { return m_srchSettings; }
    const QList<scan_return_t> &foundModules() const { return m_foundModules; }
    QString aboutText() const;
    // The found modules as CSV (cScanReport's layout), with the port and the
    // time of the search; a name without ".csv" is given it.
    bool saveFoundModules(const QString &path) const;
    QString selectedRowsText() const;
    // Reads the selected rows' modules, then writes the search's result with
    // them as a service report; says why when it cannot start.
    bool startServiceReport(const QString &path);
    bool isReporting() const;
    // The one traffic monitor; a modal dialog takes it along while it is up.
    cBusMonitorHost &busMonitor() { return m_busMonitor; }

    // Relays for the module dialog: requests travel to the worker as copies.
    void sendRdMultStateModule(QList<query_info_t> batch);
    void sendWrStateModule(query_info_t query);
    void sendWrMultStateModule(QList<query_info_t> batch);
    // A module of the table took a new address or line: talk to it there.
    void followModule(int row, quint8 address, const settingsUart_t &line);
    // Opens the port again on the given line; says why when it cannot.
    bool reopenPort(const settingsUart_t &line);

signals:
    void savesettingsSignal(settingsUart_t settings);
    void openUartPortSignal();
    void closeUartPortSignal();
    void reInitPortSignal(settingsUart_t settings);
    void setStartScanModuleSignal(scanRequest_t request);
    void setPauseScanModuleSignal();
    void setContinueScanModuleSignal();
    void setStopScanModuleSignal();
    void setScanEndAddressSignal(int address);
    void setRdMultStateModule_Signal(QList<query_info_t> batch);
    void setWrStateModule_Signal(query_info_t query);
    void setWrMultStateModule_Signal(QList<query_info_t> batch);

public slots:
    void exitFromApplication();
    void srchSettingsDialog();
    void execCallHelpSlot();
    void aboutSlot();
    void startModuleSearchSlot();
    void pauseModuleSearchSlot();
    void stopModuleSearchSlot();
    void manualOpenPortSlot();
    void manualClosePortSlot();
    void stateConectPort();
    void setScanProgressValue(int value);
    void searchPortLostSlot(int address, QString baud, QString format);
    void searchStoppedSlot(int address, QString baud, QString format);
    void setCurrentInform(QString port, QString address, QString baud, QString format);
    void addModuleToTableSlot(scan_return_t module);
    void PrintErr(QString text);
    void callSettingsDialog(QTableWidgetItem *item);
    void openBusMonitor();
    void saveFoundModulesAs();
    void copySelectedRows();
    void serviceReportAs();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void endAddressChangedSlot(int value);
    void takeSrchSettingsSlot();

private:
    void buildMenus();
    void setupScanTable();
    void connectWorker();
    void setSearchPortSettings();
    void closeUartPort();
    bool openPortAndWait();
    bool waitForOpen(const std::function<void()> &ask);
    void showPortFailure();
    bool portChosen();
    bool linesChosen();
    void tellSettingsNotes(const QStringList &notes);
    QString lineText(const QString &baud, const QString &format) const;
    void setIdleControls();
    void showTimeLeft(int lastDone);
    void endSearchEarly(QMessageBox::Icon icon, const QString &title, const QString &text);
    void setSearchingControls();
    void notPossible(const QString &text);
    bool waitFor(const std::function<bool()> &done, int timeoutMs);
    void endSearchQuietly();
    void execModuleDialog(quint8 variant, quint16 model);
    QList<int> selectedRows() const;
    void writeServiceReport(const cServiceReport &report);
    void restorePortAfterReport();

    cUart *m_worker = nullptr;
    srchSettings_t m_srchSettings;
    settingsUart_t m_portSettings;
    bool m_searchRunning = false;
    qint64 m_addressMs = 0;
    bool m_openAnswered = true;
    bool m_searchStop = false;
    cModBusFunctions *m_modbus = nullptr;
    QThread m_thread;
    QTimer m_portTimer;
    QList<scan_return_t> m_foundModules;
    int m_selectedRow = 0;
    quint8 m_selectedAddress = 0;
    QPointer<cSrchSettings> m_srchDialog;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_settingsMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QDateTime m_searchedAt;
    cReportCollector *m_collector = nullptr;
    QProgressDialog *m_reportProgress = nullptr;
    QString m_reportPath;
    // The report reads each module on its line; the port is put back after.
    bool m_portOpenBeforeReport = false;
    cBusMonitorHost m_busMonitor{this};
};

#endif
