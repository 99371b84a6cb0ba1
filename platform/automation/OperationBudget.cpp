#include "platform/automation/OperationBudget.h"

#include <algorithm>
#include <atomic>

namespace automation {

namespace {
thread_local OperationBudget *tCurrent = nullptr;
std::atomic<OperationBudget::Now> gNow = &OperationBudget::Clock::now;
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

void OperationBudget::setClock(Now now)
{
    gNow = now ? now : &Clock::now;
}

std::optional<OperationBudget::Clock::duration> OperationBudget::remaining(std::chrono::milliseconds wanted)
{
    OperationBudget *budget = tCurrent;
    if (!budget)
        return std::nullopt;
    const Clock::time_point now = gNow.load()();
    if (!budget->m_end)
        budget->m_end = now + wanted * budget->m_share;
    return std::max(*budget->m_end - now, Clock::duration::zero());
}

std::optional<QDeadlineTimer> OperationBudget::deadline(std::chrono::milliseconds wanted)
{
    const std::optional<Clock::duration> left = remaining(wanted);
    if (!left)
        return std::nullopt;
    return QDeadlineTimer(*left);
}

std::chrono::milliseconds OperationBudget::limit(std::chrono::milliseconds wanted)
{
    const std::optional<Clock::duration> left = remaining(wanted);
    if (!left)
        return wanted;
    return std::min(wanted, std::chrono::duration_cast<std::chrono::milliseconds>(*left));
}

} // namespace automation
