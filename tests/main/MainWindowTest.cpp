// The browser list window over the automation double: its set-up, the
// refresh, a browser that stops answering, the tool bar, and both ways of
// closing it.
#include "tests/main/MainWindowFixture.h"
#include "platform/stores/StoreFolder.h"

#include "platform/stores/ApplicationTitle.h"
#include "settings/SettingsVariables.h"
#include "platform/stores/IniProgramSettings.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"
#include "windows/inspector/frmPageInfo.h"
#include "windows/main/IeListRow.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/ControlRoutines.h"
#include "windows/shared/MainFormParts.h"
#include "windows/shared/StatusTexts.h"
#include "platform/ui/Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTest>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QToolBar>

using namespace Qt::StringLiterals;
using automation::doubles::ShellWindowsDouble;

namespace {

class MainWindow : public ::testing::Test, public testsupport::MainWindowFixture
{
protected:
    void SetUp() override
    {
        load([this] {
            ++gatewaysMade;
            return shell;
        });
    }

    QAction *toolButton(const QString &key) const
    {
        for (QAction *action : window->findChild<QToolBar *>(u"tbToolBar"_s)->actions()) {
            if (action->data().toString() == key)
                return action;
        }
        return nullptr;
    }

    QString stored(const QString &key) const
    {
        return stores::userProgramSettings().GetSetting(kApplicationTitle, u"ＦormPosition"_s, key, u"-"_s);
    }

    // A place in pixels, as a run that closed the window there saved it.
    void storePlace(const QRect &place)
    {
        const QString keys[] = {u"MainLeft"_s, u"MainTop"_s, u"MainWidth"_s, u"MainHeight"_s};
        const int values[] = {place.x(), place.y(), place.width(), place.height()};
        for (int i = 0; i < 4; ++i)
            stores::userProgramSettings().SaveSetting(kApplicationTitle, u"ＦormPosition"_s, keys[i],
                                                      QString::number(ui::PixelsToTwipsX(*window, values[i])));
    }

    // The next run: a new window over the same store, shown as start-up
    // shows it, before the event loop takes over.
    void openAgain()
    {
        load([this] { return shell; });
        window->show();
        QCoreApplication::processEvents();
    }

    std::shared_ptr<ShellWindowsDouble> shell = std::make_shared<ShellWindowsDouble>();
    int gatewaysMade = 0;
};

int twips(const QWidget &widget, int pixels)
{
    return ui::PixelsToTwipsX(widget, pixels);
}

} // namespace

TEST_F(MainWindow, LoadsHiddenWithItsGridToolBarMenusAndStatusBar)
{
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), u"Vorlane"_s);
    EXPECT_NE(gWebBrowser, nullptr);
    EXPECT_EQ(gatewaysMade, 1);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 200);

    ASSERT_EQ(grid->cols(), 7);
    EXPECT_EQ(grid->rows(), 1);
    EXPECT_EQ(row(0), (QStringList{u"No"_s, u"詳細"_s, u"状態"_s, u"アドレス"_s, u"タイトル"_s, u"ハンドラー"_s,
                                   u"タイプ"_s}));
    const QString keys[] = {{}, u"Click"_s, u"Status"_s, u"URL"_s, u"LocationName"_s, u"hWnd"_s, u"Type"_s};
    const int widths[] = {400, 720, 800, 2000, 3000, 1200, 1200};
    for (int col = 0; col < 7; ++col) {
        EXPECT_EQ(grid->cellData(0, col).toString(), keys[col]) << col;
        // Within the header's smallest section.
        EXPECT_NEAR(grid->colWidth(col), widths[col], 30) << col;
    }

    // Two picture buttons, keyed, with tool tips and no caption.
    const QList<QAction *> buttons = window->findChild<QToolBar *>(u"tbToolBar"_s)->actions();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->data().toString(), u"ﾌﾟﾛﾊﾟﾃｨ"_s);
    EXPECT_EQ(buttons[0]->toolTip(), u"ﾌﾟﾛﾊﾟﾃｨ"_s);
    EXPECT_EQ(buttons[1]->data().toString(), u"ﾍﾙﾌﾟ"_s);
    EXPECT_EQ(buttons[1]->toolTip(), u"ﾍﾙﾌﾟ"_s);
    for (QAction *button : buttons) {
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_FALSE(button->icon().isNull());
        // A screen reader calls it by its key, there being no caption to read.
        QWidget *shown = window->findChild<QToolBar *>(u"tbToolBar"_s)->widgetForAction(button);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(shown)->text(QAccessible::Name), button->data().toString());
    }

    QStringList menus;
    for (QAction *menu : window->menuBar()->actions()) {
        menus.append(menu->text());
        for (QAction *item : menu->menu()->actions())
            menus.append(item->isSeparator() ? u"-"_s : u"  "_s + item->text());
    }
    EXPECT_EQ(menus, (QStringList{u"ﾌｧｲﾙ(&F)"_s, u"  終了(&X)"_s, u"ﾍﾙﾌﾟ(&H)"_s, u"  目次(&C)"_s,
                                  u"  ﾄﾋﾟｯｸの検索(&S)..."_s, u"-"_s, u"  ﾊﾞｰｼﾞｮﾝ情報(&A)"_s}));

    EXPECT_EQ(statusPanel->text(), u"ｽﾃｰﾀｽ"_s);
    EXPECT_EQ(statusPanel->toolTip(), u"ｽﾃｰﾀｽ"_s);
    EXPECT_EQ(shared::MainFormParts::statusPanel(), statusPanel);
}

