#include "page/ItemRowsRead.h"

#include <numeric>

ItemRowsRead::ItemRowsRead(automation::ElementCollectionPtr items, ui::UiServices &ui, QList<qint32> itemNos,
                           QList<qint32> properties)
    : mFailures(ui)
    , mReader(std::move(items), mFailures)
    , mItemNos(std::move(itemNos))
    , mProperties(std::move(properties))
{
    mReader.prefetch(mItemNos, mProperties);
}

namespace {

QList<qint32> firstIndexes(qsizetype count)
{
    QList<qint32> indexes(count);
    std::iota(indexes.begin(), indexes.end(), 0);
    return indexes;
}

} // namespace

ItemRowsRead::ItemRowsRead(automation::ElementCollectionPtr items, ui::UiServices &ui, const QStringList &uniqueIds,
                           QList<qint32> properties)
    : mFailures(ui)
    , mReader(std::move(items), mFailures)
    , mItemNos(firstIndexes(uniqueIds.size()))
    , mProperties(std::move(properties))
{
    mReader.prefetchIdentified(uniqueIds, mProperties);
}

QList<QList<ItemText>> ItemRowsRead::take()
{
    QList<QList<ItemText>> rows;
    rows.reserve(mItemNos.size());
    for (const qint32 itemNo : mItemNos) {
        QList<ItemText> row;
        row.reserve(mProperties.size());
        for (const qint32 code : mProperties)
            row.append(mReader.read(itemNo, code));
        rows.append(row);
    }
    return rows;
}
