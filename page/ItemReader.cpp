#include "page/ItemReader.h"

#include "page/PropertyCodes.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

// Positions this close together are fetched as one run; the elements in
// between are read and dropped, cheaper than another round trip.
constexpr qint32 kMaxGap = 8;
// Keeps one answer to a few megabytes even on pages of long texts.
constexpr qint32 kMaxRun = 2048;

} // namespace

ItemReader::ItemReader(automation::ElementCollectionPtr items, ReadFailures &failures)
    : m_items(std::move(items))
    , m_failures(failures)
{
}

void ItemReader::prefetch(QList<qint32> positions, const QList<qint32> &codes)
{
    if (!m_items || positions.isEmpty())
        return;
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    qsizetype start = 0;
    for (qsizetype i = 1; i <= positions.size(); ++i) {
        if (i < positions.size() && positions[i] - positions[i - 1] <= kMaxGap
            && positions[i] - positions[start] < kMaxRun)
            continue;
        const QList<qint32> run = positions.mid(start, i - start);
        for (const qint32 code : codes) {
            const QString member = PropertyMember(code);
            if (!member.isEmpty())
                fetchRun(run, member, code);
        }
        start = i;
    }
}

void ItemReader::fetchRun(const QList<qint32> &run, const QString &member, qint32 code)
{
    const qint32 first = run.front();
    try {
        const QList<automation::MemberText> texts = m_items->readMany(member, first, run.back() - first + 1);
        for (const qint32 position : run) {
            const qsizetype at = position - first;
            if (at < texts.size())
                m_fetched.insert({position, code}, {texts[at].text, texts[at].errorNumber, std::nullopt});
        }
    } catch (const AutomationError &error) {
        // What each single read would most likely have met, without waiting
        // for each of them to meet it.
        for (const qint32 position : run)
            m_fetched.insert({position, code}, {{}, error.number(), error});
    }
}

ItemText ItemReader::read(qint32 position, qint32 code)
{
    const auto found = m_fetched.find({position, code});
    if (found == m_fetched.end())
        return readLive(position, code);
    const Fetched fetched = *found;
    m_fetched.erase(found);
    if (fetched.callError)
        return m_failures.classify(*fetched.callError);
    if (fetched.errorNumber == 0)
        return {fetched.text, ItemText::Outcome::Read};
    if (IsUnavailableError(fetched.errorNumber))
        return {{}, ItemText::Outcome::Unavailable};
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
