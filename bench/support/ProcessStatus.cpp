#include "bench/support/ProcessStatus.h"

#include <QFile>

namespace bench {

qint64 statusBytes(const QString &process, const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/") + process + QStringLiteral("/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = field + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

} // namespace bench
