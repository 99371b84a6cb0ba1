// The browser access class on real tabs: what the browser list shows.
#include "browser/BrowserList.h"
#include "tests/support/chromium/ChromiumFixture.h"

using namespace Qt::StringLiterals;
using testsupport::ChromiumTest;
using testsupport::eventually;

TEST_F(ChromiumTest, ListShowsStateAddressTitleAndHandle)
{
    auto done = openPage(u"/done.html"_s, u"<title>完了したページ｜ﾃｽﾄ</title>"_s);
    auto slow = shell->createBrowser();
    slow->navigate(server().url(u"/slow?ms=1500"_s));
    auto blank = shell->createBrowser();

    CWebBrowserHV webBrowser(shell);
    QList<BrowserListRow> rows;
    // Listed once the navigation has committed; the blank tab is not a web page.
    ASSERT_TRUE(eventually([&] { return (rows = ReadBrowserList(webBrowser)).size() == 2; }));
    EXPECT_EQ(rows[0].No, 1);
    EXPECT_EQ(rows[0].Status, u"完了"_s);
    EXPECT_EQ(rows[0].URL, server().url(u"/done.html"_s));
    EXPECT_EQ(rows[0].LocationName, u"完了したページ｜ﾃｽﾄ"_s);
    EXPECT_EQ(rows[0].hWnd, HandleText(done->hwnd()));
    EXPECT_EQ(rows[0].hWnd.size(), 8);
    EXPECT_EQ(rows[1].Status, u"読込中"_s);

    ASSERT_TRUE(eventually([&] { return ReadBrowserList(webBrowser).value(1).Status == u"完了"_s; }));
    EXPECT_EQ(ReadBrowserList(webBrowser).value(1).LocationName, u"slow"_s);

    // A tab that leaves the web leaves the list; the rows after it move up.
    done->navigate(u"about:blank"_s);
    ASSERT_TRUE(eventually([&] { return ReadBrowserList(webBrowser).size() == 1; }));
    EXPECT_EQ(ReadBrowserList(webBrowser).front().hWnd, HandleText(slow->hwnd()));
    qint32 handle = blank->hwnd();
    EXPECT_EQ(webBrowser.GetIE(handle), nullptr);
}

TEST_F(ChromiumTest, CurrentBrowserBoundsAndBars)
{
    auto page = openPage(u"/size.html"_s, u"<title>size</title>"_s);
    CWebBrowserHV webBrowser(shell);
    ASSERT_TRUE(webBrowser.SetIe(page));
    webBrowser.SetSize(20, 10, 700, 500);
    qint16 left = 0, top = 0, width = 0, height = 0;
    webBrowser.GetSize(left, top, width, height);
    EXPECT_EQ(left, 20);
    EXPECT_EQ(top, 10);
    EXPECT_EQ(width, 700);
    EXPECT_EQ(height, 500);

    webBrowser.ViewToolBar(false);
    webBrowser.ViewMenuBar(false);
    EXPECT_EQ(page->toolBar(), 0);
    EXPECT_FALSE(page->menuBar());
    EXPECT_TRUE(page->addressBar());

    page->quit();
    EXPECT_NO_THROW(webBrowser.ViewToolBar(true));
    EXPECT_THROW(webBrowser.ViewMenuBar(true), automation::AutomationError);
}
