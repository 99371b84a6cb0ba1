#include "platform/stores/PlainFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stores {

std::optional<QByteArray> readPlainFile(const QString &path, qsizetype maxBytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info{};
    std::optional<QByteArray> contents;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxBytes) {
        QByteArray buffer(maxBytes + 1, Qt::Uninitialized);
        qsizetype total = 0;
        while (total < buffer.size()) {
            const ssize_t got = ::read(fd, buffer.data() + total, size_t(buffer.size() - total));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            total += got;
        }
        if (total <= maxBytes)
            contents = buffer.left(total);
    }
    ::close(fd);
    return contents;
}

} // namespace stores
