#ifndef SRCHSETTINGS_T_H
#define SRCHSETTINGS_T_H

#include <QString>

// How the module search probes the bus; the flags follow the shared baud-rate
// and frame-format order.
struct srchSettings_t
{
    bool baudFlags[8] = {true, false, false, false, true, false, false, false};
    bool formatFlags[4] = {true, false, false, false};
    quint16 timeOut = 300;
    QString portName = QStringLiteral("COM1");
};

#endif
