#ifndef CCALIBRPANEL_H
#define CCALIBRPANEL_H

#include <QCoreApplication>
#include <QPixmap>
#include <QStringList>
#include <array>

class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;

// What tells one tab's two-point calibration from another's: its widgets and
// the module's registers and codes for it.
struct calibrPanelDesc_t
{
    QGroupBox *group = nullptr;
    std::array<QPushButton *, 3> buttons{}; // low point, high point, execute
    QLabel *statusText = nullptr;
    QLabel *statusLed = nullptr;
    quint8 calibrMode = 0;                  // the channel mode that means "calibrating"
    std::array<quint16, 3> commands{};      // command masks, bit n = channel n
    std::array<QDoubleSpinBox *, 3> values{}; // value sent with a step, or none
    quint16 valueBase = 0;                  // its float register for channel 0
    std::array<quint8, 3> tags{};           // write tags of the three steps
    QStringList statusTexts;
    quint16 statusBase = 0;                 // its input register for channel 0
};

// The calibration panel of one tab: enabled while the selected channel is in
// calibration mode, one step button enabled at a time, and the module's
// verdict shown once an execute has gone through. The session belongs to the
// tab, not to a channel. It never writes; the dialog sends the steps.
class cCalibrPanel
{
    Q_DECLARE_TR_FUNCTIONS(cCalibrPanel)

public:
    enum step_t { LowPoint = 0, HighPoint = 1, Execute = 2 };
    enum state_t : quint8 { NoPoint = 0, LowTaken = 1, Executed = 2 };

    cCalibrPanel(calibrPanelDesc_t desc, const QPixmap &ok, const QPixmap &err, const QPixmap &wait);

    // The selected channel's mode and status, after a poll of the tab.
    void refresh(quint8 mode, quint16 status);
    // A write of this panel was answered; a failed step does not advance.
    void answer(quint8 tag, bool ok);

    quint8 tag(step_t step) const { return m_desc.tags[step]; }
    quint16 command(step_t step) const { return m_desc.commands[step]; }
    QDoubleSpinBox *valueBox(step_t step) const { return m_desc.values[step]; }
    quint16 valueRegister(int channel) const { return quint16(m_desc.valueBase + 2 * channel); }
    quint16 statusRegister(int channel) const { return quint16(m_desc.statusBase + channel); }
    // The module's verdict on a channel's last calibration, in words.
    QString verdict(quint16 status) const { return verdictOf(status, m_desc.statusTexts); }
    static QString verdictOf(quint16 status, const QStringList &statusTexts);
    quint8 state() const { return m_state; }
    bool armed() const { return m_armed; }

    // Index into the status texts: 8..12 are the module's verdicts, anything
    // else is still in progress.
    static int statusIndex(quint16 status);

private:
    void enableOnly(int step);
    void showStatus(quint16 status);
    void showProgress();

    calibrPanelDesc_t m_desc;
    QPixmap m_pixOk;
    QPixmap m_pixErr;
    QPixmap m_pixWait;
    quint8 m_state = NoPoint;
    bool m_armed = false;
};

#endif
