#include "platform/chromium/ChromiumDocument.h"

#include "platform/chromium/ChromiumElement.h"

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;

ChromiumDocument::ChromiumDocument(ChromiumDocumentRef ref)
    : m_ref(std::move(ref))
{
}

QString ChromiumDocument::typeName() const
{
    return u"HTMLDocument"_s;
}

automation::ElementCollectionPtr ChromiumDocument::collection(automation::CollectionKind kind)
{
    using automation::CollectionKind;
    switch (kind) {
    case CollectionKind::Links:
        return std::make_shared<ChromiumElementCollection>(m_ref, u"links"_s);
    case CollectionKind::Images:
        return std::make_shared<ChromiumElementCollection>(m_ref, u"images"_s);
    case CollectionKind::Forms:
        return std::make_shared<ChromiumElementCollection>(m_ref, u"forms"_s);
    case CollectionKind::Frames:
        return std::make_shared<ChromiumElementCollection>(m_ref, u"frames"_s);
    case CollectionKind::All:
        break;
    }
    return std::make_shared<ChromiumElementCollection>(m_ref, u"all"_s);
}

automation::ElementPtr ChromiumDocument::getElementById(const QString &idOrName)
{
    const QJsonObject answer = m_ref.call(u"byId"_s, {idOrName});
    if (!answer.contains(u"k"_s))
        return nullptr;
    return std::make_shared<ChromiumElement>(m_ref, answer.value(u"k"_s).toInt());
}

ChromiumElementCollection::ChromiumElementCollection(ChromiumDocumentRef ref, QString kind)
    : m_ref(std::move(ref))
    , m_kind(std::move(kind))
{
}

QString ChromiumElementCollection::typeName() const
{
    return u"HTMLElementCollection"_s;
}

qint32 ChromiumElementCollection::length()
{
    return m_ref.call(u"length"_s, {m_kind}).value(u"v"_s).toInt();
}

automation::ElementPtr ChromiumElementCollection::item(qint32 index)
{
    // Found at its first use, so that taking an element costs no round trip.
    return std::make_shared<ChromiumElement>(m_ref, m_kind, index);
}

QList<automation::MemberText> ChromiumElementCollection::readMany(const QStringList &members, qint32 first,
                                                                 qint32 count)
{
    QList<automation::MemberText> texts;
    if (members.isEmpty() || count <= 0)
        return texts;
    const qsizetype wanted = qsizetype(count) * members.size();
    texts.reserve(wanted);
    // A long answer stops early, at the end of an element; the rest is asked for again.
    while (texts.size() < wanted) {
        const qint32 done = qint32(texts.size() / members.size());
        readPart(members, first + done, count - done, texts);
        if (texts.size() / members.size() == done)
            throw automation::AutomationError::automationFailure(u"Chromium"_s, u"a bulk read gave nothing"_s);
    }
    return texts;
}

automation::MemberText ChromiumElementCollection::readAlone(qint32 index, const QString &member)
{
    // Its failure is that entry's, not the whole read's.
    try {
        return {automation::automationText(item(index)->get(member)), 0};
    } catch (const AutomationError &e) {
        return {QString(), e.number()};
    }
}

void ChromiumElementCollection::readPart(const QStringList &members, qint32 first, qint32 count,
                                         QList<automation::MemberText> &texts)
{
    const QJsonObject answer = m_ref.call(u"readMany"_s, {m_kind, QJsonArray::fromStringList(members), first, count});
    // One piece per entry: "<length>:<text>", "=<n>:" for the n-th short text
    // sent again, "!:" for a missing member,
    // "!<error number>:", or "~:" for an entry that x gives.
    const qsizetype base = texts.size();
    QStringList shortTexts; // in the order first sent, for "=<n>:"
    const QString pieces = answer.value(u"t"_s).toString();
    for (qsizetype at = 0; at < pieces.size();) {
        const qsizetype colon = pieces.indexOf(u':', at);
        if (colon < 0)
            throw automation::AutomationError::automationFailure(u"Chromium"_s, u"a garbled bulk read"_s);
        const QChar kind = pieces[at];
        if (kind == u'=') {
            const qsizetype repeat = QStringView(pieces).mid(at + 1, colon - at - 1).toLongLong();
            if (repeat < 0 || repeat >= shortTexts.size())
                throw automation::AutomationError::automationFailure(u"Chromium"_s, u"a garbled bulk read"_s);
            texts.append({shortTexts[repeat], 0});
            at = colon + 1;
        } else if (kind == u'!') {
            const QStringView number = QStringView(pieces).mid(at + 1, colon - at - 1);
            texts.append({QString(), number.isEmpty() ? automation::AutomationError::MemberNotFound : number.toInt()});
            at = colon + 1;
        } else if (kind == u'~') {
            texts.append(automation::MemberText{});
            at = colon + 1;
        } else {
            const qsizetype length = QStringView(pieces).mid(at, colon - at).toLongLong();
            texts.append({pieces.mid(colon + 1, length), 0});
            if (length <= kHelperShortText)
                shortTexts.append(texts.back().text);
            at = colon + 1 + length;
        }
    }
    for (const QJsonValue &value : answer.value(u"x"_s).toArray()) {
        const QJsonArray entry = value.toArray();
        const qint32 at = entry.at(0).toInt();
        if (at < 0 || base + at >= texts.size())
            continue;
        if (entry.at(2).toBool()) // too long for one answer: read it on its own
            texts[base + at] = readAlone(first + at / qint32(members.size()), members[at % members.size()]);
        else
            texts[base + at] = {automation::automationText(entry.at(1).toVariant()), 0};
    }
}

} // namespace chromium
