#include "app/cli/CliErrors.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

QString numberText(qint32 number)
{
    switch (number) {
    case AutomationError::Overflow:
        return u"a number overflowed"_s;
    case AutomationError::TypeMismatch:
        return u"a stored value is not the number it should be"_s;
    case AutomationError::PermissionDenied:
        return u"the page has navigated since it was read"_s;
    case AutomationError::ObjectNotSet:
        return u"the element or object is not there"_s;
    case AutomationError::NoAutomationSupport:
        return u"the object cannot be automated"_s;
    case AutomationError::AutomationFailure:
        return u"the browser call failed or ran past its deadline"_s;
    case AutomationError::MemberNotFound:
        return u"the element lacks that member"_s;
    case AutomationError::ServerUnavailable:
        return u"the tab or the browser has gone"_s;
    default:
        return u"the browser call failed"_s;
    }
}

} // namespace

QString CliErrorText(const AutomationError &error)
{
    const QString &detail = error.detail();
    return (detail.isEmpty() ? numberText(error.number()) : detail) + u" (error "_s
           + QString::number(error.number()) + u')';
}

QString CliErrorText(qint32 number)
{
    return numberText(number) + u" (error "_s + QString::number(number) + u')';
}
