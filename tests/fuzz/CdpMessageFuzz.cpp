#include "tests/fuzz/FuzzTargets.h"

#include "platform/chromium/CdpMessage.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

using namespace Qt::StringLiterals;
using chromium::CdpMessage;

namespace {

bool same(const CdpMessage &a, const CdpMessage &b)
{
    return a.kind == b.kind && a.id == b.id && a.result == b.result && a.refusal == b.refusal && a.method == b.method
        && a.params == b.params && a.sessionId == b.sessionId && a.problem == b.problem;
}

// The message as the browser would send it again.
QString encoded(const CdpMessage &message)
{
    QJsonObject object;
    if (message.kind == CdpMessage::Kind::Reply) {
        object.insert(u"id"_s, message.id);
        if (message.refusal)
            object.insert(u"error"_s, QJsonObject{{u"code"_s, -32000}, {u"message"_s, *message.refusal}});
        else
            object.insert(u"result"_s, message.result);
    } else {
        object.insert(u"method"_s, message.method);
        object.insert(u"params"_s, message.params);
    }
    if (!message.sessionId.isEmpty())
        object.insert(u"sessionId"_s, message.sessionId);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace

void fuzz::cdpMessage(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    const CdpMessage message = chromium::decodeCdpMessage(text);
    FUZZ_CHECK(same(message, chromium::decodeCdpMessage(text)));

    // What the message says, read on its own.
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    const QJsonObject object = document.object();

    switch (message.kind) {
    case CdpMessage::Kind::Reply: {
        // An answer to a command we sent: its id is one we could have given.
        FUZZ_CHECK(document.isObject());
        FUZZ_CHECK(message.id >= 1);
        FUZZ_CHECK(object.value(u"id"_s).isDouble() && object.value(u"id"_s).toDouble() == double(message.id));
        FUZZ_CHECK(message.method.isEmpty() && message.params.isEmpty() && message.problem.isEmpty());
        if (message.refusal)
            FUZZ_CHECK(object.value(u"error"_s).isObject() && message.result.isEmpty());
        else
            FUZZ_CHECK(object.value(u"result"_s).isObject() && message.result == object.value(u"result"_s).toObject());
        FUZZ_CHECK(message.sessionId == object.value(u"sessionId"_s).toString());
        break;
    }
    case CdpMessage::Kind::Event:
        FUZZ_CHECK(document.isObject());
        FUZZ_CHECK(!object.contains(u"id"_s) && message.id == 0);
        FUZZ_CHECK(!message.method.isEmpty() && message.method == object.value(u"method"_s).toString());
        FUZZ_CHECK(message.params == object.value(u"params"_s).toObject());
        FUZZ_CHECK(!message.refusal && message.result.isEmpty() && message.problem.isEmpty());
        FUZZ_CHECK(message.sessionId == object.value(u"sessionId"_s).toString());
        break;
    case CdpMessage::Kind::Garbled:
        // Always says why; an id it names is still one we could have given.
        FUZZ_CHECK(!message.problem.isEmpty());
        FUZZ_CHECK(message.id >= 0);
        FUZZ_CHECK(message.method.isEmpty() && message.result.isEmpty() && !message.refusal);
        return;
    default:
        // Exactly one of the three kinds.
        FUZZ_CHECK(false);
    }

    // A reply or an event, sent again as the browser would, reads the same.
    FUZZ_CHECK(same(chromium::decodeCdpMessage(encoded(message)), message));
}
