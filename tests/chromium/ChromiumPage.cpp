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
    auto shell = std::make_shared<chromium::ChromiumShellWindows>(
        QList<chromium::DevToolsEndpoint>{environment.chromium().endpoint()});
    auto browser = shell->createBrowser();
    const auto load = [browser](const QString &url) {
        browser->navigate(url);
        testsupport::eventually([&] { return browser->readyState() == 4 && !browser->busy(); }, 10000);
    };
    load(environment.server().url(u"/contract.html"_s));
    return {browser, [load, shell, &environment] { load(environment.server().url(u"/elsewhere.html"_s)); }};
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Chromium, PageContract, ::testing::Values(PageSceneMaker{"chromium", chromiumPage}),
                         [](const auto &info) { return info.param.name; });
