#pragma once

#include "page/ReadFailures.h"
#include "platform/automation/Automation.h"

#include <QList>

#include <functional>
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

    // With tests, the browser may pass over the elements that fail them.
    void prefetch(QList<qint32> positions, const QList<qint32> &codes, const QList<automation::TextTest> &tests = {});
    // The elements that an earlier read's uniqueIDs name, wherever they
    // stand now; read() takes the index into uniqueIds for a position.
    void prefetchIdentified(const QStringList &uniqueIds, const QList<qint32> &codes);
    // Whether the latest fetch of the position passed it over, waiting for
    // it if need be. Such an element fails the tests; read() still reads it
    // live.
    bool passedOver(qint32 position);
    // Whether every fetch has its answer, so that read() will not wait,
    // after waiting up to `patience` for them.
    bool fetched(std::chrono::milliseconds patience) const;
    ItemText read(qint32 position, qint32 code);
    // Whether a fetch's whole call went unanswered, waiting for it if need
    // be: what it asked about is unknown, not failed.
    bool anyUnanswered();

private:
    // The members of the codes, of the elements of one prefetch.
    struct Fetch
    {
        QList<qint32> positions; // ascending; row r holds positions[r]
        QList<qint32> codes;
        automation::PendingReadPtr pending; // until its answer is taken
        QList<automation::MemberText> texts;
        std::optional<automation::AutomationError> callError; // the whole bulk call failed
        // Its positions index an earlier read's elements, not the collection.
        bool identified = false;
    };
    // Where a position's members are: which fetch, and its row there.
    struct Slot
    {
        qsizetype fetch = 0;
        qsizetype row = 0;
    };

    // The latest fetch of the position that holds the code (any code when
    // negative), and the index of the code there; none when no fetch does.
    std::optional<std::pair<Slot, qsizetype>> latestSlot(qint32 position, qint32 code) const;
    // Starts the fetch's read of its codes' members, or keeps why it failed.
    void send(Fetch fetch, const std::function<automation::PendingReadPtr(const QStringList &)> &start);
    // The members of the codes that read one, once each.
    static QList<qint32> memberCodes(const QList<qint32> &codes);
    ItemText readLive(qint32 position, qint32 code);
    static void settle(Fetch &fetch);

    automation::ElementCollectionPtr m_items;
    ReadFailures &m_failures;
    QList<Fetch> m_fetches;
};
