#pragma once

#include "platform/chromium/ChromiumEndpoint.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "tests/support/chromium/HeadlessChromium.h"
#include "tests/support/chromium/TestHttpServer.h"

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

// One headless Chromium and one page server for a whole test program, since
// starting Chromium costs about a second.
class ChromiumEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;

    static ChromiumEnvironment &instance();
    HeadlessChromium &chromium() { return *m_chromium; }
    TestHttpServer &server() { return *m_server; }

private:
    std::unique_ptr<HeadlessChromium> m_chromium;
    std::unique_ptr<TestHttpServer> m_server;
};

// Each test gets its own collection on the shared browser and starts with no
// tabs.
class ChromiumTest : public ::testing::Test
{
protected:
    void SetUp() override;

    virtual chromium::ChromiumOptions options() const;
    TestHttpServer &server() { return ChromiumEnvironment::instance().server(); }
    // Opens a new tab on a page served at path and waits until it has loaded.
    automation::BrowserPtr openPage(const QString &path, const QString &html);
    automation::BrowserPtr openUrl(const QString &url);
    static void waitUntilComplete(const automation::BrowserPtr &browser);

    std::shared_ptr<chromium::ChromiumShellWindows> shell;
};

// The shared browser stopped as a swapping machine or a debugger stops it,
// and let go again whatever the test does.
class StoppedBrowser
{
public:
    StoppedBrowser();
    ~StoppedBrowser();
    StoppedBrowser(const StoppedBrowser &) = delete;
    StoppedBrowser &operator=(const StoppedBrowser &) = delete;
    void resume();

private:
    qint64 m_pid;
};

// Polls cond (no event loop) for up to timeoutMs; true when it came true.
bool eventually(const std::function<bool()> &cond, int timeoutMs = 5000);

// A collection on the shared browser with every tab closed first.
std::shared_ptr<chromium::ChromiumShellWindows> emptyShellWindows(const chromium::ChromiumOptions &options = {});

// The element with that identifier or name. A missing one throws, which the
// test runner reports as a failure, where a null element would crash it.
automation::ElementPtr elementById(const automation::DocumentPtr &document, const QString &id);

// Sends the browser to url; true once the page has loaded.
bool navigateAndWait(const automation::BrowserPtr &browser, const QString &url);

// The tab of the endpoint that shows url, for speaking to it directly; null
// when none does.
chromium::TabPtr tabShowing(chromium::ChromiumEndpoint &endpoint, const QString &url);

} // namespace testsupport
