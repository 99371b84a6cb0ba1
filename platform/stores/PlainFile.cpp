#include "platform/stores/PlainFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stores {

namespace {

// As openPlainFile; missing tells whether nothing was there to open.
int openRegular(const QString &path, int flags, Links links, mode_t mode, bool &missing)
{
    flags |= O_NONBLOCK | O_CLOEXEC | (links == Links::Refused ? O_NOFOLLOW : 0);
    const int fd = ::open(QFile::encodeName(path).constData(), flags, mode);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0)
        return -1;
    struct stat info{};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        return fd;
    ::close(fd);
    return -1;
}

bool othersMayWrite(const struct stat &info)
{
    return (info.st_mode & S_IWOTH) || ((info.st_mode & S_IWGRP) && info.st_gid != ::getegid());
}

bool isUsersOrRoots(const struct stat &info)
{
    return info.st_uid == ::geteuid() || info.st_uid == 0;
}

// Whether no other user can change where the absolute path leads, at any
// step from the root on.
bool isSafeWay(const QByteArray &path)
{
    const auto isSafeStep = [](const QByteArray &step) {
        struct stat info{};
        if (::lstat(step.constData(), &info) != 0 || !isUsersOrRoots(info))
            return false;
        return S_ISLNK(info.st_mode)
               || (S_ISDIR(info.st_mode) && (!othersMayWrite(info) || (info.st_mode & S_ISVTX)));
    };
    for (qsizetype end = 0; end >= 0; end = path.indexOf('/', end + 1)) {
        if (!isSafeStep(end == 0 ? QByteArray("/") : path.left(end)))
            return false;
    }
    return isSafeStep(path);
}

// A new file, never one that is there already nor through a link.
int createExclusive(const QByteArray &name, mode_t mode)
{
    return ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

// Whether every byte reached the disk; the file is closed either way.
bool writeAndClose(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            ::close(fd);
            return false;
        }
        done += wrote;
    }
    const bool synced = ::fsync(fd) == 0;
    // Some file systems tell of a failed write only when the file is closed.
    return ::close(fd) == 0 && synced;
}

} // namespace

bool isOwnFolder(const QString &path, Privacy privacy)
{
    if (path.isEmpty())
        return false;
    const QFileInfo folder(path);
    const QByteArray way = QFile::encodeName(QDir::cleanPath(folder.absoluteFilePath()));
    const QByteArray resolved = QFile::encodeName(folder.canonicalFilePath());
    struct stat info{};
    if (resolved.isEmpty() || ::stat(resolved.constData(), &info) != 0 || !S_ISDIR(info.st_mode)
        || info.st_uid != ::geteuid() || othersMayWrite(info))
        return false;
    if (privacy == Privacy::Private && (info.st_mode & 077) != 0)
        return false;
    // A link on the way leads to a folder whose own way counts as well.
    return isSafeWay(way) && isSafeWay(resolved);
}

int openPlainFile(const QString &path, int flags, Links links, mode_t mode)
{
    bool missing = false;
    return openRegular(path, flags, links, mode, missing);
}

void clearForPlainFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info{};
    if (::lstat(name.constData(), &info) != 0 || S_ISREG(info.st_mode))
        return;
    if (S_ISDIR(info.st_mode))
        ::rmdir(name.constData());
    else
        ::unlink(name.constData());
}

PlainFileRead readPlainFile(const QString &path, qsizetype maxBytes, Links links)
{
    PlainFileRead found;
    bool missing = false;
    const int fd = openRegular(path, O_RDONLY, links, 0, missing);
    if (fd < 0) {
        found.outcome = missing ? PlainFileRead::Missing : PlainFileRead::Refused;
        return found;
    }
    QByteArray bytes;
    char chunk[16384];
    bool failed = false;
    while (bytes.size() <= maxBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        failed = got < 0;
        if (got <= 0)
            break;
        bytes.append(chunk, got);
    }
    ::close(fd);
    if (!failed && bytes.size() <= maxBytes) {
        found.outcome = PlainFileRead::Read;
        found.bytes = std::move(bytes);
    }
    return found;
}

bool createPlainFile(const QString &path, const QByteArray &bytes, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = createExclusive(name, mode);
    if (fd < 0)
        return false;
    if (writeAndClose(fd, bytes))
        return true;
    ::unlink(name.constData());
    return false;
}

bool replacePlainFile(const QString &path, const QByteArray &bytes, Links links, mode_t mode)
{
    QString target = path;
    if (const QFileInfo link(path); links == Links::Followed && link.isSymLink())
        target = link.canonicalFilePath().isEmpty() ? link.symLinkTarget() : link.canonicalFilePath();
    const QByteArray name = QFile::encodeName(target);
    struct stat old{};
    const bool replacing = ::lstat(name.constData(), &old) == 0 && S_ISREG(old.st_mode);

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = name + ".new-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = createExclusive(temporary, mode);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    const bool kept = !replacing || ::fchmod(fd, old.st_mode & 07777) == 0;
    if (writeAndClose(fd, bytes) && kept && ::rename(temporary.constData(), name.constData()) == 0)
        return true;
    ::unlink(temporary.constData());
    return false;
}

} // namespace stores
