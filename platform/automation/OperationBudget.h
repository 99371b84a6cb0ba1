#pragma once

#include <QDeadlineTimer>

#include <chrono>
#include <optional>

namespace automation {

// One time limit for everything an operation the user waits on does in the
// browser (a list pass, binding a page, a search, a row fill), so that its
// waits do not add up: the first wait starts the clock with its own
// deadline, stretched by the operation's share, and every later wait gets
// only what is left. Only the outermost budget on a thread counts.
class OperationBudget
{
public:
    using Clock = std::chrono::steady_clock;
    using Now = Clock::time_point (*)();

    // share: how many call deadlines the whole operation may take.
    explicit OperationBudget(int share = 1);
    ~OperationBudget();
    OperationBudget(const OperationBudget &) = delete;
    OperationBudget &operator=(const OperationBudget &) = delete;

    // What a wait with that deadline may take now on this thread: wanted
    // outside any budget, else what is left of it (zero when it ran out).
    static std::chrono::milliseconds limit(std::chrono::milliseconds wanted);
    // When the budget on this thread ends, starting its clock as limit()
    // does; none outside any budget.
    static std::optional<QDeadlineTimer> deadline(std::chrono::milliseconds wanted);

    // The clock that budgets read, so that a test can move time itself;
    // nullptr puts the steady clock back.
    static void setClock(Now now);

private:
    // What is left of the budget on this thread, its clock started if it
    // was not; none outside any budget.
    static std::optional<Clock::duration> remaining(std::chrono::milliseconds wanted);

    const int m_share;
    bool m_outermost = false;
    std::optional<Clock::time_point> m_end;
};

} // namespace automation
