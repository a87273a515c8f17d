#ifndef CDLGVRD_3310_H
#define CDLGVRD_3310_H

#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <QPixmap>
#include <QQueue>
#include <QTimer>
#include <functional>
#include <memory>

#include "cCalibrPanel.h"
#include "cChannelSelection.h"
#include "cServiceReport.h"
#include "generalPrm_t.h"
#include "mTableWidgetItem.h"
#include "modbusTypes.h"
#include "tableInfo_t.h"
#include "channelPrm_t.h"
#include "configResult_t.h"
#include "ui_vrd3310_Settings.h"

class mainClass;
class cModBusFunctions;
class QAbstractSpinBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class cLinkStatsLabel;
class QToolButton;
class QRegularExpressionValidator;

// The live settings dialog of one VRD-3310. It polls the registers of the tab
// on view every 100 ms through the main window and redraws the tab from the
// register image; every change goes out through one write cycle and is
// answered on the LED beside its button.
class cDlgVrd_3310 : public QDialog
{
    Q_OBJECT

public:
    cDlgVrd_3310(quint8 moduleVariant, mainClass *owner, QWidget *parent = nullptr);
    ~cDlgVrd_3310() override;

    void setModuleInfo(quint8 address, quint16 modelCode);
    void setPortPrm(settingsUart_t prm, int row);

    QList<query_info_t> pollBatch() const;
    bool isPollDone() const { return m_pollDone; }
    bool isPolling() const { return m_pollTimer.isActive(); }
    int writesInFlight() const { return m_writesInFlight.size(); }
    int writesWaiting() const { return m_pendingWrites.size(); }
    bool showsStaleValues() const { return m_stale; }
    // Reads every tab once, then writes the report (PDF or HTML by the name).
    void startServiceReport(const QString &path);
    bool reportPending() const { return !m_reportViews.isEmpty(); }
    const cCalibrPanel &aiCalibr() const { return *m_aiCalibr; }
    const cCalibrPanel &aoCalibr() const { return *m_aoCalibr; }
    const cCalibrPanel &ptCalibr() const { return *m_ptCalibr; }
    // The module on view for the configuration actions, which talk on the
    // dialog's line; a module they moved is followed as after its own write.
    configTarget_t configTarget() const;
    quint8 moduleVariant() const { return m_moduleVariant; }
    int tableRow() const { return m_tableRow; }
    void followModule(quint8 address, const settingsUart_t &line);

    bool eventFilter(QObject *object, QEvent *event) override;

    Ui::vrd3310_Settings ui;

public slots:
    void sendQueryToPort();
    void updateGuiData_Slot(int result);
    void writeDataOk_Slot(int result);
    void serviceReportSlot();

    void initInterAcceptSlot();
    void initSetSafToutSlot();
    void initSetWdtToutSlot();
    void initActiveResSafetySlot(int index);
    void initSetFactorySlot();
    void setComPrmForEdit();
    void setSysPrmForEdit();

    void setDiModePrmForEdit(QTableWidgetItem *item);
    void initSetDiModeSlot();
    void initResetDiCounterSlot();
    void setDioPrmForEdit(QTableWidgetItem *item);
    void initSetDoModeSlot();
    void initSetDoNormalSlot();
    void initSetSafModeDoSlot();
    void initSetSafLevelDoSlot();

    void setPtPrmForEdit(QTableWidgetItem *item);
    void initSetPtModeSlot();
    void initSetPtSensSlot();
    void initSetNegCalibrPtSlot();
    void initSetPosCalibrPtSlot();
    void initExecCalibrPtSlot();

    void setAiPrmForEdit(QTableWidgetItem *item);
    void initSetAiModeSlot();
    void initGetDownCalibrAiSlot();
    void initGetUpCalibrAiSlot();
    void initExecCalibrAiSlot();

    void setAoPrmForEdit(QTableWidgetItem *item);
    void initSetAoModeSlot();
    void initSetAoCurrLvlSlot();
    void setAoCurrValFromSliderToSBoxSlot(int position);
    void initSetAoSldCurrValSlot();
    void initSetAoSafModeSlot();
    void initSetAoSafLevelSlot();
    void initSetRealAoDownPointSlot();
    void initSetRealAoUpPointSlot();
    void initExecCalibrAoSlot();

    void setOwPrmForEdit(QTableWidgetItem *item);
    void initSetPollModeDtSlot();
    void initSetIdDtSlot();

private:
    struct pendingWrite_t
    {
        quint8 tag;
        QList<query_info_t> batch;
        std::function<void()> storeValues;
        // Runs with the answer; a write that moves the module takes the
        // line it moves it to along, and holds later writes until answered.
        std::function<void(bool ok)> answered = {};
        bool movesModule = false;
    };

    // Which part of the dialog a poll was for: the main tab and, on the
    // general tab, the sub-tab.
    int currentView() const;
    void setupPtVariant();
    void setupWidgets();
    void describeTables();
    void connectSignals();
    void connectChannelTabs();
    void setupCalibrPanels();
    query_info_t request(quint16 function, quint16 startReg, quint16 count, quint16 value = 0) const;
    void finishPoll();
    void setupReport(QHBoxLayout *row);
    int viewToPoll() const;
    void takeReportAnswer(int result);
    void writeServiceReport();
    cServiceReport::module_t reportModule() const;
    cModuleConfig configFromImage() const;
    cServiceReport::table_t reportTable(const QTableWidget *table) const;
    QString tabTitleOf(const QWidget *widget) const;
    const cCalibrPanel *calibrPanelOf(const QTableWidget *table) const;
    void notePollResult(int result);
    QString linkStateText() const;
    void showLinkState(bool stale);
    void reconnectSlot();
    void updateTitle();
    void followNewLine(const newComPrm_t &line);
    void redraw(int view);
    void rememberMasks(int view);
    void runWriteCycle(quint8 tag, const QList<query_info_t> &batch,
                       const std::function<void()> &storeValues);
    void runWriteCycle(pendingWrite_t write);
    void handOverPending();
    void handOver(pendingWrite_t write);
    QLabel *ledFor(quint8 tag) const;
    void answerCalibrPanels(quint8 tag, bool ok);
    void flashLed(QLabel *led, bool ok);
    bool waitEndOfPoll(int timeoutMs);

