// The addresses of the browsers' DevTools endpoints, as given to vorlane-cli.
#include "platform/automation/AutomationError.h"
#include "platform/chromium/DevToolsEndpoint.h"
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using automation::AutomationError;

TEST(DevToolsEndpoint, BrowserSocketAddressesAndBracketedIpv6)
{
    const chromium::DevToolsEndpoint socket = chromium::parseEndpoint(u"ws://127.0.0.1:9333/devtools/browser/ab-1"_s);
    EXPECT_EQ(socket.port, 9333);
    EXPECT_EQ(socket.browserPath, u"/devtools/browser/ab-1"_s);
    EXPECT_EQ(socket.display(), u"ws://127.0.0.1:9333"_s); // the socket's path stays out of messages
    // Used as given: nothing is asked of port 1.
    EXPECT_EQ(chromium::browserSocketUrl(socket, std::chrono::milliseconds(1)).toString(),
              u"ws://127.0.0.1:9333/devtools/browser/ab-1"_s);

    EXPECT_EQ(chromium::parseEndpoint(u"http://[::1]:9222"_s).display(), u"http://[::1]:9222"_s);
    EXPECT_EQ(chromium::parseEndpoint(u"ws://[::1]:9222/devtools/browser/x"_s).display(), u"ws://[::1]:9222"_s);
    for (const QString &bad :
         {u"ws://127.0.0.1:9222/devtools/page/x"_s, u"ws://10.0.0.1:9222/devtools/browser/x"_s,
          u"ws://127.0.0.1:9222/devtools/browser/"_s, u"wss://127.0.0.1:9222/devtools/browser/x"_s})
        EXPECT_THROW(chromium::parseEndpoint(bad), AutomationError) << bad.toStdString();

    EXPECT_TRUE(chromium::parseEndpointList(u" , ,"_s).isEmpty());
    const QList<chromium::DevToolsEndpoint> two =
        chromium::parseEndpointList(u"http://127.0.0.1:1, ,http://localhost:2"_s);
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two[1].port, 2);
}
