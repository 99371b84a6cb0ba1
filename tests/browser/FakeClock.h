#pragma once

#include "browser/Pause.h"

// A seconds-since-midnight clock that moves only when slept on, and wraps
// at midnight like the real one.
struct FakeClock
{
    float now = 0.0f;
    float slept = 0.0f;

    browser::PauseClock pauseClock()
    {
        return {
            [this] { return now; },
            [this](float seconds) {
                slept += seconds;
                now += seconds;
                if (now >= 86400.0f)
                    now -= 86400.0f;
            },
        };
    }
};
