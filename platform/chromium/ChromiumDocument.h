#pragma once

#include "platform/automation/Automation.h"
#include "platform/chromium/ChromiumDocumentRef.h"

namespace chromium {

class ChromiumDocument : public automation::Document
{
public:
    explicit ChromiumDocument(ChromiumDocumentRef ref);

    QString typeName() const override;
    automation::ElementCollectionPtr collection(automation::CollectionKind kind) override;
    automation::ElementPtr getElementById(const QString &idOrName) override;

private:
    ChromiumDocumentRef m_ref;
};

class ChromiumElementCollection : public automation::ElementCollection
{
public:
    ChromiumElementCollection(ChromiumDocumentRef ref, QString kind);

    QString typeName() const override;
    qint32 length() override;
    automation::ElementPtr item(qint32 index) override;
    using automation::ElementCollection::readMany;
    using automation::ElementCollection::startReadMany;
    QList<automation::MemberText> readMany(const QStringList &members, const QList<qint32> &positions) override;
    automation::PendingReadPtr startReadMany(const QStringList &members, const QList<qint32> &positions) override;
    // The page makes the tests as it reads.
    automation::PendingReadPtr startReadSelected(const QStringList &members, const QList<qint32> &positions,
                                                 const QList<automation::TextTest> &tests) override;
    automation::PendingReadPtr startReadIdentified(const QStringList &members, const QStringList &uniqueIds) override;

private:

    ChromiumDocumentRef m_ref;
    QString m_kind;
};

} // namespace chromium
