#include "platform/chromium/ChromiumDocumentRef.h"

#include "platform/chromium/CdpError.h"

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;

AutomationError helperError(qint32 number, const QString &detail)
{
    switch (number) {
    case AutomationError::MemberNotFound:
        return AutomationError::memberNotFound(errorSource(), detail);
    case AutomationError::ObjectNotSet:
        return AutomationError::objectNotSet(errorSource());
    default:
        return AutomationError::automationFailure(errorSource(), detail);
    }
}

void appendLongTextPiece(QString &text, const QJsonValue &piece)
{
    // The helper keeps only the latest long texts: later reads pushed it out.
    if (!piece.isString() || piece.toString().isEmpty())
        throw AutomationError::automationFailure(errorSource(), u"a long text changed while it was read"_s);
    text += piece.toString();
}

QJsonObject ChromiumDocumentRef::call(const QString &op, const QJsonArray &args, bool userGesture) const
{
    const QJsonObject answer = endpoint->callHelper(*tab, context, op, args, userGesture).toObject();
    if (answer.contains(u"e"_s))
        throw helperError(answer.value(u"e"_s).toInt(), answer.value(u"d"_s).toString());
    return answer;
}

QVariant ChromiumDocumentRef::value(const QJsonObject &answer) const
{
    const QJsonValue v = answer.value(u"v"_s);
    if (!answer.contains(u"more"_s))
        return v.toVariant();
    const QJsonValue token = answer.value(u"more"_s);
    const qsizetype total = answer.value(u"n"_s).toInteger();
    QString text = v.toString();
    text.reserve(total);
    while (text.size() < total) {
        appendLongTextPiece(text, endpoint->callHelper(*tab, context, u"chunk"_s, {token, text.size()}));
    }
    return text;
}

} // namespace chromium
