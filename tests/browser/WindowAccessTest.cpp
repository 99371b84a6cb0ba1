#include "tests/browser/DoubleScene.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;
using automation::doubles::ForeignObject;

using WindowAccess = DoubleScene;

TEST_F(WindowAccess, unreadableHandleMatchesNoHandle)
{
    // Before, a failed read let the previous window's handle stand in.
    const auto blank = shell->open(u"about:blank"_s, 0x100);
    const auto unreadable = shell->open(u"http://a.test/"_s, 0x200);
    unreadable->failOn(u"HWND"_s, AutomationError::ServerUnavailable);

    qint32 hWnd = 0x100;
    EXPECT_EQ(hv.GetIE(hWnd), nullptr);
    EXPECT_EQ(hv.GetIE_hWnd(unreadable), 0);
    hWnd = 0;
    EXPECT_EQ(hv.GetIE(hWnd), nullptr);
    EXPECT_EQ(hWnd, 0);
}

TEST_F(WindowAccess, handleZeroMeansTheBasePage)
{
    shell->open(u"http://a.test/"_s);
    hv.CreateBasePage(-1);
    const qint32 base = hv.GetHandleBasePage();

    qint32 hWnd = 0;
    const auto found = hv.GetIE(hWnd);
    EXPECT_EQ(hWnd, base);
    EXPECT_EQ(found, shell->windows().last());
}

TEST_F(WindowAccess, countsAbove32767Overflow)
{
    for (int i = 0; i < 32767; ++i)
        shell->open(u"http://a.test/"_s);
    EXPECT_EQ(hv.GetWebPageCount(), 32767);
    shell->open(u"https://b.test/"_s);
    EXPECT_EQ(errorOf([&] { hv.GetWebPageCount(); }), AutomationError::Overflow);
    EXPECT_EQ(errorOf([&] { hv.WindowCount(); }), AutomationError::Overflow);
    EXPECT_EQ(errorOf([&] { hv.GetInternetExplorer(1); }), AutomationError::Overflow);
}

TEST_F(WindowAccess, reportedCountAbove32767Overflows)
{
    shell->reportCount(40000);
    EXPECT_EQ(errorOf([&] { hv.WindowCount(); }), AutomationError::Overflow);
    EXPECT_EQ(hv.Windows(100), nullptr);
}

TEST_F(WindowAccess, collectionFailuresReachTheCaller)
{
    const auto page = shell->open(u"http://a.test/"_s);
    shell->failOn(u"Count"_s, AutomationError::AutomationFailure);
    qint32 hWnd = page->state().hwnd;
    EXPECT_EQ(errorOf([&] { hv.WindowCount(); }), AutomationError::AutomationFailure);
    EXPECT_EQ(errorOf([&] { hv.GetWebPageCount(); }), AutomationError::AutomationFailure);
    EXPECT_EQ(errorOf([&] { hv.GetIE(hWnd); }), AutomationError::AutomationFailure);
    EXPECT_EQ(errorOf([&] { hv.Windows(0); }), AutomationError::AutomationFailure);
    EXPECT_TRUE(hv.IsWebPage(page));

    shell->clearFailure(u"Count"_s);
    shell->failOn(u"Item"_s, AutomationError::ServerUnavailable);
    EXPECT_EQ(errorOf([&] { hv.GetObjectIE(hWnd); }), AutomationError::ServerUnavailable);
    shell->clearFailure(u"Item"_s);
    page->failOn(u"HWND"_s, AutomationError::ServerUnavailable);
    EXPECT_EQ(errorOf([&] { hv.GetObjectIE(hWnd); }), AutomationError::ServerUnavailable);
}

TEST_F(WindowAccess, ordinalWalkShowsEveryPagePassed)
{
    const auto first = shell->open(u"http://a.test/"_s);
    const auto folder = shell->open(u"file:///home/"_s);
    const auto second = shell->open(u"http://b.test/"_s);
    const auto third = shell->open(u"http://c.test/"_s);
    for (const auto &window : shell->windows())
        window->state().visible = false;

    EXPECT_EQ(hv.GetInternetExplorer(2), second);
    EXPECT_TRUE(first->state().visible);
    EXPECT_FALSE(folder->state().visible);
    EXPECT_TRUE(second->state().visible);
    EXPECT_FALSE(third->state().visible);

    first->failOn(u"Visible"_s, AutomationError::PermissionDenied);
    EXPECT_EQ(errorOf([&] { hv.GetInternetExplorer(1); }), AutomationError::PermissionDenied);
}

TEST_F(WindowAccess, browserTestNeedsTheBrowserTypeName)
{
    const auto page = shell->open(u"http://a.test/"_s);
    const auto shouting = shell->open(u"HTTP://A.TEST/"_s);
    const auto folderView = std::make_shared<ForeignObject>(u"ShellFolderView"_s);
    ASSERT_TRUE(hv.SetIe(page));

    EXPECT_FALSE(hv.IsIE(folderView));
    EXPECT_FALSE(hv.SetIe(folderView));
    EXPECT_FALSE(hv.IsWebPage(shouting));
    EXPECT_EQ(hv.CheckIE(folderView), page);

    page->failOn(u"typeName"_s, AutomationError::AutomationFailure);
    EXPECT_FALSE(hv.IsIE(page));
    EXPECT_EQ(hv.GetIE_hWnd(page), 0);
    page->clearFailure(u"typeName"_s);
    page->failOn(u"LocationURL"_s, AutomationError::ServerUnavailable);
    EXPECT_TRUE(hv.IsIE(page));
    EXPECT_FALSE(hv.IsWebPage(page));
}

TEST_F(WindowAccess, documentFailuresReachTheCaller)
{
    const auto page = shell->open(u"http://a.test/"_s);
    ASSERT_TRUE(hv.SetIe(page));
    EXPECT_EQ(hv.GetDoc(), page->page());
    page->failOn(u"Document"_s, AutomationError::AutomationFailure);
    EXPECT_EQ(errorOf([&] { hv.GetDoc(); }), AutomationError::AutomationFailure);
}

TEST(WindowAccessCreation, needsACollection)
{
    EXPECT_EQ(errorOf([] { CWebBrowserHV hv(nullptr); }), AutomationError::ObjectNotSet);
}
