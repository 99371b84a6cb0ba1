#include "bench/inspector/FillWatches.h"

#include "bench/inspector/InspectorDriver.h"

#include <QWidget>

#include <algorithm>
#include <utility>

namespace bench {

RowsInViewShown::RowsInViewShown(TimedApplication &app, const InspectorDriver &inspector)
    : EventWatch(app)
    , m_app(app)
    , m_inspector(inspector)
    , m_viewport(inspector.gridViewport())
{
}

void RowsInViewShown::arm()
{
    m_armed = true;
    m_shownNs.reset();
    m_wholeNs.reset();
}

void RowsInViewShown::delivering(QObject *receiver, QEvent *event)
{
    // Judged before the paint: what it draws is what the rows hold now.
    if (m_armed && receiver == m_viewport && event->type() == QEvent::Paint) {
        m_paintShowsShort = !m_shownNs && m_inspector.rowsInViewFilled(false);
        m_paintShowsWhole = m_inspector.rowsInViewFilled(true);
    }
}

void RowsInViewShown::delivered(QObject *receiver, QEvent::Type type)
{
    if (receiver != m_viewport || type != QEvent::Paint)
        return;
    if (std::exchange(m_paintShowsShort, false))
        m_shownNs = m_app.nowNs();
    if (!std::exchange(m_paintShowsWhole, false))
        return;
    m_shownNs = m_shownNs.value_or(m_app.nowNs());
    m_wholeNs = m_app.nowNs();
    m_armed = false;
}

FillTicks::FillTicks(TimedApplication &app, const InspectorDriver &inspector)
    : EventWatch(app)
    , m_inspector(inspector)
{
    m_highest = m_inspector.statusFillCount().value_or(-1);
}

void FillTicks::mark()
{
    m_markTicks = m_ticks;
    m_highest = std::max(m_highest, m_inspector.statusFillCount().value_or(-1));
    m_rises.clear();
}

std::optional<int> FillTicks::ticksToRise() const
{
    return m_rises.isEmpty() ? std::nullopt : std::optional(m_rises.first());
}

std::optional<int> FillTicks::mostTicksBetweenRises() const
{
    if (m_rises.isEmpty())
        return std::nullopt;
    int most = m_rises.first();
    for (qsizetype i = 1; i < m_rises.size(); ++i)
        most = std::max(most, m_rises[i] - m_rises[i - 1]);
    return most;
}

void FillTicks::delivered(QObject *receiver, QEvent::Type type)
{
    if (receiver != m_inspector.stepTimer() || type != QEvent::Timer)
        return;
    ++m_ticks;
    // A status that tells no count (the browser not answering, say) is no rise.
    const std::optional<int> count = m_inspector.statusFillCount();
    if (count && *count > m_highest) {
        m_highest = *count;
        m_rises.append(m_ticks - m_markTicks);
    }
}

} // namespace bench
