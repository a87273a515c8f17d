#ifndef SRCHSETTINGS_T_H
#define SRCHSETTINGS_T_H

#include <QString>
#include <algorithm>

#include "modbusTypes.h"

// How the module search probes the bus; the flags follow the shared baud-rate
// and frame-format order.
struct srchSettings_t
{
    // The one rule for a reply time-out, wherever it comes from (the dialog's
    // spin box, the command line, the store).
    static constexpr int shortestTimeOut = 50;
    static constexpr int longestTimeOut = 65535;
    static constexpr int defaultTimeOut = 300;
    static bool timeOutFits(qint64 ms) { return ms >= shortestTimeOut && ms <= longestTimeOut; }
    // Without a baud rate or a format the search would probe nothing.
    static bool anyChosen(const bool *flags, int count)
    {
        return std::find(flags, flags + count, true) != flags + count;
    }

    bool baudFlags[8] = {true, false, false, false, true, false, false, false};
    bool formatFlags[4] = {true, false, false, false};
    quint16 timeOut = defaultTimeOut;
    QString portName = QStringLiteral("COM1");
    echoMode_t echo = echoMode_t::Automatic;
};

#endif
