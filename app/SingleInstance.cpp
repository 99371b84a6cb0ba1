#include "app/SingleInstance.h"

#include "platform/stores/StoreFolder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray lockPath()
{
    const QString folder = stores::storeFolder();
    QDir().mkpath(folder);
    return QFile::encodeName(QDir(folder).filePath(u"vorlane.lock"_s));
}

// A link or an empty folder at the lock's place is nobody's lock: it goes,
// so that the lock can be made there. A link is removed, never followed.
void clearLockPlace(const QByteArray &path)
{
    struct stat info{};
    if (::lstat(path.constData(), &info) != 0)
        return;
    if (S_ISLNK(info.st_mode))
        ::unlink(path.constData());
    else if (S_ISDIR(info.st_mode))
        ::rmdir(path.constData());
}

} // namespace

SingleInstance::SingleInstance()
{
    const QByteArray path = lockPath();
    clearLockPlace(path);
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
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
