#pragma once

#include <functional>

namespace browser {

// The clock and the sleep that pauses run on; tests put in their own so
// midnight can come at will.
struct PauseClock
{
    std::function<float()> secondsSinceMidnight;
    std::function<void(float seconds)> sleep;

    // Local wall-clock time and a real sleep of the thread.
    static PauseClock system();
};

// Blocks the calling thread for that many seconds, across midnight too.
// No events are processed meanwhile; zero, negative or NaN returns at once.
void pause(float seconds, const PauseClock &clock = PauseClock::system());

} // namespace browser
