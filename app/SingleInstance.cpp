#include "app/SingleInstance.h"

#include "platform/stores/StoreFolder.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

QString lockPath()
{
    const QString folder = stores::storeFolder();
    QDir().mkpath(folder);
    return QDir(folder).filePath(u"vorlane.lock"_s);
}

} // namespace

SingleInstance::SingleInstance()
    : m_lock(lockPath())
{
    // The lock is held for the whole run, so its age says nothing; only a
    // holder that is no longer running makes it stale.
    m_lock.setStaleLockTime(0);
    // A lock that cannot be taken for another reason (a folder we may not
    // write) names no running copy, so it does not keep the program from
    // starting.
    m_first = m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError;
}
