#include "page/ItemReader.h"

#include "page/PropertyCodes.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

// Positions this close together are fetched as one run; the elements in
// between are read and dropped, cheaper than another round trip.
constexpr qint32 kMaxGap = 8;
// Bounds the work of one bulk call.
constexpr qint32 kMaxRun = 16384;

} // namespace

ItemReader::ItemReader(automation::ElementCollectionPtr items, ReadFailures &failures)
    : m_items(std::move(items))
    , m_failures(failures)
{
}

void ItemReader::prefetch(QList<qint32> positions, const QList<qint32> &codes)
{
    QList<qint32> memberCodes;
    for (const qint32 code : codes) {
        if (!PropertyMember(code).isEmpty() && !memberCodes.contains(code))
            memberCodes.append(code);
    }
    if (!m_items || positions.isEmpty() || memberCodes.isEmpty())
        return;
    std::sort(positions.begin(), positions.end());
    // Distances in 64 bits: the first and the largest position are further
    // apart than a qint32 holds.
    const auto distance = [&](qsizetype from, qsizetype to) { return qint64(positions[to]) - positions[from]; };
    qsizetype start = 0;
    for (qsizetype i = 1; i <= positions.size(); ++i) {
        if (i < positions.size() && distance(i - 1, i) <= kMaxGap && distance(start, i) < kMaxRun)
            continue;
        fetchRun(positions[start], positions[i - 1] - positions[start] + 1, memberCodes);
        start = i;
    }
}

void ItemReader::fetchRun(qint32 first, qint32 count, const QList<qint32> &codes)
{
    Run run{codes, first, count, {}, {}, std::nullopt};
    QStringList members;
    for (const qint32 code : codes)
        members.append(PropertyMember(code));
    try {
        run.pending = m_items->startReadMany(members, first, count);
    } catch (const AutomationError &error) {
        run.callError = error;
    }
    m_runs.append(std::move(run));
}

void ItemReader::settle(Run &run)
{
    if (!run.pending)
        return;
    try {
        run.texts = std::exchange(run.pending, nullptr)->take();
    } catch (const AutomationError &error) {
        // What each single read would most likely have met, without waiting
        // for each of them to meet it.
        run.callError = error;
    }
}

bool ItemReader::fetched(std::chrono::milliseconds patience) const
{
    const QDeadlineTimer until(patience);
    return std::all_of(m_runs.cbegin(), m_runs.cend(), [&](const Run &run) {
        return !run.pending
               || run.pending->ready(std::chrono::duration_cast<std::chrono::milliseconds>(until.remainingTimeAsDuration()));
    });
}

ItemText ItemReader::read(qint32 position, qint32 code)
{
    for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run) {
        const qsizetype member = run->codes.indexOf(code);
        if (member < 0 || position < run->first || position - run->first >= run->count)
            continue;
        settle(*run);
        if (run->callError)
            return m_failures.classify(*run->callError);
        const qsizetype at = (position - run->first) * run->codes.size() + member;
        if (at >= run->texts.size())
            break;
        const automation::MemberText &fetched = run->texts[at];
        if (fetched.errorNumber == 0)
            return {fetched.text, ItemText::Outcome::Read};
        if (IsUnavailableError(fetched.errorNumber))
            return {{}, ItemText::Outcome::Unavailable};
        // Only the number came back; the user is owed its source and description.
        break;
    }
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
