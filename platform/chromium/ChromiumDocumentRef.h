#pragma once

#include "platform/chromium/ChromiumEndpoint.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QVariant>

#include <memory>

namespace chromium {

// The document that an object was handed out from: its tab and the world of
// our helper in it. Everything read through it is bound to that document.
struct ChromiumDocumentRef
{
    std::shared_ptr<ChromiumEndpoint> endpoint;
    TabPtr tab;
    QString context;

    // Calls the helper and unpacks its answer, raising the error it reports.
    QJsonObject call(const QString &op, const QJsonArray &args, bool userGesture = false) const;
    // The answer's value, fetching the rest of a long text piece by piece.
    QVariant value(const QJsonObject &answer) const;
};

// Appends the next piece of a long text the helper answers in pieces;
// throws when the helper no longer holds that text.
void appendLongTextPiece(QString &text, const QJsonValue &piece);

// The helper's numbered failure, as our one error type.
automation::AutomationError helperError(qint32 number, const QString &detail);

} // namespace chromium
