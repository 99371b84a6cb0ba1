#include "browser/Pause.h"

#include <QTime>

#include <chrono>
#include <thread>

namespace browser {

PauseClock PauseClock::system()
{
    return {
        [] { return float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f; },
        [](float seconds) { std::this_thread::sleep_for(std::chrono::duration<float>(seconds)); },
    };
}

void pause(float seconds, const PauseClock &clock)
{
    if (!(seconds > 0.0f))
        return;
    const float start = clock.secondsSinceMidnight();
    float end = start + seconds;
    for (;;) {
        // The clock restarts at 0 at midnight; the end moves back with it once.
        if (clock.secondsSinceMidnight() < start && start <= end)
            end -= 86400.0f;
        const float now = clock.secondsSinceMidnight();
        if (now >= end)
            return;
        clock.sleep(end - now);
    }
}

} // namespace browser
