#include "platform/chromium/ChromiumDocument.h"

#include "platform/chromium/ChromiumBulkRead.h"
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

QList<automation::MemberText> ChromiumElementCollection::readMany(const QStringList &members,
                                                                 const QList<qint32> &positions)
{
    return startReadMany(members, positions)->take();
}

automation::PendingReadPtr ChromiumElementCollection::startReadMany(const QStringList &members,
                                                                    const QList<qint32> &positions)
{
    return ChromiumBulkRead::start(m_ref, m_kind, members, positions);
}

automation::PendingReadPtr ChromiumElementCollection::startReadSelected(const QStringList &members,
                                                                        const QList<qint32> &positions,
                                                                        const QList<automation::TextTest> &tests)
{
    return ChromiumBulkRead::start(m_ref, m_kind, members, positions, tests);
}

automation::PendingReadPtr ChromiumElementCollection::startReadIdentified(const QStringList &members,
                                                                        const QStringList &uniqueIds)
{
    return ChromiumBulkRead::startIdentified(m_ref, members, uniqueIds);
}

} // namespace chromium
