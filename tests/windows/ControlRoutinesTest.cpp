#include "tests/ui/RecordingUiServices.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/ControlRoutines.h"
#include "windows/shared/FormTransparency.h"
#include "windows/shared/MainFormParts.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace shared;
using ui::MousePointer;

namespace {

class ControlRoutines : public ::testing::Test
{
protected:
    ui::RecordingUiServices ui;
    CellButtonImages images;
};

class FormTransparency : public ControlRoutines
{
protected:
    void SetUp() override
    {
        window.setGeometry(placed);
        window.show();
    }

    void fadeAndRestore(bool topMostSetting)
    {
        SetFormTransparency(&window, false, 0, topMostSetting);
        EXPECT_EQ(ui.topMostOf(&window), false);
        SetFormTransparency(&window, true, 0, topMostSetting);
        EXPECT_EQ(ui.topMostOf(&window), topMostSetting);
    }

    const QRect placed{100, 60, 300, 200};
    QWidget window;
};

} // namespace

TEST_F(ControlRoutines, DefaultPointerAlsoShowsReady)
{
    QLabel panel;
    const MainFormParts parts(&panel, images);
    SetStatusText(u"Update Start"_s);
    SetMousePointer(kPointerHourglass);
    SetMousePointer(kPointerArrowHourglass);
    EXPECT_EQ(panel.text(), u"Update Start"_s);
    SetMousePointer(kPointerDefault);
    EXPECT_EQ(panel.text(), u"Ready"_s);
    SetStatusText(u"x"_s);
    SetMousePointer(5);
    EXPECT_EQ(panel.text(), u"Ready"_s);
    EXPECT_EQ(ui.pointers, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::ArrowHourglass,
                                                MousePointer::Default, MousePointer::Default}));
}

TEST_F(ControlRoutines, StatusTextNeedsAPanelThatStillExists)
{
    SetStatusText(u"nowhere"_s);
    auto *panel = new QLabel;
    const MainFormParts parts(panel, images);
    SetStatusText(u"here"_s);
    EXPECT_EQ(panel->text(), u"here"_s);
    delete panel;
    SetStatusText(u"gone"_s);
    SetMousePointer(kPointerDefault);
    EXPECT_EQ(ui.pointer(), MousePointer::Default);
}

TEST_F(FormTransparency, FadingWindowSystemsChangeOnlyOpacityAndTopMost)
{
    ui.canFade = true;
    SetFormTransparency(&window, false, 30, true);
    EXPECT_EQ(ui.opacityOf(&window), 30);
    EXPECT_EQ(ui.topMostOf(&window), false);
    EXPECT_EQ(window.geometry(), placed);
    SetFormTransparency(&window, true, 30, true);
    EXPECT_EQ(ui.opacityOf(&window), 100);
    EXPECT_EQ(ui.topMostOf(&window), true);
    fadeAndRestore(false);
    EXPECT_EQ(window.geometry(), placed);
}

TEST_F(FormTransparency, OtherwiseTheWindowLeavesTheScreenAndComesBack)
{
    ui.canFade = false;
    SetFormTransparency(&window, false, 0, true);
    EXPECT_LE(window.geometry().right(), 0);
    EXPECT_LE(window.geometry().bottom(), 0);
    EXPECT_EQ(window.size(), placed.size());
    EXPECT_FALSE(ui.opacityOf(&window).has_value());
    SetFormTransparency(&window, true, 0, true);
    EXPECT_EQ(window.geometry(), placed);
    EXPECT_EQ(window.windowState() & ~Qt::WindowActive, Qt::WindowNoState);
    fadeAndRestore(false);
    EXPECT_EQ(window.geometry(), placed);
}

TEST_F(FormTransparency, MaximisedAndMinimisedWindowsComeBackSo)
{
    ui.canFade = false;
    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowMinimized}) {
        window.setWindowState(state);
        SetFormTransparency(&window, false, 0, false);
        EXPECT_FALSE(window.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) << state;
        EXPECT_LE(window.geometry().right(), 0);
        SetFormTransparency(&window, true, 0, false);
        EXPECT_TRUE(window.windowState() & state) << state;
        window.setWindowState(Qt::WindowNoState);
        EXPECT_EQ(window.geometry(), placed) << state;
    }
}

TEST_F(FormTransparency, RestoringKeepsTheWindowOnTheScreen)
{
    ui.canFade = false;
    // Nothing was moved away: the window stays put.
    SetFormTransparency(&window, true, 0, false);
    EXPECT_EQ(window.geometry(), placed);

    // The offscreen screen is 800 x 800.
    window.setGeometry(650, 700, 300, 200);
    SetFormTransparency(&window, false, 0, false);
    SetFormTransparency(&window, true, 0, false);
    EXPECT_EQ(window.geometry(), QRect(500, 600, 300, 200));
}
