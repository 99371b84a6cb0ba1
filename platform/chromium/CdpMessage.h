#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

namespace chromium {

// One message from the browser, decoded once where it arrives.
struct CdpMessage
{
    enum class Kind {
        Reply,   // the answer to the command with id: result, or refusal when it was refused
        Event,   // method and params
        Garbled, // neither: problem says why, and id is set when the message named one
    };

    Kind kind = Kind::Garbled;
    int id = 0;
    QJsonObject result;
    std::optional<QString> refusal;
    QString method;
    QJsonObject params;
    QString sessionId;
    QString problem;
};

CdpMessage decodeCdpMessage(const QString &text);

} // namespace chromium
