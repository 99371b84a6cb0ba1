#include "tests/support/chromium/ChromiumFixture.h"

#include <QDeadlineTimer>
#include <QThread>

namespace testsupport {

using namespace Qt::StringLiterals;

namespace {
// Every program that links the fixture starts one browser before its tests.
ChromiumEnvironment *const g_environment =
    static_cast<ChromiumEnvironment *>(::testing::AddGlobalTestEnvironment(new ChromiumEnvironment));
}

void ChromiumEnvironment::SetUp()
{
    m_server = std::make_unique<TestHttpServer>();
    m_chromium = std::make_unique<HeadlessChromium>();
    m_chromium->start(m_server->port());
}

void ChromiumEnvironment::TearDown()
{
    m_chromium.reset();
    m_server.reset();
}

ChromiumEnvironment &ChromiumEnvironment::instance()
{
    return *g_environment;
}

bool eventually(const std::function<bool()> &cond, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (cond())
            return true;
        QThread::msleep(20);
    }
    return cond();
}

chromium::ChromiumOptions ChromiumTest::options() const
{
    return {};
}

std::shared_ptr<chromium::ChromiumShellWindows>
ChromiumTest::makeShellWindows(const chromium::ChromiumOptions &options) const
{
    return std::make_shared<chromium::ChromiumShellWindows>(
        QList<chromium::DevToolsEndpoint>{ChromiumEnvironment::instance().chromium().endpoint()}, options);
}

void ChromiumTest::SetUp()
{
    shell = makeShellWindows(options());
    // A headless browser lives on without tabs.
    for (qint32 i = shell->count() - 1; i >= 0; --i)
        shell->item(i)->quit();
    ASSERT_TRUE(eventually([&] { return shell->count() == 0; }));
}

void ChromiumTest::waitUntilComplete(const automation::BrowserPtr &browser)
{
    ASSERT_TRUE(eventually([&] { return browser->readyState() == 4 && !browser->busy(); }, 10000));
}

automation::BrowserPtr ChromiumTest::openUrl(const QString &url)
{
    automation::BrowserPtr browser = shell->createBrowser();
    browser->navigate(url);
    waitUntilComplete(browser);
    return browser;
}

automation::BrowserPtr ChromiumTest::openPage(const QString &path, const QString &html)
{
    server().setPage(path, html);
    return openUrl(server().url(path));
}

} // namespace testsupport
