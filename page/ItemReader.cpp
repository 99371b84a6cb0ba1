#include "page/ItemReader.h"

#include "page/PropertyCodes.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <numeric>
#include <utility>

using namespace Qt::StringLiterals;
using automation::AutomationError;

ItemReader::ItemReader(automation::ElementCollectionPtr items, ReadFailures &failures)
    : m_items(std::move(items))
    , m_failures(failures)
{
}

QList<qint32> ItemReader::memberCodes(const QList<qint32> &codes)
{
    QList<qint32> read;
    for (const qint32 code : codes) {
        if (!PropertyMember(code).isEmpty() && !read.contains(code))
            read.append(code);
    }
    return read;
}

void ItemReader::prefetch(QList<qint32> positions, const QList<qint32> &codes,
                          const QList<automation::TextTest> &tests)
{
    const QList<qint32> readCodes = memberCodes(codes);
    if (!m_items || positions.isEmpty() || readCodes.isEmpty())
        return;
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    send({positions, readCodes, {}, {}, std::nullopt}, [&](const QStringList &members) {
        return tests.isEmpty() ? m_items->startReadMany(members, positions)
                               : m_items->startReadSelected(members, positions, tests);
    });
}

void ItemReader::prefetchIdentified(const QStringList &uniqueIds, const QList<qint32> &codes)
{
    const QList<qint32> readCodes = memberCodes(codes);
    if (!m_items || uniqueIds.isEmpty() || readCodes.isEmpty())
        return;
    QList<qint32> indexes(uniqueIds.size());
    std::iota(indexes.begin(), indexes.end(), 0);
    send({std::move(indexes), readCodes, {}, {}, std::nullopt, true},
         [&](const QStringList &members) { return m_items->startReadIdentified(members, uniqueIds); });
}

void ItemReader::send(Fetch fetch, const std::function<automation::PendingReadPtr(const QStringList &)> &start)
{
    QStringList members;
    for (const qint32 code : std::as_const(fetch.codes))
        members.append(PropertyMember(code));
    try {
        fetch.pending = start(members);
    } catch (const AutomationError &error) {
        fetch.callError = error;
    }
    m_fetches.append(std::move(fetch));
}

void ItemReader::settle(Fetch &fetch)
{
    if (!fetch.pending)
        return;
    try {
        fetch.texts = std::exchange(fetch.pending, nullptr)->take();
    } catch (const AutomationError &error) {
        // What each single read would most likely have met, without waiting
        // for each of them to meet it.
        fetch.callError = error;
    }
}

bool ItemReader::fetched(std::chrono::milliseconds patience) const
{
    const QDeadlineTimer until(patience);
    return std::all_of(m_fetches.cbegin(), m_fetches.cend(), [&](const Fetch &fetch) {
        return !fetch.pending
               || fetch.pending->ready(std::chrono::duration_cast<std::chrono::milliseconds>(until.remainingTimeAsDuration()));
    });
}

std::optional<std::pair<ItemReader::Slot, qsizetype>> ItemReader::latestSlot(qint32 position, qint32 code) const
{
    // A search makes few fetches of many positions each: a look-up in each
    // fetch's own sorted positions costs less than keeping an index of all.
    for (qsizetype f = m_fetches.size() - 1; f >= 0; --f) {
        const Fetch &fetch = m_fetches[f];
        const qsizetype member = code < 0 ? 0 : fetch.codes.indexOf(code);
        if (member < 0)
            continue;
        const auto at = std::lower_bound(fetch.positions.cbegin(), fetch.positions.cend(), position);
        if (at != fetch.positions.cend() && *at == position)
            return std::pair{Slot{f, at - fetch.positions.cbegin()}, member};
    }
    return std::nullopt;
}

bool ItemReader::passedOver(qint32 position)
{
    const auto latest = latestSlot(position, -1);
    if (!latest)
        return false;
    Fetch &fetch = m_fetches[latest->first.fetch];
    settle(fetch);
    const qsizetype at = latest->first.row * fetch.codes.size();
    return !fetch.callError && at < fetch.texts.size() && fetch.texts[at].passedOver;
}

bool ItemReader::anyUnanswered()
{
    return std::any_of(m_fetches.begin(), m_fetches.end(), [](Fetch &fetch) {
        settle(fetch);
        return fetch.callError && fetch.callError->unanswered();
    });
}

ItemText ItemReader::read(qint32 position, qint32 code)
{
    const auto latest = latestSlot(position, code);
    if (!latest)
        return readLive(position, code);
    const auto [slot, member] = *latest;
    Fetch &fetch = m_fetches[slot.fetch];
    settle(fetch);
    if (fetch.callError)
        return m_failures.classify(*fetch.callError);
    const qsizetype at = slot.row * fetch.codes.size() + member;
    if (at < fetch.texts.size()) {
        const automation::MemberText &fetched = fetch.texts[at];
        if (fetched.passedOver)
            return readLive(position, code);
        if (fetched.errorNumber == 0)
            return {fetched.text, ItemText::Outcome::Read};
        if (IsUnavailableError(fetched.errorNumber))
            return {{}, ItemText::Outcome::Unavailable, nullptr, fetched.errorNumber};
        // Nothing stands at a position of its own to be read live.
        if (fetch.identified)
            return m_failures.classify(AutomationError(fetched.errorNumber, u"CWebPageHV"_s, PropertyMember(code)));
    }
    // Only the number came back; the user is owed its source and description.
    return readLive(position, code);
}

ItemText ItemReader::readLive(qint32 position, qint32 code)
{
    try {
        if (!m_items)
            throw AutomationError::objectNotSet(u"CWebPageHV"_s);
        const automation::ElementPtr element = m_items->item(position);
        const QString member = PropertyMember(code);
        if (member.isEmpty())
            return {};
        if (!element)
            throw AutomationError::objectNotSet(u"CWebPageHV"_s);
        return {automation::automationText(element->get(member)), ItemText::Outcome::Read};
    } catch (const AutomationError &error) {
        return m_failures.classify(error);
    }
}
