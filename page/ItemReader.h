#pragma once

#include "page/ReadFailures.h"
#include "platform/automation/Automation.h"

#include <QList>

#include <optional>

// Reads property codes of the elements of one collection with exactly the
// outcomes of single live reads, for the length of one operation.
// prefetch() starts fetching members for many elements at once, one bulk
// call for all the members of a run of nearby positions, without waiting;
// read() then answers from the latest fetch, waiting for it if need be, and
// reads live whatever was not fetched or failed in a way that only a live
// read can describe.
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
    // The members of the codes, of the elements first .. first+count-1.
    struct Run
    {
        QList<qint32> codes;
        qint32 first = 0;
        qint32 count = 0;
        automation::PendingReadPtr pending; // until its answer is taken
        QList<automation::MemberText> texts;
        std::optional<automation::AutomationError> callError; // the whole bulk call failed
    };

    ItemText readLive(qint32 position, qint32 code);
    void fetchRun(qint32 first, qint32 count, const QList<qint32> &codes);
    static void settle(Run &run);

    automation::ElementCollectionPtr m_items;
    ReadFailures &m_failures;
    QList<Run> m_runs;
};