    void updateGenData(int subTab);
    void updateComParameters();
    void updateSysParameters();
    quint16 newConfigWord(const newComPrm_t &prm) const;
    void notPossible(const QString &text);
    void notReportedYet();
    bool valueShown(QAbstractSpinBox *box);
    bool confirmWatchdog(int milliseconds);
    void sayFactoryReset();
    QString factoryResetText() const;

    // The shared pieces of the channel tabs' apply slots.
    int selectedChannel(const QTableWidget *table);
    int editedChannel(const QTableWidget *table);
    void editorsFollowSelection(QTableWidget *table);
    template <typename T>
    bool selectedRecord(const QTableWidget *table, T &record);
    bool maskReported(quint16 reg);
    void storeMaskBit(quint16 reg, int bit, bool set);
    void writeRegister(quint8 tag, quint16 reg, quint16 value);
    void writeChoice(quint8 tag, const QTableWidget *table, const QComboBox *box, quint16 base);
    void writeMaskBit(quint8 tag, const QTableWidget *table, quint16 reg, const QComboBox *box);
    void writeFloat(quint8 tag, quint16 reg, double value);
    void writeCalibrStep(cCalibrPanel &panel, const QTableWidget *table, cCalibrPanel::step_t step);

    void setCell(QTableWidget *table, int row, int column, const QString &text);
    // The low byte of a mode register, or 0 when no text names it.
    static quint8 indexWithin(quint16 reg, int count);
    template <typename T>
    static bool storeRecord(QTableWidget *table, int row, const T &record);

    void updateDiData();
    void updateDoData();
    void updatePtData();
    void updateAiData();
    void updateAoData();
    void updateOwData();
    void trackAoLevelOwner();
    bool aoLevelFor(int channel, float &level);

    mainClass *m_owner;
    cModBusFunctions *m_modbus;
    QTimer m_pollTimer;
    bool m_pollDone = true;
    int m_polledView = 0;
    QQueue<pendingWrite_t> m_pendingWrites;
    QQueue<pendingWrite_t> m_writesInFlight;
    bool m_moving = false;
    // The row whose values each table's editors hold.
    QHash<const QTableWidget *, int> m_editorsRow;
    QHash<QTableWidget *, void (cDlgVrd_3310::*)(QTableWidgetItem *)> m_editorLoaders;
    QHash<QLabel *, quint32> m_ledShows;
    bool m_factoryReset = false;
    // Command and setting masks as the module last reported them in a poll of
    // their tab, with the writes handed over since.
    QHash<quint16, quint16> m_masks;
    quint8 m_moduleAddr = 0;
    quint16 m_modelCode = 0;
    quint8 m_moduleVariant;
    settingsUart_t m_portPrm;
    int m_tableRow = 0;
    bool m_diagPollOn = false;
    QList<tableInfo_t> m_tableInfo;
    QPixmap m_pixOk;
    QPixmap m_pixErr;
    QPixmap m_pixWait;
    QStringList m_byteOrderList;
    QStringList m_parityList;
    QStringList m_ptCalibrStatusList;
    QStringList m_aiCalibrStatusList;
    QStringList m_aoCalibrStatusList;
    std::unique_ptr<cCalibrPanel> m_ptCalibr;
    std::unique_ptr<cCalibrPanel> m_aiCalibr;
    std::unique_ptr<cCalibrPanel> m_aoCalibr;
    QRegularExpressionValidator *m_sensorIdValidator = nullptr;
    int m_aoLevelOwner = -1; // the channel whose level the spin box holds
    QLabel *m_linkState = nullptr;
    QPushButton *m_reconnect = nullptr;
    bool m_portLost = false;
    int m_failedPolls = 0;
    QDateTime m_silentSince;
    bool m_stale = false;
    cLinkStatsLabel *m_linkStatsLabel = nullptr;
    QToolButton *m_reportButton = nullptr;
    QList<int> m_reportViews;
    QString m_reportPath;

    comPrm_t m_comPrm;
    sysPrm_t m_sysPrm;
    quint8 m_comLoadCount = 0;
    quint8 m_sysLoadCount = 0;
};

// Keeps a row's record in its column-0 item; true when that row is selected.
template <typename T>
bool cDlgVrd_3310::storeRecord(QTableWidget *table, int row, const T &record)
{
    auto *item = dynamic_cast<mTableWidgetItem *>(table->item(row, 0));
    if (!item)
        return false;
    item->setRecord(record);
    return item->isSelected();
}

// The record of the selected row, once a refresh has put one there; the
// editors are about to show it.
template <typename T>
bool cDlgVrd_3310::selectedRecord(const QTableWidget *table, T &record)
{
    const int n = cChannelSelection::currentRow(table);
    const auto *item = n < 0 ? nullptr : dynamic_cast<const mTableWidgetItem *>(table->item(n, 0));
    if (!item || !item->hasRecord<T>())
        return false;
    record = item->record<T>();
    m_editorsRow.insert(table, n);
    return true;
}

#endif
