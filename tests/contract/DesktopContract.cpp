#include "tests/contract/DesktopContract.h"

#include "browser/CWebBrowserHV.h"
#include "tests/support/QtPrinting.h"

using namespace Qt::StringLiterals;

TEST_P(DesktopContract, emptyDesktopFindsNothing)
{
    CWebBrowserHV hv(desktop.shellWindows);
    EXPECT_EQ(hv.WindowCount(), 0);
    EXPECT_EQ(hv.GetWebPageCount(), 0);
    EXPECT_EQ(hv.Windows(0), nullptr);
    EXPECT_EQ(hv.GetInternetExplorer(1), nullptr);
    qint32 hWnd = 0x1234;
    EXPECT_EQ(hv.GetIE(hWnd), nullptr);
    hWnd = 0;
    EXPECT_EQ(hv.GetIE(hWnd), nullptr);
    EXPECT_EQ(hv.GetReadyStateStr(nullptr), u"準備中"_s);
    EXPECT_EQ(hv.GetWebPageTitle(nullptr), QString());
}

TEST_P(DesktopContract, onlyHttpAddressesAreWebPages)
{
    const auto http = desktop.open(u"http://a.test/"_s);
    const auto blank = desktop.open(u"about:blank"_s);
    const auto https = desktop.open(u"https://b.test/"_s);
    CWebBrowserHV hv(desktop.shellWindows);

    ASSERT_EQ(hv.WindowCount(), 3);
    EXPECT_EQ(hv.GetWebPageCount(), 2);
    for (const auto &window : {http, blank, https})
        EXPECT_TRUE(hv.IsIE(window));
    EXPECT_TRUE(hv.IsWebPage(http));
    EXPECT_FALSE(hv.IsWebPage(blank));
    EXPECT_TRUE(hv.IsWebPage(https));
    EXPECT_EQ(hv.GetIE_URL(blank), QString());
    EXPECT_EQ(hv.GetWebPageTitle(blank), QString());
    EXPECT_EQ(hv.GetIE_URL(https), https->locationURL());

    EXPECT_EQ(hv.Windows(-1), nullptr);
    EXPECT_EQ(hv.Windows(3), nullptr);
    EXPECT_EQ(hv.GetInternetExplorer(0), nullptr);
    EXPECT_EQ(hv.GetInternetExplorer(3), nullptr);
    EXPECT_EQ(hv.GetIE_hWnd(hv.GetInternetExplorer(2)), hv.GetIE_hWnd(https));
}

TEST_P(DesktopContract, handleFindsOnlyWebPagesButAnyWindowByObject)
{
    const auto page = desktop.open(u"http://a.test/"_s);
    const auto blank = desktop.open(u"about:blank"_s);
    CWebBrowserHV hv(desktop.shellWindows);

    qint32 pageHandle = hv.GetIE_hWnd(page);
    ASSERT_NE(pageHandle, 0);
    EXPECT_EQ(hv.GetIE_hWnd(hv.GetIE(pageHandle)), pageHandle);

    qint32 blankHandle = hv.GetIE_hWnd(blank);
    EXPECT_EQ(hv.GetIE(blankHandle), nullptr);
    EXPECT_EQ(hv.GetIE_hWnd(hv.GetObjectIE(blankHandle)), blankHandle);
}

TEST_P(DesktopContract, closedBrowserReadsAsNothingWithoutErrors)
{
    const auto page = desktop.open(u"http://a.test/"_s);
    CWebBrowserHV hv(desktop.shellWindows);
    ASSERT_TRUE(hv.SetIe(page));
    qint32 handle = hv.GetIE_hWnd(page);
    page->quit();

    EXPECT_FALSE(hv.IsIE(page));
    EXPECT_FALSE(hv.IsWebPage(page));
    EXPECT_EQ(hv.GetIE_hWnd(page), 0);
    EXPECT_EQ(hv.GetIE(handle), nullptr);
    EXPECT_EQ(hv.GetReadyStateStr(page), u"準備中"_s);
    EXPECT_EQ(hv.GetIE_URL(page), QString());
    EXPECT_EQ(hv.GetWebPageTitle(page), QString());
    EXPECT_EQ(hv.GetStatusText(), QString());
    EXPECT_NO_THROW(hv.ViewToolBar(true));
    EXPECT_EQ(hv.GetDoc(), nullptr);
}

TEST_P(DesktopContract, currentBrowserIsOnlyEverAWebPage)
{
    const auto first = desktop.open(u"http://a.test/"_s);
    const auto blank = desktop.open(u"about:blank"_s);
    const auto gone = desktop.open(u"http://b.test/"_s);
    gone->quit();
    CWebBrowserHV hv(desktop.shellWindows);

    EXPECT_EQ(hv.CheckIE(nullptr), nullptr);
    ASSERT_TRUE(hv.SetIe(first));
    EXPECT_FALSE(hv.SetIe(blank));
    EXPECT_FALSE(hv.SetIe(gone));
    EXPECT_FALSE(hv.SetIe(nullptr));

    EXPECT_EQ(hv.CheckIE(nullptr), first);
    EXPECT_EQ(hv.CheckIE(blank), blank);
    EXPECT_EQ(hv.GetWebPageTitle(nullptr), first->locationName());
    EXPECT_EQ(hv.GetIE_URL(nullptr), QString());
    EXPECT_EQ(hv.GetReadyStateStr(nullptr), u"完了"_s);
    EXPECT_NE(hv.GetDoc(), nullptr);
}
