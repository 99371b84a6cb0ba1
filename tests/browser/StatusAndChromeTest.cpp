#include "tests/browser/DoubleScene.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;
using BrowserState = automation::doubles::BrowserDouble::State;

using StatusAndChrome = DoubleScene;

TEST_F(StatusAndChrome, readyStateNames)
{
    const auto page = shell->open(u"http://a.test/"_s);
    const QList<std::pair<qint32, QString>> names = {
        {0, u"準備中"_s}, {1, u"読込中"_s}, {2, u"読込完"_s}, {3, u"表示中"_s}, {4, u"完了"_s},
        {5, u"未定義"_s}, {-1, u"取得不可"_s}, {-2, u"未定義"_s},
    };
    for (const auto &[state, name] : names) {
        page->state().readyState = state;
        EXPECT_EQ(hv.GetReadyStateStr(page), name) << state;
    }
    page->failOn(u"ReadyState"_s, AutomationError::ServerUnavailable);
    EXPECT_EQ(hv.GetReadyStatus(page), 0);
    EXPECT_EQ(hv.GetReadyStateStr(page), u"準備中"_s);
}

TEST_F(StatusAndChrome, readOutsAbsorbFailures)
{
    const auto page = shell->open(u"http://a.test/"_s);
    page->state().title = u"A"_s;
    page->state().statusText = u"Done"_s;
    ASSERT_TRUE(hv.SetIe(page));
    EXPECT_EQ(hv.GetWebPageTitle(page), u"A"_s);
    EXPECT_EQ(hv.GetStatusText(), u"Done"_s);

    page->failOn(u"LocationName"_s, AutomationError::AutomationFailure);
    page->failOn(u"StatusText"_s, AutomationError::AutomationFailure);
    EXPECT_EQ(hv.GetWebPageTitle(page), QString());
    EXPECT_EQ(hv.GetStatusText(), QString());
}

TEST_F(StatusAndChrome, getSizeReadsAllFourOrNone)
{
    qint16 left = 1, top = 2, width = 3, height = 4;
    hv.GetSize(left, top, width, height);
    EXPECT_EQ((std::array{left, top, width, height}), (std::array<qint16, 4>{1, 2, 3, 4}));

    const auto page = shell->open(u"http://a.test/"_s);
    ASSERT_TRUE(hv.SetIe(page));
    page->state().left = -20;
    page->state().top = 30;
    page->state().width = 40000;
    EXPECT_EQ(errorOf([&] { hv.GetSize(left, top, width, height); }), AutomationError::Overflow);
    EXPECT_EQ((std::array{left, top, width, height}), (std::array<qint16, 4>{1, 2, 3, 4}));

    page->state().width = 1024;
    hv.GetSize(left, top, width, height);
    EXPECT_EQ((std::array{left, top, width, height}), (std::array<qint16, 4>{-20, 30, 1024, 600}));

    page->failOn(u"Top"_s, AutomationError::ServerUnavailable);
    EXPECT_EQ(errorOf([&] { hv.GetSize(left, top, width, height); }), AutomationError::ServerUnavailable);
}

TEST_F(StatusAndChrome, setSizeWritesInOrderAndPassesFailuresOn)
{
    EXPECT_NO_THROW(hv.SetSize(1, 2, 3, 4));

    const auto page = shell->open(u"http://a.test/"_s);
    ASSERT_TRUE(hv.SetIe(page));
    page->clearJournal();
    hv.SetSize(10, 20, 300, 400);
    EXPECT_EQ(page->journal().mid(page->journal().indexOf(u"Left=10"_s)),
              (QStringList{u"Left=10"_s, u"Top=20"_s, u"Width=300"_s, u"Height=400"_s}));

    page->failOn(u"Width"_s, AutomationError::PermissionDenied);
    EXPECT_EQ(errorOf([&] { hv.SetSize(1, 2, 3, 4); }), AutomationError::PermissionDenied);
}

TEST_F(StatusAndChrome, toolBarToggleIgnoresFailures)
{
    EXPECT_NO_THROW(hv.ViewToolBar(true));
    const auto page = shell->open(u"http://a.test/"_s);
    ASSERT_TRUE(hv.SetIe(page));
    hv.ViewToolBar(false);
    EXPECT_EQ(page->state().toolBar, 0);
    hv.ViewToolBar(true);
    EXPECT_EQ(page->state().toolBar, 1);
    page->close();
    EXPECT_NO_THROW(hv.ViewToolBar(false));
}

struct BarToggle
{
    const char *name;
    void (CWebBrowserHV::*view)(bool);
    bool BrowserState::*field;
};

class BarToggles : public DoubleScene, public ::testing::WithParamInterface<BarToggle>
{
};

TEST_P(BarToggles, passFailuresOn)
{
    const BarToggle toggle = GetParam();
    EXPECT_EQ(errorOf([&] { (hv.*toggle.view)(true); }), AutomationError::ObjectNotSet);

    const auto page = shell->open(u"http://a.test/"_s);
    ASSERT_TRUE(hv.SetIe(page));
    (hv.*toggle.view)(false);
    EXPECT_FALSE(page->state().*toggle.field);
    (hv.*toggle.view)(true);
    EXPECT_TRUE(page->state().*toggle.field);

    page->close();
    EXPECT_EQ(errorOf([&] { (hv.*toggle.view)(true); }), AutomationError::ServerUnavailable);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, BarToggles,
    ::testing::Values(BarToggle{"AddressBar", &CWebBrowserHV::ViewAddressBar, &BrowserState::addressBar},
                      BarToggle{"MenuBar", &CWebBrowserHV::ViewMenuBar, &BrowserState::menuBar},
                      BarToggle{"StatusBar", &CWebBrowserHV::ViewStatusBar, &BrowserState::statusBar}),
    [](const auto &info) { return std::string(info.param.name); });
