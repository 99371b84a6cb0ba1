#include "browser/Pause.h"
#include "tests/browser/DoubleScene.h"

#include <QElapsedTimer>

#include <limits>

TEST(Pause, sleepsUntilTheEnd)
{
    FakeClock clock{36000.0f};
    browser::pause(2.5f, clock.pauseClock());
    EXPECT_FLOAT_EQ(clock.now, 36002.5f);
}

TEST(Pause, crossesMidnight)
{
    FakeClock clock{86399.8f};
    browser::pause(0.5f, clock.pauseClock());
    EXPECT_NEAR(clock.now, 0.3f, 0.02f);
    EXPECT_NEAR(clock.slept, 0.5f, 0.02f);
}

TEST(Pause, nothingToWaitForReturnsAtOnce)
{
    FakeClock clock{100.0f};
    for (float seconds : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()})
        browser::pause(seconds, clock.pauseClock());
    EXPECT_EQ(clock.slept, 0.0f);
}

TEST(Pause, systemClockSleeps)
{
    QElapsedTimer timer;
    timer.start();
    browser::pause(0.05f);
    EXPECT_GE(timer.elapsed(), 45);
}

using WaitOnTheClock = DoubleScene;

TEST_F(WaitOnTheClock, waitCrossesMidnight)
{
    clock.now = 86399.8f;
    hv.Wait(0.5f);
    EXPECT_NEAR(clock.now, 0.3f, 0.02f);
}
