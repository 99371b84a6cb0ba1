#include "tests/support/automation_double/DocumentDouble.h"

namespace automation::doubles {

using namespace Qt::StringLiterals;

namespace {

bool isOneOf(const ElementDouble &element, std::initializer_list<QString> tags)
{
    const QString tag = element.value(u"tagName"_s).toString();
    return std::any_of(tags.begin(), tags.end(),
                       [&](const QString &t) { return tag.compare(t, Qt::CaseInsensitive) == 0; });
}

bool belongs(const ElementDouble &element, CollectionKind kind)
{
    switch (kind) {
    case CollectionKind::All:
        return true;
    case CollectionKind::Links:
        return isOneOf(element, {u"A"_s, u"AREA"_s}) && element.has(u"href"_s);
    case CollectionKind::Images:
        return isOneOf(element, {u"IMG"_s});
    case CollectionKind::Forms:
        return isOneOf(element, {u"FORM"_s});
    case CollectionKind::Frames:
        return isOneOf(element, {u"FRAME"_s, u"IFRAME"_s});
    }
    return false;
}

// The members of one element, or of none: ObjectNotSet for each.
void appendMembers(QList<MemberText> &texts, ElementDouble *element, const QStringList &members)
{
    for (const QString &member : members) {
        if (!element) {
            texts.append({{}, AutomationError::ObjectNotSet});
            continue;
        }
        try {
            texts.append({automationText(element->get(member)), 0});
        } catch (const AutomationError &error) {
            texts.append({{}, error.number()});
        }
    }
}

} // namespace

ElementCollectionDouble::ElementCollectionDouble(std::shared_ptr<Lifetime> page,
                                                 std::shared_ptr<const ElementList> all,
                                                 CollectionKind kind)
    : Scripted(std::move(page))
    , m_all(std::move(all))
    , m_kind(kind)
{
}

QString ElementCollectionDouble::typeName() const
{
    enter(u"typeName"_s);
    return u"HTMLElementCollection"_s;
}

qint32 ElementCollectionDouble::length()
{
    enter(u"length"_s);
    return m_reportedLength.value_or(qint32(members().size()));
}

ElementPtr ElementCollectionDouble::item(qint32 index)
{
    enter(u"item"_s);
    const ElementList current = members();
    if (index < 0 || index >= current.size())
        return nullptr;
    return current.at(index);
}

QList<MemberText> ElementCollectionDouble::readMany(const QStringList &members, const QList<qint32> &positions)
{
    enter(u"readMany"_s);
    const ElementList current = this->members();
    QList<MemberText> texts;
    for (const qint32 index : positions)
        appendMembers(texts, index < 0 || index >= current.size() ? nullptr : current.at(index).get(), members);
    return texts;
}

PendingReadPtr ElementCollectionDouble::startReadMany(const QStringList &members, const QList<qint32> &positions)
{
    return started([&] { return readMany(members, positions); });
}

PendingReadPtr ElementCollectionDouble::startReadSelected(const QStringList &members, const QList<qint32> &positions,
                                                          const QList<TextTest> &tests)
{
    return started([&] {
        QList<MemberText> texts = readMany(members, positions);
        const ElementList current = this->members();
        for (qsizetype row = 0; row < positions.size(); ++row) {
            const qint32 index = positions[row];
            if (index < 0 || index >= current.size()
                || !failsATest(tests, [&](const QString &member) { return current.at(index)->get(member); }))
                continue;
            for (qsizetype j = 0; j < members.size(); ++j)
                texts[row * members.size() + j] = {QString(), 0, true};
        }
        return texts;
    });
}

PendingReadPtr ElementCollectionDouble::startReadIdentified(const QStringList &members, const QStringList &uniqueIds)
{
    return started([&] {
        enter(u"readIdentified"_s);
        // Any element of the page, in this collection or not, as the browser finds it.
        QHash<QString, std::shared_ptr<ElementDouble>> byId;
        for (const auto &element : *m_all)
            byId.insert(element->value(u"uniqueID"_s).toString(), element);
        QList<MemberText> texts;
        for (const QString &id : uniqueIds)
            appendMembers(texts, byId.value(id).get(), members);
        return texts;
    });
}

PendingReadPtr ElementCollectionDouble::started(const std::function<QList<MemberText>()> &reading)
{
    PendingReadPtr read = finishedRead(reading);
    if (!m_held)
        return read;

    class HeldRead final : public PendingRead
    {
    public:
        HeldRead(PendingReadPtr read, std::shared_ptr<bool> held)
            : m_read(std::move(read))
            , m_held(std::move(held))
        {
        }
        bool ready(std::chrono::milliseconds) override { return !*m_held; }
        QList<MemberText> take() override { return m_read->take(); }

    private:
        PendingReadPtr m_read;
        std::shared_ptr<bool> m_held;
    };
    return std::make_shared<HeldRead>(std::move(read), m_held);
}

void ElementCollectionDouble::releaseReads()
{
    if (m_held)
        *m_held = false;
    m_held.reset();
}

ElementList ElementCollectionDouble::members() const
{
    ElementList chosen;
    for (const auto &element : *m_all) {
        if (belongs(*element, m_kind))
            chosen.append(element);
    }
    return chosen;
}

} // namespace automation::doubles
