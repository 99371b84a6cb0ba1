#include "bench/inspector/StallMeter.h"

#include <algorithm>
#include <chrono>

namespace bench {

namespace {

constexpr std::chrono::milliseconds kTick{10};
constexpr qint64 kStallNs = 100'000'000;

} // namespace

StallMeter::StallMeter()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTick);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
}

void StallMeter::start()
{
    m_totalNs = 0;
    m_longestNs = 0;
    m_clock.start();
    m_lastNs = 0;
    m_timer.start();
}

void StallMeter::stop()
{
    // The gap still open counts too.
    tick();
    m_timer.stop();
}

void StallMeter::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    const qint64 gap = now - m_lastNs;
    m_lastNs = now;
    if (gap <= kStallNs)
        return;
    m_totalNs += gap;
    m_longestNs = std::max(m_longestNs, gap);
}

} // namespace bench
