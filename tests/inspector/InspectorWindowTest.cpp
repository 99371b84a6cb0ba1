// The inspector window over the automation double: its set-up, the first
// activation, the browser bar toggles, the layout and closing.
#include "browser/CWebBrowserHV.h"
#include "platform/automation/AutomationError.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "platform/ui/Twips.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"
#include "tests/ui/RecordingUiServices.h"
#include "windows/inspector/frmPageInfo.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/ListGrid.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using automation::doubles::BrowserDouble;
using automation::doubles::ShellWindowsDouble;

namespace {

class InspectorWindow : public ::testing::Test
{
protected:
    InspectorWindow()
    {
        gWebBrowser = std::make_unique<CWebBrowserHV>(shell);
        browser->state().menuBar = false;
        window.SetIeWnd(browser);
    }
    ~InspectorWindow() override { gWebBrowser.reset(); }

    void activate()
    {
        QEvent event(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &event);
    }
    QAction *item(const QString &name) const { return window.findChild<QAction *>(name); }
    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        return window.findChild<T *>(name);
    }
    // Which of the four view items are checked.
    QList<bool> viewChecks() const
    {
        return {item(u"mnuViewToolBar"_s)->isChecked(), item(u"mnuViewAddress"_s)->isChecked(),
                item(u"mnuViewMenu"_s)->isChecked(), item(u"mnuViewStatus"_s)->isChecked()};
    }

    std::shared_ptr<ShellWindowsDouble> shell = std::make_shared<ShellWindowsDouble>();
    std::shared_ptr<BrowserDouble> browser = shell->open(u"http://a.test/"_s);
    ui::RecordingUiServices ui;
    stores::MemoryProgramSettings settings;
    frmPageInfo window{settings, ui};
};

} // namespace

TEST_F(InspectorWindow, LoadsWithItsGridMenusStatusBarAndTimer)
{
    EXPECT_EQ(window.windowTitle(), u"ページ情報"_s);
    auto *grid = control<shared::ListGrid>(u"fgItem"_s);
    ASSERT_EQ(grid->cols(), 11);
    EXPECT_EQ(grid->rows(), 1);
    const QStringList captions = {u"No"_s,    u"TagName"_s, u"type"_s,      u"クリック"_s,  u"Name"_s, u"値"_s,
                                  u"ツールチップ "_s, u"リンク"_s, u"innerText"_s, u"innerHtml"_s, u"id"_s};
    const QStringList keys = {QString(), u"TagName"_s, u"Type"_s,      u"Click"_s,     u"Name"_s, u"Value"_s,
                              u"alt"_s,  u"href"_s,    u"innerText"_s, u"innerHtml"_s, u"ID"_s};
    for (int col = 0; col < 11; ++col) {
        EXPECT_EQ(grid->text(0, col), captions[col]);
        EXPECT_EQ(grid->cellData(0, col).toString(), keys[col]);
        EXPECT_EQ(grid->columnWidth(col), ui::TwipsToPixelsX(*grid, col == 0 ? 480 : 1000));
    }

    auto *timer = control<QTimer>(u"tmrUpdate"_s);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);

    EXPECT_EQ(item(u"mnuClose"_s)->text(), u"閉じる(&C)"_s);
    EXPECT_EQ(control<QMenu>(u"mnuView"_s)->title(), u"表示(&V)"_s);
    EXPECT_EQ(item(u"mnuViewToolBar"_s)->text(), u"ツールバー(&T)"_s);
    EXPECT_EQ(item(u"mnuViewStatus"_s)->text(), u"ステータスバー(&S)"_s);
    EXPECT_EQ(viewChecks(), (QList<bool>{false, false, false, false}));
    auto *popup = control<QMenu>(u"mnuGrid01"_s);
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(popup->menuAction()->isVisible());
    EXPECT_FALSE(window.findChild<QMenuBar *>()->actions().contains(popup->menuAction()));
    EXPECT_EQ(item(u"mnuGrid01_Copy"_s)->text(), u"コピー(&C)"_s);

    for (const QString &panel : {u"Status"_s, u"Date"_s, u"Time"_s})
        EXPECT_NE(control<QLabel>(panel), nullptr) << panel.toStdString();
    EXPECT_EQ(control<QPushButton>(u"cmdUpdateItem"_s)->text(), u" 更  新 "_s);
    EXPECT_EQ(control<QPushButton>(u"cmdCancel"_s)->text(), u"閉じる"_s);
}

