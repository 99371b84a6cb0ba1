#include "platform/chromium/CdpMessage.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>

namespace chromium {

using namespace Qt::StringLiterals;

namespace {

// Ids are the ones we gave: whole numbers from 1 up.
std::optional<int> commandId(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!(number >= 1 && number <= std::numeric_limits<int>::max()) || std::floor(number) != number)
        return std::nullopt;
    return int(number);
}

CdpMessage garbledMessage(QString problem, int id = 0)
{
    CdpMessage message;
    message.id = id;
    message.problem = std::move(problem);
    return message;
}

} // namespace

CdpMessage decodeCdpMessage(const QString &text)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return garbledMessage(u"a message that is not JSON ("_s + parseError.errorString() + u')');
    if (!document.isObject())
        return garbledMessage(u"a message that is not an object"_s);
    const QJsonObject object = document.object();

    const QJsonValue sessionId = object.value(u"sessionId"_s);
    if (!sessionId.isUndefined() && !sessionId.isString())
        return garbledMessage(u"a session id that is not text"_s);

    if (object.contains(u"id"_s)) {
        const std::optional<int> id = commandId(object.value(u"id"_s));
        if (!id)
            return garbledMessage(u"an answer to no command we sent"_s);
        CdpMessage message;
        message.kind = CdpMessage::Kind::Reply;
        message.id = *id;
        message.sessionId = sessionId.toString();
        const QJsonValue error = object.value(u"error"_s);
        const QJsonValue result = object.value(u"result"_s);
        if (error.isObject()) {
            message.refusal = error.toObject().value(u"message"_s).toString(u"an error without a message"_s);
        } else if (result.isObject()) {
            message.result = result.toObject();
        } else {
            return garbledMessage(u"an answer without a result"_s, *id);
        }
        return message;
    }

    const QJsonValue method = object.value(u"method"_s);
    const QJsonValue params = object.value(u"params"_s);
    if (!method.isString() || method.toString().isEmpty())
        return garbledMessage(u"a message that is neither an answer nor an event"_s);
    if (!params.isUndefined() && !params.isObject())
        return garbledMessage(u"an event whose parameters are not an object"_s);
    CdpMessage message;
    message.kind = CdpMessage::Kind::Event;
    message.method = method.toString();
    message.params = params.toObject();
    message.sessionId = sessionId.toString();
    return message;
}

} // namespace chromium
