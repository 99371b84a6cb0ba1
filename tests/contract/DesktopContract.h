#pragma once

#include "platform/automation/Automation.h"

#include <gtest/gtest.h>

#include <functional>

// A desktop the browser access cases can run on: its shell window
// collection, and a way to open a window showing an address that is
// loaded when `open` returns.
struct Desktop
{
    std::shared_ptr<automation::ShellWindows> shellWindows;
    std::function<automation::BrowserPtr(const QString &url)> open;
};

struct DesktopMaker
{
    std::string name;
    std::function<Desktop()> make;
};

class DesktopContract : public ::testing::TestWithParam<DesktopMaker>
{
protected:
    Desktop desktop = GetParam().make();
};
