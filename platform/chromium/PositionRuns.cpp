#include "platform/chromium/PositionRuns.h"

#include "platform/automation/AutomationError.h"
#include "platform/chromium/CdpError.h"

#include <limits>

namespace chromium {

using namespace Qt::StringLiterals;

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

QList<qint32> positionsOfRuns(const QJsonArray &runs)
{
    constexpr qint64 kLargest = std::numeric_limits<qint32>::max();
    if (runs.size() % 2 != 0)
        throw automation::AutomationError::automationFailure(errorSource(), u"garbled positions"_s);
    QList<qint32> positions;
    for (qsizetype at = 0; at < runs.size(); at += 2) {
        const qint64 first = runs.at(at).toInteger(-1);
        const qint64 count = runs.at(at + 1).toInteger(-1);
        // A page's collections hold fewer elements than a qint32 counts.
        if (first < 0 || count <= 0 || count > kLargest - first + 1)
            throw automation::AutomationError::automationFailure(errorSource(), u"garbled positions"_s);
        for (qint64 position = first; position < first + count; ++position)
            positions.append(qint32(position));
    }
    return positions;
}

} // namespace chromium
