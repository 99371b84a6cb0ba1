#include "tests/ui/RecordingUiServices.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/ControlRoutines.h"
#include "windows/shared/FormTransparency.h"
#include "windows/shared/MainFormParts.h"
#include "windows/shared/StatusPanels.h"

#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QStatusBar>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace shared;
using ui::MousePointer;

namespace {

class ControlRoutines : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setGeometry(placed);
        window.show();
    }

    void fade(bool topMostSetting) { SetFormTransparency(&window, false, 30, topMostSetting); }
    void restore(bool topMostSetting) { SetFormTransparency(&window, true, 30, topMostSetting); }

    ui::RecordingUiServices ui;
    CellButtonImages images;
    const QRect placed{100, 60, 300, 200};
    QWidget window;
};

} // namespace

TEST_F(ControlRoutines, DefaultPointerAlsoShowsReadyInTheMainWindowsPanel)
{
    auto *panel = new QLabel;
    const MainFormParts parts(panel, images);
    SetStatusText(u"Update Start"_s);
    SetMousePointer(kPointerHourglass);
    SetMousePointer(kPointerArrowHourglass);
    EXPECT_EQ(panel->text(), u"Update Start"_s);
    SetMousePointer(5);
    EXPECT_EQ(panel->text(), u"Ready"_s);
    EXPECT_EQ(ui.pointers, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::ArrowHourglass,
                                                MousePointer::Default}));
    // Once the panel is gone there is nothing to write.
    delete panel;
    SetMousePointer(kPointerDefault);
    EXPECT_EQ(ui.pointer(), MousePointer::Default);
}

TEST_F(ControlRoutines, FadingChangesOnlyOpacityAndTopMost)
{
    ui.canFade = true;
    for (bool topMostSetting : {true, false}) {
        fade(topMostSetting);
        EXPECT_EQ(ui.opacityOf(&window), 30);
        EXPECT_EQ(ui.topMostOf(&window), false);
        restore(topMostSetting);
        EXPECT_EQ(ui.opacityOf(&window), 100);
        EXPECT_EQ(ui.topMostOf(&window), topMostSetting);
        EXPECT_EQ(window.geometry(), placed);
    }
}

TEST_F(ControlRoutines, WithoutFadingTheWindowIsHiddenAndComesBackAsItWas)
{
    ui.canFade = false;
    for (Qt::WindowState state : {Qt::WindowNoState, Qt::WindowMaximized, Qt::WindowMinimized}) {
        window.setWindowState(state);
        fade(true);
        // A window manager can keep a moved window partly on the screen, not a hidden one.
        EXPECT_FALSE(window.isVisible()) << state;
        EXPECT_EQ(ui.topMostOf(&window), false);
        EXPECT_FALSE(ui.opacityOf(&window).has_value());
        // Fading twice must not forget that it was shown.
        fade(true);
        restore(true);
        EXPECT_TRUE(window.isVisible()) << state;
        EXPECT_EQ(window.windowState() & ~Qt::WindowActive, state) << state;
        EXPECT_EQ(ui.topMostOf(&window), true);
        window.setWindowState(Qt::WindowNoState);
        EXPECT_EQ(window.geometry(), placed) << state;
    }

    // Only a window that fading hid is shown again.
    window.hide();
    fade(false);
    restore(false);
    EXPECT_FALSE(window.isVisible());
}

TEST(StatusPanels, ShowTheJapaneseDateAndTimeWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QStatusBar bar;
    shared::StatusPanels panels(bar);
    const QString date = bar.findChild<QLabel *>(QStringLiteral("Date"))->text();
    const QString time = bar.findChild<QLabel *>(QStringLiteral("Time"))->text();
    QLocale::setDefault(QLocale::c());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^20\\d\\d/\\d\\d/\\d\\d$")).match(date).hasMatch()) << date.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(time).hasMatch()) << time.toStdString();
}
