#include "cPortList.h"

#include <QSerialPortInfo>

namespace {

cPortList::lister_t &replacement()
{
    static cPortList::lister_t lister;
    return lister;
}

} // namespace

QStringList cPortList::names()
{
    if (replacement())
        return replacement()();
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.portName();
    return names;
}

void cPortList::replace(lister_t lister)
{
    replacement() = std::move(lister);
}
