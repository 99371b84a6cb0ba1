#include "page/ReadFailures.h"

#include "platform/stores/ApplicationTitle.h"
#include "platform/ui/UiServices.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;

bool IsUnavailableError(qint32 number)
{
    switch (number) {
    case AutomationError::MemberNotFound:
    case AutomationError::PermissionDenied:
    case AutomationError::ServerUnavailable:
    case AutomationError::ObjectNotSet:
    case AutomationError::NoAutomationSupport:
        return true;
    default:
        return false;
    }
}

ReadFailures::ReadFailures(ui::UiServices &ui, QList<AutomationError> *record)
    : m_ui(ui)
    , m_record(record)
{
}

ItemText ReadFailures::classify(const AutomationError &error)
{
    if (IsUnavailableError(error.number()))
        return {{}, ItemText::Outcome::Unavailable, nullptr, error.number()};
    m_ui.beep();
    if (m_record)
        m_record->append(error);
    auto failure = std::make_shared<const AutomationError>(error);
    if (error.number() == AutomationError::AutomationFailure)
        return {{}, ItemText::Outcome::Beeped, std::move(failure)};
    const QString text = u"★☆Error No："_s + QString::number(error.number()) + u'\n' + u"Source："_s + error.source()
                         + u'\n' + u"Description："_s + error.description();
    if (!m_shown.contains(text)) {
        m_shown.insert(text);
        m_ui.messageBox(text, kApplicationTitle, ui::MessageIcon::None, ui::MessageButtons::Ok);
    }
    return {{}, ItemText::Outcome::Reported, std::move(failure)};
}
