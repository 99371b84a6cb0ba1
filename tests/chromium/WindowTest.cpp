// Window bounds and the bars that Chromium cannot switch.
#include "tests/support/chromium/ChromiumFixture.h"

using namespace Qt::StringLiterals;
using testsupport::ChromiumTest;

TEST_F(ChromiumTest, BoundsAreWrittenAndReadBack)
{
    auto browser = openPage(u"/bounds.html"_s, u"<title>b</title>"_s);
    browser->setLeft(40);
    browser->setTop(30);
    browser->setWidth(800);
    browser->setHeight(600);
    EXPECT_EQ(browser->left(), 40);
    EXPECT_EQ(browser->top(), 30);
    EXPECT_EQ(browser->width(), 800);
    EXPECT_EQ(browser->height(), 600);
    EXPECT_TRUE(browser->visible());
    browser->restoreWindow();
    browser->bringToFront();
}

TEST_F(ChromiumTest, BarsReadBackWhatWasWritten)
{
    auto browser = openPage(u"/bars.html"_s, u"<title>b</title>"_s);
    EXPECT_EQ(browser->toolBar(), 1);
    EXPECT_TRUE(browser->addressBar());
    browser->setToolBar(0);
    browser->setAddressBar(false);
    browser->setMenuBar(false);
    browser->setStatusBar(false);
    auto again = shell->item(shell->count() - 1);
    EXPECT_EQ(again->toolBar(), 0);
    EXPECT_FALSE(again->addressBar());
    EXPECT_FALSE(again->menuBar());
    EXPECT_FALSE(again->statusBar());
    EXPECT_TRUE(again->statusText().isEmpty());
}
