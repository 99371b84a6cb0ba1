#pragma once

#include "page/ReadFailures.h"
#include "platform/automation/Automation.h"

#include <QList>
#include <QMultiHash>

#include <optional>

// Reads property codes of the elements of one collection with exactly the
// outcomes of single live reads, for the length of one operation.
// prefetch() starts fetching members for many elements at once, one bulk
// call for all the members of all the positions however scattered, without
// waiting; read() then answers from the latest fetch that holds the
// position and code, waiting for it if need be, and reads live whatever was
// not fetched or failed in a way that only a live read can describe.
class ItemReader
{
public:
    ItemReader(automation::ElementCollectionPtr items, ReadFailures &failures);

    void prefetch(QList<qint32> positions, const QList<qint32> &codes);
    // Whether every fetch has its answer, so that read() will not wait,
    // after waiting up to `patience` for them.
    bool fetched(std::chrono::milliseconds patience) const;
    ItemText read(qint32 position, qint32 code);

private:
    // The members of the codes, of the elements of one prefetch.
    struct Fetch
    {
        QList<qint32> codes;
        automation::PendingReadPtr pending; // until its answer is taken
        QList<automation::MemberText> texts;
        std::optional<automation::AutomationError> callError; // the whole bulk call failed
    };
    // Where a position's members are: which fetch, and its row there.
    struct Slot
    {
        qsizetype fetch = 0;
        qsizetype row = 0;
    };

    ItemText readLive(qint32 position, qint32 code);
    static void settle(Fetch &fetch);

    automation::ElementCollectionPtr m_items;
    ReadFailures &m_failures;
    QList<Fetch> m_fetches;
    QMultiHash<qint32, Slot> m_slots;
};