TEST_F(MainWindow, OpensCentredAndHeldToItsMinimumSize)
{
    const QRect screen = window->screen()->geometry();
    EXPECT_LE(qAbs(window->frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(qAbs(window->frameGeometry().center().y() - screen.center().y()), 1);
    window->show();
    EXPECT_GE(twips(*window, window->frameGeometry().width()), 10230 - 15);
    EXPECT_GE(twips(*window, window->frameGeometry().height()), 5000 - 15);

    window->resize(200, 100);
    EXPECT_NEAR(twips(*window, window->frameGeometry().width()), 10230, 15);
    EXPECT_NEAR(twips(*window, window->frameGeometry().height()), 5000, 15);
    window->resize(900, 100);
    EXPECT_EQ(window->width(), 900);
    EXPECT_NEAR(twips(*window, window->frameGeometry().height()), 5000, 15);
}

TEST_F(MainWindow, OpensWhereAndAsLargeAsItWasLeftRunAfterRun)
{
    storePlace({40, 30, 700, 400});
    openAgain();
    const QRect opened = window->frameGeometry();
    EXPECT_EQ(opened.topLeft(), QPoint(40, 30));
    EXPECT_EQ(window->size(), QSize(700, 400));

    for (int run = 0; run < 2; ++run) {
        window->close();
        openAgain();
        EXPECT_EQ(window->frameGeometry(), opened) << "run " << run;
    }
}

TEST_F(MainWindow, RowsFollowTheWebPagesByPosition)
{
    tick();
    EXPECT_EQ(grid->rows(), 1) << "no browser, header only";

    auto a = shell->open(u"http://a.test/"_s);
    shell->open(u"file:///tmp/folder"_s);
    auto b = shell->open(u"https://b.test/"_s, 0xABCD);
    auto c = shell->open(u"http://c.test/"_s, qint32(0x8000ABCD));
    b->state().title = u"Bの題"_s;
    b->state().readyState = automation::ReadyState::Loading;
    tick();
    ASSERT_EQ(grid->rows(), 4);
    EXPECT_EQ(row(1), (QStringList{u"1"_s, {}, u"完了"_s, u"http://a.test/"_s, u"http://a.test/"_s,
                                   u"00010010"_s, {}}));
    EXPECT_EQ(row(2), (QStringList{u"2"_s, {}, u"読込中"_s, u"https://b.test/"_s, u"Bの題"_s, u"0000ABCD"_s, {}}));
    EXPECT_EQ(row(3)[5], u"8000ABCD"_s);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(grid->picture(r, 1).cacheKey(), shared::MainFormParts::images()->image(4).cacheKey()) << r;

    // A window before the others closes: they move up in place.
    a->close();
    tick();
    EXPECT_EQ(urls(), (QStringList{u"https://b.test/"_s, u"http://c.test/"_s}));
    EXPECT_EQ(row(1), (QStringList{u"1"_s, {}, u"読込中"_s, u"https://b.test/"_s, u"Bの題"_s, u"0000ABCD"_s, {}}));

    // Leaving the web takes a window off the list; coming back puts it
    // back at its place in the window order.
    b->show(u"about:blank"_s);
    tick();
    EXPECT_EQ(urls(), (QStringList{u"http://c.test/"_s}));
    EXPECT_EQ(row(1)[0], u"1"_s);
    b->show(u"http://b.test/again"_s);
    tick();
    EXPECT_EQ(urls(), (QStringList{u"http://b.test/again"_s, u"http://c.test/"_s}));

    c->close();
    b->close();
    tick();
    EXPECT_EQ(grid->rows(), 1);
}

TEST_F(MainWindow, AnUnchangedListIsNotRewritten)
{
    auto a = shell->open(u"http://a.test/"_s);
    shell->open(u"http://b.test/"_s);
    tick();
    QSignalSpy writes(grid->model(), &QAbstractItemModel::dataChanged);
    tick();
    EXPECT_EQ(writes.count(), 0);
    a->state().title = u"新しい題"_s;
    tick();
    EXPECT_EQ(writes.count(), 1);
    EXPECT_EQ(grid->text(1, 4), u"新しい題"_s);
}

TEST_F(MainWindow, WhileNoBrowserAnswersTheListEmptiesAndComesBackByItself)
{
    shell->open(u"http://a.test/"_s);
    tick();
    ASSERT_EQ(grid->rows(), 2);

    shell->failOn(u"Count"_s, 462, u"no DevTools endpoint answers at http://127.0.0.1:9222"_s);
    tick();
    EXPECT_EQ(grid->rows(), 1);
    EXPECT_EQ(statusPanel->text(),
              u"ﾌﾞﾗｳｻﾞが応答しません: no DevTools endpoint answers at http://127.0.0.1:9222"_s);
    EXPECT_TRUE(timer->isActive());
    tick();
    EXPECT_EQ(gatewaysMade, 2) << "a browser that comes back may listen elsewhere";

    shell->clearFailure(u"Count"_s);
    tick();
    EXPECT_EQ(urls(), (QStringList{u"http://a.test/"_s}));
    EXPECT_EQ(statusPanel->text(), u"Ready"_s);
    // Once answering again, the status panel is the other windows' to write.
    shared::SetStatusText(u"Update Start"_s);
    tick();
    EXPECT_EQ(statusPanel->text(), u"Update Start"_s);
}

TEST_F(MainWindow, PropertiesButtonOnlyShowsItsMessage)
{
    shell->open(u"http://a.test/"_s);
    tick();
    toolButton(u"ﾌﾟﾛﾊﾟﾃｨ"_s)->trigger();
    ASSERT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_EQ(ui.messageBoxes[0].text, u" 'ﾌﾟﾛﾊﾟﾃｨ' ﾎﾞﾀﾝのｺｰﾄﾞを追加します。"_s);
    EXPECT_EQ(ui.messageBoxes[0].title, u"Vorlane"_s);
    EXPECT_EQ(ui.messageBoxes[0].icon, ui::MessageIcon::None);
    EXPECT_EQ(ui.messageBoxes[0].buttons, ui::MessageButtons::Ok);
    EXPECT_EQ(urls(), (QStringList{u"http://a.test/"_s}));
    EXPECT_TRUE(timer->isActive());
}

class MainWindowClose : public MainWindow, public ::testing::WithParamInterface<bool>
{
protected:
    // The close box, or "終了(&X)".
    void closeWindow()
    {
        if (GetParam())
            window->findChild<QAction *>(u"mnuFileExit"_s)->trigger();
        else
            window->close();
    }
};

TEST_P(MainWindowClose, SavesBrowserBoundsSettingsAndPlacementAndClosesOwnedWindows)
{
    auto page = shell->open(u"http://a.test/"_s);
    page->state().left = 12;
    page->state().top = 34;
    page->state().width = 1000;
    page->state().height = 700;
    ASSERT_TRUE(gWebBrowser->SetIe(page));
    window->show();
    auto *owned = new QDialog(window.get());
    owned->show();

    closeWindow();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(owned->isVisible());
    EXPECT_EQ(gWebBrowser, nullptr);
    EXPECT_FALSE(timer->isActive());

    SettingsVariables saved;
    LoadSettings(saved);
    EXPECT_EQ(saved.WebPage_Left, 12);
    EXPECT_EQ(saved.WebPage_Top, 34);
    EXPECT_EQ(saved.WebPage_Width, 1000);
    EXPECT_EQ(saved.WebPage_Height, 700);
    EXPECT_EQ(stored(u"MainWindowState"_s), u"0"_s);
    EXPECT_NEAR(stored(u"MainWidth"_s).toInt(), twips(*window, window->width()), 15);
    EXPECT_NEAR(stored(u"MainLeft"_s).toInt(), twips(*window, window->frameGeometry().left()), 15);

    EXPECT_TRUE(ui.messageBoxes.isEmpty());

    // A window kept after closing can be asked to close again.
    window->close();
    EXPECT_EQ(stored(u"MainWindowState"_s), u"0"_s);
}

// Settings that cannot be written are not lost silently: the user hears of
// it once, as the program closes.
TEST_P(MainWindowClose, SettingsThatCannotBeSavedAreSaidOnce)
{
    window->show();
    // A folder where each file belongs cannot be written, whoever runs the test.
    for (const QString &store : {u"store0"_s, u"store1"_s, u"program"_s}) {
        const QString path = stores::storeFilePath(u"Vorlane"_s, store);
        QFile::remove(path);
        ASSERT_TRUE(QDir().mkpath(path));
    }
    closeWindow();
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_TRUE(ui.messageBoxes[0].text.startsWith(u"設定を保存できませんでした。"_s));
    EXPECT_EQ(ui.messageBoxes[0].icon, ui::MessageIcon::Warning);
}

TEST_P(MainWindowClose, GoesOnWhenTheBrowserClosesAtThatMoment)
{
    settings.WebPage_Width = 800;
    auto page = shell->open(u"http://a.test/"_s);
    ASSERT_TRUE(gWebBrowser->SetIe(page));
    page->failOn(u"Height"_s, 462);
    window->show();

    closeWindow();
    EXPECT_EQ(gWebBrowser, nullptr);
    SettingsVariables saved;
    LoadSettings(saved);
    EXPECT_EQ(saved.WebPage_Width, 800) << "all four bounds or none";
    EXPECT_EQ(stored(u"MainWindowState"_s), u"0"_s);
}

INSTANTIATE_TEST_SUITE_P(CloseBoxAndMenu, MainWindowClose, ::testing::Bool());

class MainWindowGrid : public MainWindow
{
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        a = shell->open(u"http://a.test/"_s);
        b = shell->open(u"http://b.test/"_s);
        b->state().title = u"とても長い題名のページ、列の幅には収まらない"_s;
        tick();
        window->show();
    }

    QPoint cellCentre(int row, int col) const { return grid->visualRect(grid->model()->index(row - 1, col)).center(); }
    void press(int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(grid->viewport(), button, {}, cellCentre(row, col));
        QTest::mouseRelease(grid->viewport(), button, {}, cellCentre(row, col));
    }
    qint64 pictureKey(int row) const { return grid->picture(row, 1).cacheKey(); }
    qint64 raisedKey() const { return shared::MainFormParts::images()->image(4).cacheKey(); }
    qint64 pressedKey() const { return shared::MainFormParts::images()->image(5).cacheKey(); }

    std::shared_ptr<automation::doubles::BrowserDouble> a;
    std::shared_ptr<automation::doubles::BrowserDouble> b;
};

// What the test saw while the inspector was open over the main window.
struct WhileOpen
{
    bool seen = false;
    bool modal = false;
    std::optional<int> mainOpacity;
    std::optional<bool> mainTopMost;
    qint64 picture = 0;
    bool ticking = false;
    QStringList urlsAfterTick;
};

TEST_F(MainWindowGrid, DetailButtonInspectsItsOwnBrowserOverTheFadedList)
{
    settings.WindowTopMost = true;
    b->state().visible = false;
    a->clearJournal();
    b->clearJournal();

    WhileOpen open;
    // exec() blocks the press, so the look and the close come from inside.
    QTimer::singleShot(0, window.get(), [&] {
        auto *inspector = window->findChild<frmPageInfo *>();
        if (!inspector)
            return;
        open.seen = inspector->isVisible();
        open.modal = inspector->isModal();
        open.mainOpacity = ui.opacityOf(window.get());
        open.mainTopMost = ui.topMostOf(window.get());
        open.picture = pictureKey(2);
        // Its first activation switches off the tool bar of the browser it
        // is bound to, and of no other.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(inspector, &activate);
        open.ticking = timer->isActive();
        shell->open(u"http://c.test/"_s);
        tick();
        open.urlsAfterTick = urls();
        inspector->findChild<QPushButton *>(u"cmdCancel"_s)->click();
    });
    press(2, 1);

    ASSERT_TRUE(open.seen);
    EXPECT_TRUE(open.modal);
    EXPECT_EQ(open.mainOpacity, 0);
    EXPECT_EQ(open.mainTopMost, false);
    EXPECT_EQ(open.picture, pressedKey());
    EXPECT_TRUE(open.ticking);
    EXPECT_EQ(open.urlsAfterTick, (QStringList{u"http://a.test/"_s, u"http://b.test/"_s, u"http://c.test/"_s}));
    EXPECT_EQ(b->state().toolBar, 0);
    EXPECT_EQ(a->state().toolBar, 1);

    EXPECT_TRUE(b->journal().contains(u"restoreWindow"_s)) << b->journal().join(u' ').toStdString();
    EXPECT_TRUE(b->journal().contains(u"bringToFront"_s));
    EXPECT_TRUE(b->state().visible);
    EXPECT_FALSE(a->journal().contains(u"bringToFront"_s));

    EXPECT_EQ(ui.opacityOf(window.get()), 100);
    EXPECT_EQ(ui.topMostOf(window.get()), true) << "as the setting says";
    EXPECT_EQ(ui.pointer(), ui::MousePointer::Default);
    EXPECT_EQ(statusPanel->text(), u"Ready"_s);
    EXPECT_EQ(pictureKey(2), raisedKey());
    EXPECT_EQ(window->findChild<frmPageInfo *>(), nullptr) << "each press has an inspector of its own";
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowGrid, EnterOnARowInspectsItsBrowserFromTheKeyboard)
{
    QString inspected;
    QTimer::singleShot(0, window.get(), [&] {
        if (auto *inspector = window->findChild<frmPageInfo *>()) {
            inspected = grid->text(grid->row(), ielist::UrlColumn);
            inspector->hide();
        }
    });
    grid->setFocus();
    grid->setCurrent(2, ielist::TitleColumn);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(inspected, u"http://b.test/"_s);
    EXPECT_TRUE(b->journal().contains(u"bringToFront"_s));
    EXPECT_EQ(pictureKey(2), raisedKey());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowGrid, TextCellsOnlyBecomeCurrent)
{
    press(2, 3);
    EXPECT_EQ(grid->row(), 2);
    EXPECT_EQ(grid->col(), 3);
    EXPECT_FALSE(b->journal().contains(u"bringToFront"_s));
    EXPECT_EQ(window->findChild<frmPageInfo *>(), nullptr);
}

// A tab that closed since the last tick, or that fails on the way, opens
// nothing; the list says why and its button comes back raised.
TEST_F(MainWindowGrid, DetailButtonOfAGoneOrFailingBrowserOpensNothing)
{
    bool opened = false;
    const auto closeAnyInspector = [&] {
        QTimer::singleShot(0, window.get(), [&] {
            if (auto *inspector = window->findChild<frmPageInfo *>()) {
                opened = true;
                inspector->hide();
            }
        });
    };

    b->close();
    closeAnyInspector();
    press(2, 1);
    EXPECT_FALSE(opened);
    EXPECT_EQ(statusPanel->text(), QStringView(ielist::kBrowserClosedText).toString());
    EXPECT_EQ(pictureKey(2), raisedKey());
    EXPECT_FALSE(ui.opacityOf(window.get()).has_value());
    EXPECT_TRUE(window->isVisible());

    a->failOn(u"bringToFront"_s, 462, u"gone"_s);
    closeAnyInspector();
    press(1, 1);
    EXPECT_FALSE(opened);
    EXPECT_EQ(statusPanel->text(), QStringView(shared::kBrowserNotAnsweringText).toString() + u"gone"_s);
    EXPECT_EQ(pictureKey(1), raisedKey());
    EXPECT_FALSE(ui.opacityOf(window.get()).has_value());
}

TEST_F(MainWindowGrid, HeaderPressesDoNotSortAndTheCornerResetsWidths)
{
    QHeaderView *header = grid->horizontalHeader();
    const QPoint urlHeader(header->sectionViewportPosition(3) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, urlHeader);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, urlHeader);
    EXPECT_EQ(urls(), (QStringList{u"http://a.test/"_s, u"http://b.test/"_s}));

    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(5, header->height() / 2));
    const int widths[] = {500, 705, 1000, 1000, 1000, 1000, 1000};
    for (int col = 0; col < 7; ++col)
        EXPECT_NEAR(grid->colWidth(col), widths[col], 15) << col;

    // A border dragged widens its column.
    const int before = grid->columnWidth(3);
    const QPoint border(header->sectionViewportPosition(3) + before - 1, header->height() / 2);
    const QPoint dragged = border + QPoint(40, 0);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, border);
    QMouseEvent drag(QEvent::MouseMove, dragged, header->viewport()->mapToGlobal(dragged), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &drag);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, dragged);
    EXPECT_EQ(grid->columnWidth(3), before + 40);
}

TEST_F(MainWindowGrid, ToolTipsShowWholeCellsAndTheRowsHandle)
{
    EXPECT_EQ(IeListToolTip(*grid, 2, 4), b->state().title);
    EXPECT_EQ(IeListToolTip(*grid, 1, 0), u"00010010"_s);
    EXPECT_EQ(IeListToolTip(*grid, 1, 1), QString());
    EXPECT_EQ(IeListToolTip(*grid, -1, 4), QString());
}
