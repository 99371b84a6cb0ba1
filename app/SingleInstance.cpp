#include "app/SingleInstance.h"

#include "platform/stores/PlainFile.h"
#include "platform/stores/StoreFolder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

SingleInstance::SingleInstance()
{
    // Where another user can change the folder, a lock could be that user's,
    // held for good: there the program runs without one.
    if (stores::othersCanChangeStoreFolder()) {
        m_first = true;
        return;
    }
    const QString path = QDir(stores::storeFolder()).filePath(u"vorlane.lock"_s);
    // Whatever else lies at the lock's place is nobody's lock.
    stores::clearForPlainFile(path);
    m_fd = stores::openPlainFile(path, O_RDWR | O_CREAT, stores::Links::Refused);
    if (m_fd < 0) {
        // A lock that cannot be made (a folder we may not write) names no
        // running copy, so it does not keep the program from starting.
        m_first = true;
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_first = errno != EWOULDBLOCK;
        return;
    }
    m_first = true;
    // For people and tools that look: the process that holds the lock. The
    // lock does not depend on it, so a failed write changes nothing.
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(m_fd, 0) == 0) {
        const ssize_t written = ::pwrite(m_fd, pid.constData(), size_t(pid.size()), 0);
        Q_UNUSED(written);
    }
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
