#include "tests/support/chromium/ChromiumFixture.h"

#include <QDeadlineTimer>
#include <QThread>

#include <csignal>
#include <stdexcept>

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

StoppedBrowser::StoppedBrowser()
    : m_pid(ChromiumEnvironment::instance().chromium().pid())
{
    ::kill(pid_t(m_pid), SIGSTOP);
}

StoppedBrowser::~StoppedBrowser()
{
    resume();
}

void StoppedBrowser::resume()
{
    ::kill(pid_t(m_pid), SIGCONT);
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

std::shared_ptr<chromium::ChromiumShellWindows> emptyShellWindows(const chromium::ChromiumOptions &options)
{
    auto shell = std::make_shared<chromium::ChromiumShellWindows>(
        QList<chromium::DevToolsEndpoint>{ChromiumEnvironment::instance().chromium().endpoint()}, options);
    // A headless browser lives on without tabs. A tab that the tests before
    // were still closing may leave the list between count() and item().
    for (qint32 i = shell->count() - 1; i >= 0; --i) {
        try {
            if (const automation::BrowserPtr browser = shell->item(i))
                browser->quit();
        } catch (const automation::AutomationError &e) {
            // Gone already: the tests before may still be closing theirs.
            if (e.number() != automation::AutomationError::ServerUnavailable)
                throw;
        }
    }
    eventually([&] { return shell->count() == 0; });
    return shell;
}

namespace {
bool loadsWithin10s(const automation::BrowserPtr &browser)
{
    return eventually([&] { return browser->readyState() == automation::ReadyState::Complete && !browser->busy(); }, 10000);
}
} // namespace

automation::ElementPtr elementById(const automation::DocumentPtr &document, const QString &id)
{
    automation::ElementPtr element = document->getElementById(id);
    if (!element)
        throw std::runtime_error("no element " + id.toStdString());
    return element;
}

bool navigateAndWait(const automation::BrowserPtr &browser, const QString &url)
{
    browser->navigate(url);
    return loadsWithin10s(browser);
}

chromium::TabPtr tabShowing(chromium::ChromiumEndpoint &endpoint, const QString &url)
{
    for (const chromium::TabPtr &tab : endpoint.tabs()) {
        if (endpoint.info(*tab).url == url)
            return tab;
    }
    return nullptr;
}

void ChromiumTest::SetUp()
{
    shell = emptyShellWindows(options());
    ASSERT_EQ(shell->count(), 0);
}

void ChromiumTest::waitUntilComplete(const automation::BrowserPtr &browser)
{
    ASSERT_TRUE(loadsWithin10s(browser));
}

automation::BrowserPtr ChromiumTest::openUrl(const QString &url)
{
    automation::BrowserPtr browser = shell->createBrowser();
    EXPECT_TRUE(navigateAndWait(browser, url)) << url.toStdString();
    return browser;
}

automation::BrowserPtr ChromiumTest::openPage(const QString &path, const QString &html)
{
    server().setPage(path, html);
    return openUrl(server().url(path));
}

} // namespace testsupport
