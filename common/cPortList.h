#ifndef CPORTLIST_H
#define CPORTLIST_H

#include <QStringList>
#include <functional>

// The names of the serial ports the system offers. The system's enumeration
// opens every port it probes, so tests put a list of their own in its place.
class cPortList
{
public:
    using lister_t = std::function<QStringList()>;

    static QStringList names();
    // An empty lister brings the system's enumeration back.
    static void replace(lister_t lister);
};

#endif
