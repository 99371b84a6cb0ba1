#include "platform/stores/PlainFile.h"

#include <QFile>

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

} // namespace

int openPlainFile(const QString &path, int flags, Links links, mode_t mode)
{
    bool missing = false;
    return openRegular(path, flags, links, mode, missing);
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

} // namespace stores
