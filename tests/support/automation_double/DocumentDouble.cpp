#include "tests/support/automation_double/DocumentDouble.h"

namespace automation::doubles {

using namespace Qt::StringLiterals;

namespace {

QString memberName(CollectionKind kind)
{
    switch (kind) {
    case CollectionKind::All:
        return u"all"_s;
    case CollectionKind::Links:
        return u"links"_s;
    case CollectionKind::Images:
        return u"images"_s;
    case CollectionKind::Forms:
        return u"forms"_s;
    case CollectionKind::Frames:
        return u"frames"_s;
    }
    return {};
}

} // namespace

DocumentDouble::DocumentDouble(std::shared_ptr<Lifetime> page)
    : Scripted(page)
    , m_elements(std::make_shared<ElementList>())
{
    for (auto kind : {CollectionKind::All, CollectionKind::Links, CollectionKind::Images,
                      CollectionKind::Forms, CollectionKind::Frames})
        m_collections[size_t(kind)] = std::make_shared<ElementCollectionDouble>(page, m_elements, kind);
}

QString DocumentDouble::typeName() const
{
    enter(u"typeName"_s);
    return u"HTMLDocument"_s;
}

ElementCollectionPtr DocumentDouble::collection(CollectionKind kind)
{
    enter(memberName(kind));
    return collectionDouble(kind);
}

ElementPtr DocumentDouble::getElementById(const QString &idOrName)
{
    enter(u"getElementById"_s);
    for (const auto &key : {u"id"_s, u"name"_s}) {
        for (const auto &element : std::as_const(*m_elements)) {
            if (element->has(key) && element->value(key).toString() == idOrName)
                return element;
        }
    }
    return nullptr;
}

std::shared_ptr<ElementDouble> DocumentDouble::addElement(const QVariantMap &members)
{
    auto element = std::make_shared<ElementDouble>(life(), members);
    m_elements->append(element);
    return element;
}

const std::shared_ptr<ElementCollectionDouble> &DocumentDouble::collectionDouble(CollectionKind kind) const
{
    return m_collections[size_t(kind)];
}

} // namespace automation::doubles
