#include "tests/support/automation_double/Scripted.h"

#include "platform/automation/Automation.h"

namespace automation::doubles {

using namespace Qt::StringLiterals;

AutomationError makeError(qint32 number, const QString &source, const QString &description)
{
    // As the browser backend gives them: its own words are the detail.
    if (number == AutomationError::ServerUnavailable)
        return AutomationError::serverUnavailable(source, description);
    if (number == AutomationError::AutomationFailure)
        return AutomationError::automationFailure(source, description.isEmpty() ? source : description);
    if (!description.isEmpty())
        return {number, source, description};
    switch (number) {
    case AutomationError::Overflow:
        return AutomationError::overflow(source);
    case AutomationError::PermissionDenied:
        return AutomationError::permissionDenied(source);
    case AutomationError::ObjectNotSet:
        return AutomationError::objectNotSet(source);
    case AutomationError::NoAutomationSupport:
        return AutomationError::noAutomationSupport(source);
    case AutomationError::MemberNotFound:
        return AutomationError::memberNotFound(source, source);
    default:
        return {number, source, u"Error "_s + QString::number(number)};
    }
}

Scripted::Scripted(std::shared_ptr<Lifetime> life)
    : m_life(std::move(life))
{
}

void Scripted::failOn(const QString &member, qint32 number, const QString &description)
{
    m_failures.insert(member.toLower(), {number, description});
}

void Scripted::leaveUnanswered(const QString &member)
{
    m_failures.insert(member.toLower(), {AutomationError::AutomationFailure, {}, true});
}

void Scripted::clearFailure(const QString &member)
{
    m_failures.remove(member.toLower());
}

void Scripted::onEnter(const QString &member, std::function<void()> action)
{
    m_actions.insert(member.toLower(), std::move(action));
}

void Scripted::enter(const QString &member) const
{
    m_journal.append(member);
    check(member);
}

void Scripted::enterPut(const QString &member, const QVariant &value) const
{
    m_journal.append(member + u'=' + automationText(value));
    check(member);
}

void Scripted::check(const QString &member) const
{
    if (const auto action = m_actions.constFind(member.toLower()); action != m_actions.cend())
        (*action)();
    if (m_life->endedWith != 0)
        throw makeError(m_life->endedWith, member);
    const auto failure = m_failures.constFind(member.toLower());
    if (failure != m_failures.cend() && failure->unanswered)
        throw AutomationError::noAnswer(member, member + u" gave no answer in time"_s);
    if (failure != m_failures.cend())
        throw makeError(failure->number, member, failure->description);
}

} // namespace automation::doubles
