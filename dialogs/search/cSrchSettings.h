#ifndef CSRCHSETTINGS_H
#define CSRCHSETTINGS_H

#include <QCheckBox>
#include <QDialog>

#include "srchSettings_t.h"
#include "ui_srchSettings.h"

// Edits a copy of the search settings; the caller takes it when accepted.
class cSrchSettings : public QDialog, public Ui::srchSettings
{
    Q_OBJECT

public:
    explicit cSrchSettings(const srchSettings_t &record, QWidget *parent = nullptr);

    srchSettings_t getSrchSettings() const { return m_record; }
    // The main window's address range, for the time estimate.
    void setAddressCount(int addresses);

    // The ports offered: the platform's enumeration, plus the stored port when
    // it exists as a device the enumeration does not list.
    static QStringList offeredPorts(const QString &storedPort);

public slots:
    void okKeyPress();

private:
    void offerPorts();
    QString chosenPort() const;
    QCheckBox *baudBox(int index) const;
    QCheckBox *formatBox(int index) const;
    void refuse(const QString &text);
    void showLatency();
    void showEstimate();

    srchSettings_t m_record;
    int m_addresses = 247;
};

#endif
