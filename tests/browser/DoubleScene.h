#pragma once

#include "browser/CWebBrowserHV.h"
#include "tests/browser/FakeClock.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/automation_double/ForeignObject.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"

#include <gtest/gtest.h>

// CWebBrowserHV over the scripted desktop, on a clock that moves only
// when it sleeps.
class DoubleScene : public ::testing::Test
{
protected:
    std::shared_ptr<automation::doubles::ShellWindowsDouble> shell =
        std::make_shared<automation::doubles::ShellWindowsDouble>();
    FakeClock clock;
    CWebBrowserHV hv{shell, clock.pauseClock()};
};

// Runs `call` and gives the automation error number it raised, 0 if none.
template<typename Call>
qint32 errorOf(Call &&call)
{
    try {
        call();
    } catch (const automation::AutomationError &error) {
        return error.number();
    }
    return 0;
}
