#ifndef CDLGVRD_3310_H
#define CDLGVRD_3310_H

#include <QDialog>
#include <QPixmap>
#include <QQueue>
#include <QTimer>
#include <functional>

#include "generalPrm_t.h"
#include "modbusTypes.h"
#include "tableInfo_t.h"
#include "ui_vrd3310_Settings.h"

class mainClass;
class cModBusFunctions;
class QLabel;

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
    void setPortPrm(settingsUart_t prm, quint8 row);

    QList<query_info_t> pollBatch() const;
    bool isPollDone() const { return m_pollDone; }
    bool isPolling() const { return m_pollTimer.isActive(); }
    int writesInFlight() const { return m_writesInFlight.size(); }

    bool eventFilter(QObject *object, QEvent *event) override;

    Ui::vrd3310_Settings ui;

public slots:
    void sendQueryToPort();
    void updateGuiData_Slot(int result);
    void writeDataOk_Slot(int result);

    void initInterAcceptSlot();
    void initSetSafToutSlot();
    void initSetWdtToutSlot();
    void initActiveResSafetySlot(int index);
    void initSetFactorySlot();
    void setComPrmForEdit();
    void setSysPrmForEdit();

private:
    // Which part of the dialog a poll was for: the main tab and, on the
    // general tab, the sub-tab.
    int currentView() const;
    void setupPtVariant();
    void setupWidgets();
    void describeTables();
    void connectSignals();
    query_info_t request(quint16 function, quint16 startReg, quint16 count, quint16 value = 0) const;
    void finishPoll();
    void runWriteCycle(quint8 tag, const QList<query_info_t> &batch,
                       const std::function<void()> &storeValues);
    QLabel *ledFor(quint8 tag) const;
    void flashLed(QLabel *led, bool ok);
    bool waitEndOfPoll(int timeoutMs);

    void updateGenData(int subTab);
    void updateComParameters();
    void updateSysParameters();
    quint16 newConfigWord() const;
    void notPossible(const QString &text);

    mainClass *m_owner;
    cModBusFunctions *m_modbus;
    QTimer m_pollTimer;
    bool m_pollDone = true;
    int m_lastPollView = 0;
    std::function<void()> m_pendingWrite;
    QQueue<quint8> m_writesInFlight;
    quint8 m_moduleAddr = 0;
    quint16 m_modelCode = 0;
    quint8 m_moduleVariant;
    settingsUart_t m_portPrm;
    quint8 m_tableRow = 0;
    bool m_diagPollOn = false;
    QList<tableInfo_t> m_tableInfo;
    QPixmap m_pixOk;
    QPixmap m_pixErr;
    QPixmap m_pixWait;
    QStringList m_byteOrderList;
    QStringList m_parityList;

    comPrm_t m_comPrm;
    sysPrm_t m_sysPrm;
    newComPrm_t m_newComPrm;
    quint8 m_comLoadCount = 0;
    quint8 m_sysLoadCount = 0;
};

#endif
