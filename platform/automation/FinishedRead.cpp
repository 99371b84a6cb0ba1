#include "platform/automation/Automation.h"

#include <optional>

namespace automation {

namespace {

class FinishedRead final : public PendingRead
{
public:
    explicit FinishedRead(const std::function<QList<MemberText>()> &read)
    {
        try {
            m_texts = read();
        } catch (const AutomationError &error) {
            m_error = error;
        }
    }

    bool ready(std::chrono::milliseconds) override { return true; }
    QList<MemberText> take() override
    {
        if (m_error)
            throw *m_error;
        return std::move(m_texts);
    }

private:
    QList<MemberText> m_texts;
    std::optional<AutomationError> m_error;
};

} // namespace

PendingReadPtr finishedRead(const std::function<QList<MemberText>()> &read)
{
    return std::make_shared<FinishedRead>(read);
}

} // namespace automation
