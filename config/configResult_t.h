#ifndef CONFIGRESULT_T_H
#define CONFIGRESULT_T_H

#include <QList>
#include <QMetaType>
#include <QString>

#include "modbusTypes.h"

// Which module a configuration action talks to, and on which line.
struct configTarget_t
{
    quint8 address = 0;
    settingsUart_t line;
    // Whether the port is to be set to the line first (it is not when the
    // module's dialog already talks on it).
    bool retune = true;
};

// What became of one parameter of an apply.
enum class configOutcome_t {
    Verified,         // written and read back as the file has it
    Mismatch,         // written, but the module reports another value
    WrittenUnchecked, // written, the read-back got no answer
    NoAnswer,         // sent, no answer: the module may or may not have taken it
    Refused,          // the module answered that it does not take it
    NotWritten,       // never sent: the apply ended or was stopped before it
};

struct configParamResult_t
{
    QString key;
    QString name;
    QString fileText;
    QString before;
    QString after;
    configOutcome_t outcome = configOutcome_t::NotWritten;
};

struct configApplyResult_t
{
    QList<configParamResult_t> params;
    int busResult = MB_OK; // the first failure of the bus, if any
    bool stopped = false;
    // Where the module answers now.
    quint8 address = 0;
    settingsUart_t line;

    int count(configOutcome_t outcome) const
    {
        int n = 0;
        for (const configParamResult_t &p : params)
            n += p.outcome == outcome ? 1 : 0;
        return n;
    }
    bool allVerified() const { return count(configOutcome_t::Verified) == params.size(); }
};

Q_DECLARE_METATYPE(configApplyResult_t)

#endif
