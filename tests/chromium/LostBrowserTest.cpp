// A browser that goes away while a call waits on one of its tabs: the call
// fails as soon as the socket has closed, with the browser gone, instead of
// waiting out its deadline for events that can no longer come.
#include "platform/chromium/ChromiumShellWindows.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/chromium/ChromiumFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

// A browser of the test's own, since the test kills it.
class LostBrowser : public ::testing::Test
{
protected:
    void SetUp() override { chromium.start(server.port()); }

    std::shared_ptr<chromium::ChromiumShellWindows> shellWaiting(std::chrono::milliseconds deadline)
    {
        chromium::ChromiumOptions options;
        options.callTimeout = deadline;
        return std::make_shared<chromium::ChromiumShellWindows>(
            QList<chromium::DevToolsEndpoint>{chromium.endpoint()}, options);
    }

    // The tab showing url, as a collection that connects now sees it.
    static automation::BrowserPtr tabShowing(automation::ShellWindows &shell, const QString &url)
    {
        for (qint32 i = 0; i < shell.count(); ++i) {
            automation::BrowserPtr tab = shell.item(i);
            if (tab->locationURL() == url)
                return tab;
        }
        return nullptr;
    }

    testsupport::TestHttpServer server;
    testsupport::HeadlessChromium chromium;
};

} // namespace

TEST_F(LostBrowser, AWaitForATabsSetUpEndsWithTheSocket)
{
    server.setPage(u"/busy.html"_s, u"<title>busy</title><p id=p>x</p>"
                                    "<button id=b onclick='setTimeout(() => { for (;;) {} })'>busy</button>"_s);
    const QString url = server.url(u"/busy.html"_s);
    {
        // The click's script takes the renderer for good, so that a
        // collection that connects afterwards cannot finish setting the tab up.
        auto opener = shellWaiting(std::chrono::seconds(15));
        const automation::BrowserPtr tab = opener->createBrowser();
        ASSERT_TRUE(testsupport::navigateAndWait(tab, url));
        testsupport::elementById(tab->document(), u"b"_s)->invoke(u"click"_s);
    }

    // Its calls would wait a minute: a failure that comes sooner came from
    // the closed socket.
    auto shell = shellWaiting(std::chrono::seconds(60));
    const automation::BrowserPtr tab = tabShowing(*shell, url);
    ASSERT_TRUE(tab);
    std::thread killer([pid = pid_t(chromium.pid())] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::kill(pid, SIGKILL);
    });
    const qint32 number = testsupport::errorNumber([&] { tab->readyState(); });
    killer.join();
    EXPECT_EQ(number, AutomationError::ServerUnavailable);
}