TEST_F(InspectorWindow, FirstActivationSwitchesTheToolBarOffAndReadsTheBarsOnce)
{
    activate();
    EXPECT_EQ(browser->state().toolBar, 0);
    EXPECT_EQ(viewChecks(), (QList<bool>{false, true, false, true}));

    browser->state().toolBar = 1;
    browser->state().menuBar = true;
    browser->clearJournal();
    activate();
    EXPECT_EQ(browser->state().toolBar, 1);
    EXPECT_EQ(viewChecks(), (QList<bool>{false, true, false, true}));
    EXPECT_TRUE(browser->journal().isEmpty());
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(InspectorWindow, AnUnreadableAddressBarLeavesItsCheckAlone)
{
    browser->failOn(u"AddressBar"_s, automation::AutomationError::ServerUnavailable);
    activate();
    EXPECT_EQ(viewChecks(), (QList<bool>{false, false, false, true}));
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(InspectorWindow, ABrowserGoneBeforeActivationLeavesTheChecksUnset)
{
    browser->close();
    activate();
    EXPECT_EQ(viewChecks(), (QList<bool>{false, false, false, false}));
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(InspectorWindow, TheToolBarToggleCarriesTheAddressCheckAndTheMenuItem)
{
    activate();
    item(u"mnuViewToolBar"_s)->trigger();
    EXPECT_EQ(browser->state().toolBar, 1);
    EXPECT_TRUE(item(u"mnuViewToolBar"_s)->isChecked());
    EXPECT_TRUE(item(u"mnuViewAddress"_s)->isChecked());
    EXPECT_TRUE(item(u"mnuViewMenu"_s)->isEnabled());

    item(u"mnuViewToolBar"_s)->trigger();
    EXPECT_EQ(browser->state().toolBar, 0);
    EXPECT_FALSE(item(u"mnuViewAddress"_s)->isChecked());
    EXPECT_FALSE(item(u"mnuViewMenu"_s)->isEnabled());
    // The check only: the browser's address bar is its own toggle's business.
    EXPECT_TRUE(browser->state().addressBar);

    item(u"mnuViewStatus"_s)->trigger();
    EXPECT_FALSE(browser->state().statusBar);
    item(u"mnuViewAddress"_s)->trigger();
    EXPECT_TRUE(browser->state().addressBar);
}

TEST_F(InspectorWindow, AFailingToggleKeepsItsNewCheckAndIsReported)
{
    activate();
    browser->failOn(u"MenuBar"_s, automation::AutomationError::ServerUnavailable);
    item(u"mnuViewMenu"_s)->trigger();
    EXPECT_TRUE(item(u"mnuViewMenu"_s)->isChecked());
    ASSERT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_TRUE(ui.messageBoxes[0].text.startsWith(u"実行時エラー '462'"_s));
}

TEST_F(InspectorWindow, HoldsTheMinimumSizeAndLaysTheControlsOut)
{
    window.show();
    // Keys go to the list first.
    EXPECT_EQ(window.focusWidget(), control(u"fgItem"_s));
    window.resize(200, 100);
    QApplication::processEvents();
    const QSize minimum = ui::TwipsToPixels(window, 11040, 6990);
    EXPECT_GE(window.frameGeometry().width(), minimum.width());
    EXPECT_GE(window.frameGeometry().height(), minimum.height());

    window.resize(minimum + QSize(300, 200));
    QApplication::processEvents();
    const QRect grid = control(u"fgItem"_s)->geometry();
    const QRect frame = control<QGroupBox>(u"fraFilter"_s)->geometry();
    const QRect update = control(u"cmdUpdateItem"_s)->geometry();
    const QRect cancel = control(u"cmdCancel"_s)->geometry();
    const int marginX = ui::TwipsToPixelsX(window, 60);
    const int marginY = ui::TwipsToPixelsY(window, 60);
    EXPECT_EQ(grid.topLeft(), QPoint(marginX, marginY));
    EXPECT_EQ(grid.right() + 1 + marginX, control(u"fgItem"_s)->parentWidget()->width());
    EXPECT_EQ(frame.topLeft(), QPoint(grid.left(), grid.bottom() + 1 + marginY));
    EXPECT_EQ(update.left(), cancel.left());
    EXPECT_EQ(cancel.right(), grid.right());
    EXPECT_EQ(update.top(), frame.top());
    EXPECT_EQ(cancel.top(), update.bottom() + 1 + marginY);
    EXPECT_NE(update.width(), cancel.width());
}

TEST_F(InspectorWindow, OpensWhereAndAsLargeAsItWasLeft)
{
    // Not at its minimum, where it shows five rows.
    const QSize minimum = ui::TwipsToPixels(window, 11040, 6990);
    EXPECT_GT(window.height(), minimum.height());

    window.show();
    const QPoint corner(40, 30);
    const QSize size = minimum + QSize(20, 60);
    window.move(corner);
    window.resize(size);
    control<QPushButton>(u"cmdCancel"_s)->click();

    frmPageInfo next(settings, ui);
    next.show();
    EXPECT_EQ(next.pos(), corner);
    EXPECT_EQ(next.size(), size);
}

TEST_F(InspectorWindow, CloseHidesTheWindowAndEndsItsModalShow)
{
    QTimer::singleShot(0, &window, [this] { control<QPushButton>(u"cmdCancel"_s)->click(); });
    window.exec();
    EXPECT_FALSE(window.isVisible());

    window.show();
    item(u"mnuClose"_s)->trigger();
    EXPECT_FALSE(window.isVisible());
}
