#pragma once

#include "platform/automation/Automation.h"
#include "platform/chromium/ChromiumDocumentRef.h"

#include <optional>

namespace chromium {

// An element of a document. Taken from a collection it is found by position
// at its first use and is that same element from then on.
class ChromiumElement : public automation::Element
{
public:
    ChromiumElement(ChromiumDocumentRef document, QString collection, qint32 index);
    ChromiumElement(ChromiumDocumentRef document, qint32 key);

    QString typeName() const override;
    QVariant get(const QString &member) override;
    void put(const QString &member, const QVariant &value) override;
    void invoke(const QString &method) override;

private:
    QJsonObject ref() const;
    QJsonObject call(const QString &op, QJsonArray args, bool userGesture = false);
    // A call that changes the page, done once it has run into a dialog.
    void act(const QString &op, const QJsonArray &args, bool userGesture);

    ChromiumDocumentRef m_document;
    QString m_collection;
    qint32 m_index = -1;
    std::optional<qint32> m_key;
};

} // namespace chromium
