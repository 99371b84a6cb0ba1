#include "platform/chromium/ChromiumElement.h"

#include "platform/chromium/CdpError.h"

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

void ChromiumElement::act(const QString &op, const QJsonArray &args, bool userGesture)
{
    try {
        call(op, args, userGesture);
    } catch (const CdpError &e) {
        // The page answered our action with a dialog: the action took place,
        // and the rest of it runs once the user closes the dialog.
        if (e.kind() != CdpError::Kind::DialogOpened)
            throw;
    }
}

void ChromiumElement::put(const QString &member, const QVariant &value)
{
    act(u"put"_s, {member, QJsonValue::fromVariant(value)}, false);
}

void ChromiumElement::invoke(const QString &method)
{
    // As a user's click: pages may open windows or start downloads from it.
    act(u"invoke"_s, {method}, true);
}

} // namespace chromium
