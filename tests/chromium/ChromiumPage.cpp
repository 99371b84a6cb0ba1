#include "tests/contract/PageContract.h"
#include "tests/support/chromium/ChromiumFixture.h"

using namespace Qt::StringLiterals;

namespace {

PageScene chromiumPage()
{
    auto &environment = testsupport::ChromiumEnvironment::instance();
    environment.server().setPage(u"/contract.html"_s,
                                 u"<title>contract</title><div id=box>box</div><input id=field name=q value=v>"
                                 u"<span name=named>named</span>"_s);
    environment.server().setPage(u"/elsewhere.html"_s, u"<title>elsewhere</title>"_s);
    auto shell = testsupport::emptyShellWindows();
    auto browser = shell->createBrowser();
    testsupport::navigateAndWait(browser, environment.server().url(u"/contract.html"_s));
    return {browser, [browser, shell, &environment] {
                testsupport::navigateAndWait(browser, environment.server().url(u"/elsewhere.html"_s));
            }};
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Chromium, PageContract, ::testing::Values(PageSceneMaker{"chromium", chromiumPage}),
                         [](const auto &info) { return info.param.name; });
