#include "platform/chromium/PositionRuns.h"

namespace chromium {

QJsonArray positionRuns(const QList<qint32> &positions)
{
    QJsonArray runs;
    qint64 first = 0;
    qint64 count = 0;
    for (const qint32 position : positions) {
        if (count > 0 && position == first + count) {
            ++count;
            continue;
        }
        if (count > 0)
            runs << first << count;
        first = position;
        count = 1;
    }
    if (count > 0)
        runs << first << count;
    return runs;
}

} // namespace chromium
