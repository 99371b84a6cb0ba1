#include "platform/automation/Automation.h"

#include <limits>

namespace automation {

namespace {

QList<qint32> positionsFrom(qint32 first, qint32 count)
{
    QList<qint32> positions;
    positions.reserve(std::max(count, 0));
    // Counted in 64 bits: a range may end past the largest position. No
    // collection reaches there, so those positions read as outside it.
    for (qint64 position = first; position < qint64(first) + count; ++position)
        positions.append(position <= std::numeric_limits<qint32>::max() ? qint32(position) : -1);
    return positions;
}

} // namespace

QList<MemberText> ElementCollection::readMany(const QStringList &members, qint32 first, qint32 count)
{
    return readMany(members, positionsFrom(first, count));
}

PendingReadPtr ElementCollection::startReadMany(const QStringList &members, qint32 first, qint32 count)
{
    return startReadMany(members, positionsFrom(first, count));
}

} // namespace automation
