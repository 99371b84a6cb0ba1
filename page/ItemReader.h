#pragma once

#include "page/ReadFailures.h"
#include "platform/automation/Automation.h"

#include <QHash>

#include <optional>

// Reads property codes of the elements of one collection with exactly the
// outcomes of single live reads, for the length of one operation.
// prefetch() fetches members for many elements at once, one bulk call per
// member and run of nearby positions; read() then answers each fetched value
// once, and reads live whatever was not fetched or failed in a way that only
// a live read can describe.
class ItemReader
{
public:
    ItemReader(automation::ElementCollectionPtr items, ReadFailures &failures);

    void prefetch(QList<qint32> positions, const QList<qint32> &codes);
    ItemText read(qint32 position, qint32 code);

private:
    struct Fetched
    {
        QString text;
        qint32 errorNumber = 0;
        std::optional<automation::AutomationError> callError; // the whole bulk call failed
    };

    ItemText readLive(qint32 position, qint32 code);
    void fetchRun(const QList<qint32> &positions, const QString &member, qint32 code);

    automation::ElementCollectionPtr m_items;
    ReadFailures &m_failures;
    QHash<std::pair<qint32, qint32>, Fetched> m_fetched; // by position and code
};
