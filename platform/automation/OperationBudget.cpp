#include "platform/automation/OperationBudget.h"

#include <algorithm>

namespace automation {

namespace {
thread_local OperationBudget *tCurrent = nullptr;
}

OperationBudget::OperationBudget(int share)
    : m_share(std::max(share, 1))
{
    if (!tCurrent) {
        tCurrent = this;
        m_outermost = true;
    }
}

OperationBudget::~OperationBudget()
{
    if (m_outermost)
        tCurrent = nullptr;
}

std::optional<QDeadlineTimer> OperationBudget::deadline(std::chrono::milliseconds wanted)
{
    OperationBudget *budget = tCurrent;
    if (!budget)
        return std::nullopt;
    if (!budget->m_deadline)
        budget->m_deadline = QDeadlineTimer(wanted * budget->m_share);
    return budget->m_deadline;
}

std::chrono::milliseconds OperationBudget::limit(std::chrono::milliseconds wanted)
{
    const std::optional<QDeadlineTimer> end = deadline(wanted);
    if (!end)
        return wanted;
    return std::min(wanted, std::chrono::milliseconds(end->remainingTime()));
}

} // namespace automation
