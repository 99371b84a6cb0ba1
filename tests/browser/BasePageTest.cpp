#include "tests/browser/DoubleScene.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;

using BasePage = DoubleScene;

TEST_F(BasePage, openStartsOneBrowserAndNavigatesItAfterwards)
{
    hv.OpenBasePage({}, 0);
    ASSERT_EQ(shell->windows().size(), 1);
    const auto base = shell->windows().first();
    EXPECT_EQ(base->state().url, u"http://home.test/"_s);
    EXPECT_EQ(base->state().toolBar, 0);
    EXPECT_EQ(hv.GetHandleBasePage(), base->state().hwnd);
    EXPECT_TRUE(hv.IsBasePage());
    EXPECT_NEAR(clock.slept, 0.1f, 0.01f);

    hv.OpenBasePage(u"http://next.test/"_s, 1);
    EXPECT_EQ(shell->windows().size(), 1);
    EXPECT_EQ(base->state().url, u"http://next.test/"_s);
    EXPECT_EQ(base->state().toolBar, 0);
}

TEST_F(BasePage, openGivesUpAfterSixtyPolls)
{
    hv.CreateBasePage(-1);
    shell->windows().first()->failOn(u"ReadyState"_s, AutomationError::AutomationFailure);
    hv.OpenBasePage({}, -1);
    EXPECT_NEAR(clock.slept, 6.0f, 0.05f);
}

TEST_F(BasePage, closedOrUnreadableBasePageIsNotOpen)
{
    hv.CreateBasePage(-1);
    const auto base = shell->windows().first();
    const qint32 handle = base->state().hwnd;
    base->failOn(u"HWND"_s, AutomationError::ServerUnavailable);
    EXPECT_FALSE(hv.IsBasePage());

    base->close();
    EXPECT_FALSE(hv.IsBasePage());
    EXPECT_EQ(hv.GetHandleBasePage(), handle);
    EXPECT_NO_THROW(hv.SetPosBasePage(1, 2, 3, 4));
}

TEST_F(BasePage, failedStartFallsBackOnTheCurrentBrowser)
{
    const auto page = shell->open(u"http://a.test/"_s);
    page->state().toolBar = 0;
    ASSERT_TRUE(hv.SetIe(page));
    shell->failOn(u"createBrowser"_s, AutomationError::AutomationFailure);
    hv.CreateBasePage(1);
    EXPECT_EQ(hv.GetHandleBasePage(), page->state().hwnd);
    EXPECT_EQ(page->state().toolBar, 1);
}

TEST_F(BasePage, activatingAndPlacing)
{
    hv.CreateBasePage(-1);
    const auto base = shell->windows().first();
    hv.ActiveBasePage();
    EXPECT_TRUE(base->journal().contains(u"bringToFront"_s));
    hv.SetPosBasePage(5, 6, 700, 800);
    EXPECT_EQ((std::array{base->state().left, base->state().top, base->state().width, base->state().height}),
              (std::array<qint32, 4>{5, 6, 700, 800}));
}

class ClosingPages : public DoubleScene
{
protected:
    void SetUp() override
    {
        folder = shell->open(u"file:///home/"_s);
        for (const auto &url : {u"http://a.test/"_s, u"http://b.test/"_s, u"http://c.test/"_s})
            pages.append(shell->open(url));
    }

    qsizetype openPages() const
    {
        return std::count_if(pages.cbegin(), pages.cend(), [](const auto &page) { return !page->isClosed(); });
    }

    std::shared_ptr<automation::doubles::BrowserDouble> folder;
    QList<std::shared_ptr<automation::doubles::BrowserDouble>> pages;
};

TEST_F(ClosingPages, withoutReferenceOthersAreAllAndThisIsNone)
{
    pages[1]->failOn(u"HWND"_s, AutomationError::ServerUnavailable);
    hv.CloseWebPage(0, nullptr);
    EXPECT_EQ(openPages(), 3);
    hv.CloseWebPage(3, nullptr);
    EXPECT_EQ(openPages(), 3);
    hv.CloseWebPage(1, nullptr);
    EXPECT_EQ(openPages(), 0);
    EXPECT_FALSE(folder->isClosed());
}

TEST_F(ClosingPages, thisAndOthersFollowTheReference)
{
    hv.CloseWebPage(1, pages[1]);
    EXPECT_TRUE(pages[0]->isClosed());
    EXPECT_FALSE(pages[1]->isClosed());
    EXPECT_TRUE(pages[2]->isClosed());
    hv.CloseWebPage(0, pages[1]);
    EXPECT_TRUE(pages[1]->isClosed());
}

TEST_F(ClosingPages, allPausesASecondAfterEachAndSurvivesFailedStops)
{
    pages[0]->failOn(u"Stop"_s, AutomationError::ServerUnavailable);
    hv.CloseWebPage(2, nullptr);
    EXPECT_EQ(openPages(), 0);
    EXPECT_FALSE(folder->isClosed());
    EXPECT_NEAR(clock.slept, 3.0f, 0.01f);
}
