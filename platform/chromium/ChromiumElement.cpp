#include "platform/chromium/ChromiumElement.h"

namespace chromium {

using namespace Qt::StringLiterals;

ChromiumElement::ChromiumElement(ChromiumDocumentRef document, QString collection, qint32 index)
    : m_document(std::move(document))
    , m_collection(std::move(collection))
    , m_index(index)
{
}

ChromiumElement::ChromiumElement(ChromiumDocumentRef document, qint32 key)
    : m_document(std::move(document))
    , m_key(key)
{
}

QString ChromiumElement::typeName() const
{
    return u"HTMLElement"_s;
}

QJsonObject ChromiumElement::ref() const
{
    if (m_key)
        return {{u"k"_s, *m_key}};
    return {{u"c"_s, m_collection}, {u"i"_s, m_index}};
}

QJsonObject ChromiumElement::call(const QString &op, QJsonArray args, bool userGesture)
{
    args.prepend(ref());
    const QJsonObject answer = m_document.call(op, args, userGesture);
    m_key = answer.value(u"k"_s).toInt();
    return answer;
}

QVariant ChromiumElement::get(const QString &member)
{
    return m_document.value(call(u"get"_s, {member}));
}

void ChromiumElement::put(const QString &member, const QVariant &value)
{
    call(u"put"_s, {member, QJsonValue::fromVariant(value)});
}

void ChromiumElement::invoke(const QString &method)
{
    // As a user's click: pages may open windows or start downloads from it.
    call(u"invoke"_s, {method}, true);
}

} // namespace chromium
