#include "tests/contract/DesktopContract.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"

INSTANTIATE_TEST_SUITE_P(
    AutomationDouble, DesktopContract,
    ::testing::Values(DesktopMaker{"double", [] {
        auto shell = std::make_shared<automation::doubles::ShellWindowsDouble>();
        return Desktop{shell, [shell](const QString &url) { return automation::BrowserPtr(shell->open(url)); }};
    }}),
    [](const auto &info) { return info.param.name; });
