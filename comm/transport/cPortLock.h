#ifndef CPORTLOCK_H
#define CPORTLOCK_H

#include <QString>
#include <memory>

#include "modbusTypes.h"

class QLockFile;

// One master per device, whatever path names it. Qt's own lock file is per
// name and the kernel's exclusive open does not stop root: this lock is keyed
// by the device's canonical path, in a folder every copy of the program shares.
class cPortLock
{
public:
    cPortLock();
    ~cPortLock();

    // Before opening: None, or why the port must not be opened.
    portFailure_t take(const QString &portName);
    void release();
    // What to open: the device itself, so that no name is too long for Qt's
    // lock file either; the name as given where it names no file (COM3).
    QString devicePath() const { return m_device; }

    static QString systemLocation(const QString &portName);

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_device;
};

#endif
