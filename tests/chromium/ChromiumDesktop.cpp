// The browser access cases that run on the double, run again on Chromium, so
// that the double cannot drift from what a real browser does.
#include "tests/contract/DesktopContract.h"
#include "tests/support/chromium/ChromiumFixture.h"

namespace {

Desktop chromiumDesktop()
{
    auto shell = testsupport::emptyShellWindows();
    return Desktop{shell, [shell](const QString &url) {
                       automation::BrowserPtr browser = shell->createBrowser();
                       testsupport::navigateAndWait(browser, url);
                       return browser;
                   }};
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Chromium, DesktopContract, ::testing::Values(DesktopMaker{"chromium", chromiumDesktop}),
                         [](const auto &info) { return info.param.name; });
