#include "platform/chromium/CdpError.h"

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;

const QString &errorSource()
{
    static const QString source = u"Chromium"_s;
    return source;
}

namespace {

AutomationError numbered(CdpError::Kind kind, const QString &detail)
{
    switch (kind) {
    case CdpError::Kind::TabClosed:
    case CdpError::Kind::TabCrashed:
    case CdpError::Kind::BrowserUnreachable:
        return AutomationError::serverUnavailable(errorSource(), detail);
    case CdpError::Kind::ContextGone:
        return AutomationError::permissionDenied(errorSource());
    case CdpError::Kind::DeadlinePassed:
        return AutomationError::noAnswer(errorSource(), detail);
    case CdpError::Kind::Rejected:
    case CdpError::Kind::Garbled:
    case CdpError::Kind::ScriptThrew:
    case CdpError::Kind::DialogOpen:
    case CdpError::Kind::DialogOpened:
        break;
    }
    return AutomationError::automationFailure(errorSource(), detail);
}

} // namespace

CdpError::CdpError(Kind kind, const QString &detail)
    : AutomationError(numbered(kind, detail))
    , m_kind(kind)
{
}

CdpError CdpError::fromProtocol(const QString &method, const QString &message)
{
    const QString detail = method + u": "_s + message;
    if (message.startsWith(u"No target with given id"_s) || message.startsWith(u"Session with given id not found"_s)
        || message == u"Target closed"_s)
        return {Kind::TabClosed, detail};
    // A document's worlds go with it; a call into one of them after a
    // navigation finds no context, or sees it destroyed under it.
    if (message.contains(u"context"_s, Qt::CaseInsensitive)
        || message.startsWith(u"Inspected target navigated or closed"_s))
        return {Kind::ContextGone, detail};
    return {Kind::Rejected, detail};
}

} // namespace chromium
