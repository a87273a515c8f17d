#include "cPortLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

cPortLock::cPortLock() = default;

cPortLock::~cPortLock() = default;

// As QSerialPort maps a port name to its device file.
QString cPortLock::systemLocation(const QString &portName)
{
    if (portName.isEmpty() || portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./"))
        || portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

portFailure_t cPortLock::take(const QString &portName)
{
    release();
    m_device = QFileInfo(systemLocation(portName)).canonicalFilePath();
    if (m_device.isEmpty()) {
        // Nothing on disk to key by: the open itself says what is wrong.
        m_device = portName;
        return portFailure_t::None;
    }
    // Hashed: the lock file's name stays short whatever the path.
    const QByteArray key = QCryptographicHash::hash(m_device.toUtf8(), QCryptographicHash::Sha1).toHex();
    auto lock = std::make_unique<QLockFile>(
        QDir(QDir::tempPath()).filePath(QStringLiteral("ztModBusUtility-%1.lock").arg(QLatin1String(key))));
    // Only a holder that is gone makes a lock stale, however long it is held.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return portFailure_t::None;
    }
    return lock->error() == QLockFile::LockFailedError ? portFailure_t::Busy : portFailure_t::Other;
}

void cPortLock::release()
{
    m_lock.reset();
}
