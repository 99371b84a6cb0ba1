#pragma once

#include "page/ItemReader.h"
#include "page/ReadFailures.h"

#include <QList>

namespace ui {
class UiServices;
}

// Rows of element properties on their way from the browser: the reads are
// sent when it is made, and the caller goes on until ready(). take() gives
// the rows with the outcomes, beeps and message boxes of single reads.
class ItemRowsRead
{
public:
    ItemRowsRead(automation::ElementCollectionPtr items, ui::UiServices &ui, QList<qint32> itemNos,
                 QList<qint32> properties);
    // The rows of the elements that an earlier read's uniqueIDs (property
    // kUniqueId) name, wherever the page moved them since.
    ItemRowsRead(automation::ElementCollectionPtr items, ui::UiServices &ui, const QStringList &uniqueIds,
                 QList<qint32> properties);
    ItemRowsRead(const ItemRowsRead &) = delete;
    ItemRowsRead &operator=(const ItemRowsRead &) = delete;

    // Whether take() would not wait, after waiting up to `patience`.
    bool ready(std::chrono::milliseconds patience) const { return mReader.fetched(patience); }
    // Row k holds the properties of item (or identity) k, in the order asked for; waits
    // for what has not arrived.
    QList<QList<ItemText>> take();
    // Whether the browser left the read unanswered, waiting for it if need
    // be; then take() would fail every cell, and tell the user of each.
    bool unanswered() { return mReader.anyUnanswered(); }

private:
    ReadFailures mFailures;
    ItemReader mReader;
    const QList<qint32> mItemNos;
    const QList<qint32> mProperties;
};
