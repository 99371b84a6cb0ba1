#pragma once

#include "platform/automation/Automation.h"
#include "tests/support/automation_double/ElementDouble.h"
#include "tests/support/automation_double/Scripted.h"

#include <array>
#include <optional>

namespace automation::doubles {

using ElementList = QList<std::shared_ptr<ElementDouble>>;

// One of a page's live collections: it reflects the page's elements at the
// moment of each call. Links are A and AREA elements with an href, images
// IMG, forms FORM, frames FRAME and IFRAME, chosen by their tagName member.
// Its members: length, item, readMany (also when started, selected, and by
// positions), typeName.
class ElementCollectionDouble final : public ElementCollection, public Scripted
{
public:
    ElementCollectionDouble(std::shared_ptr<Lifetime> page, std::shared_ptr<const ElementList> all,
                            CollectionKind kind);

    QString typeName() const override;
    qint32 length() override;
    ElementPtr item(qint32 index) override;
    using ElementCollection::readMany;
    using ElementCollection::startReadMany;
    QList<MemberText> readMany(const QStringList &members, const QList<qint32> &positions) override;
    // Read at once; while reads are held, it reports not ready until released.
    PendingReadPtr startReadMany(const QStringList &members, const QList<qint32> &positions) override;
    // Passes over every element that fails the tests.
    PendingReadPtr startReadSelected(const QStringList &members, const QList<qint32> &positions,
                                     const QList<TextTest> &tests) override;
    PendingReadPtr startReadIdentified(const QStringList &members, const QStringList &uniqueIds) override;

    // A browser still busy with the reads started from now on.
    void holdReads() { m_held = std::make_shared<bool>(true); }
    void releaseReads();

    // A length no real page reaches (above 32767, say); items stay as they are.
    void reportLength(std::optional<qint32> length) { m_reportedLength = length; }

private:
    ElementList members() const;
    // A read of what `reading` gives, held while reads are.
    PendingReadPtr started(const std::function<QList<MemberText>()> &reading);

    std::shared_ptr<const ElementList> m_all;
    CollectionKind m_kind;
    std::optional<qint32> m_reportedLength;
    std::shared_ptr<bool> m_held; // shared with the reads started while held
};

// Its members: all, links, images, forms, frames (one per collection),
// getElementById, typeName.
class DocumentDouble final : public Document, public Scripted
{
public:
    explicit DocumentDouble(std::shared_ptr<Lifetime> page);

    QString typeName() const override;
    ElementCollectionPtr collection(CollectionKind kind) override;
    ElementPtr getElementById(const QString &idOrName) override;

    // Appends an element in document order, e.g. {{"tagName", "INPUT"}, {"value", ""}}.
    std::shared_ptr<ElementDouble> addElement(const QVariantMap &members);
    const std::shared_ptr<ElementCollectionDouble> &collectionDouble(CollectionKind kind) const;

private:
    std::shared_ptr<ElementList> m_elements;
    std::array<std::shared_ptr<ElementCollectionDouble>, 5> m_collections;
};

} // namespace automation::doubles
