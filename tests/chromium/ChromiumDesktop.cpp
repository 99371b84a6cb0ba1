// The browser access cases that run on the double, run again on Chromium, so
// that the double cannot drift from what a real browser does.
#include "tests/contract/DesktopContract.h"
#include "tests/support/chromium/ChromiumFixture.h"

namespace {

automation::BrowserPtr openAndLoad(automation::ShellWindows &shell, const QString &url)
{
    automation::BrowserPtr browser = shell.createBrowser();
    browser->navigate(url);
    testsupport::eventually([&] { return browser->readyState() == 4 && !browser->busy(); }, 10000);
    return browser;
}

Desktop chromiumDesktop()
{
    auto shell = std::make_shared<chromium::ChromiumShellWindows>(
        QList<chromium::DevToolsEndpoint>{testsupport::ChromiumEnvironment::instance().chromium().endpoint()});
    for (qint32 i = shell->count() - 1; i >= 0; --i)
        shell->item(i)->quit();
    testsupport::eventually([&] { return shell->count() == 0; });
    return Desktop{shell, [shell](const QString &url) { return openAndLoad(*shell, url); }};
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Chromium, DesktopContract, ::testing::Values(DesktopMaker{"chromium", chromiumDesktop}),
                         [](const auto &info) { return info.param.name; });
