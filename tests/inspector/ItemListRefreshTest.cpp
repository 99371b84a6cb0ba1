// The inspector's element list: the refresh that lists placeholder rows and
// the timer step that fills them and watches the page.
#include "tests/inspector/InspectorFixture.h"
#include "windows/inspector/ItemListToolTip.h"
#include "windows/shared/StatusTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using automation::CollectionKind;
using automation::doubles::BrowserDouble;
using automation::doubles::ShellWindowsDouble;
using ui::MousePointer;

namespace {

class ItemListRefresh : public testsupport::InspectorFixture
{
protected:
    int filledRows() const
    {
        int filled = 0;
        for (int row = 1; row < grid->rows(); ++row)
            filled += !isPlaceholder(row);
        return filled;
    }
};

} // namespace

TEST_F(ItemListRefresh, ListsPlaceholderRowsWithTheirItemNumbersAndCounts)
{
    add(u"DIV"_s);
    add(u"A"_s, u"http://b.test/"_s);
    add(u"IMG"_s);
    add(u"A"_s, u"http://c.test/"_s);
    control<QCheckBox>(u"chkTagName_A"_s)->setChecked(true);

    // A filter is set, so 全検索 stays as the user left it: the first match only.
    window.UpdateItemList(false);
    EXPECT_FALSE(control<QCheckBox>(u"chkSearchAll"_s)->isChecked());
    ASSERT_EQ(grid->rows(), 2);
    EXPECT_EQ(grid->cellData(1, 1).toInt(), 1);

    ui.pointers.clear();
    control<QCheckBox>(u"chkSearchAll"_s)->setChecked(true);
    window.UpdateItemList(false);
    ASSERT_EQ(grid->rows(), 3);
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(grid->text(row, 0), QString::number(row));
        EXPECT_EQ(grid->text(row, 1), u"更新中"_s);
        EXPECT_TRUE(grid->text(row, 2).isEmpty());
    }
    EXPECT_EQ(grid->cellData(1, 1).toInt(), 1);
    EXPECT_EQ(grid->cellData(2, 1).toInt(), 3);

    const QStringList counts = {control<QLineEdit>(u"txtItemN_All"_s)->text(),
                                control<QLineEdit>(u"txtItemN_Links"_s)->text(),
                                control<QLineEdit>(u"txtItemN_Images"_s)->text(),
                                control<QLineEdit>(u"txtItemN_Forms"_s)->text(),
                                control<QLineEdit>(u"txtItemN_Frames"_s)->text()};
    EXPECT_EQ(counts, (QStringList{u"4"_s, u"2"_s, u"1"_s, u"0"_s, u"0"_s}));
    EXPECT_TRUE(QRegularExpression(u"^\\d{1,3}\\.\\d\\d$"_s).match(control<QLabel>(u"lblProcessTime"_s)->text()).hasMatch());
    EXPECT_EQ(status(), u"Update Start"_s);
    EXPECT_EQ(ui.pointers, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::ArrowHourglass}));
    EXPECT_TRUE(grid->tag().contains(u"http://a.test/"_s));

    // Two rows fit in one step, which then finds nothing left to read.
    window.tmrUpdate_Timer();
    EXPECT_EQ(grid->text(2, 10), u"e3"_s);
    EXPECT_EQ(status(), u"Ready"_s);
    EXPECT_EQ(ui.pointer(), MousePointer::Default);
    EXPECT_EQ(mainStatus.text(), u"Ready"_s);
}

TEST_F(ItemListRefresh, WithoutAFilterItTicksSearchAllAndListsEverything)
{
    addMany(3);
    window.UpdateItemList(false);
    EXPECT_TRUE(control<QCheckBox>(u"chkSearchAll"_s)->isChecked());
    EXPECT_EQ(grid->rows(), 4);
    EXPECT_EQ(grid->cellData(3, 1).toInt(), 2);
}

TEST_F(ItemListRefresh, AnEmptyPageKeepsTheHeaderAndTheNextStepIsReady)
{
    window.UpdateItemList(false);
    EXPECT_EQ(grid->rows(), 1);
    window.tmrUpdate_Timer();
    EXPECT_EQ(status(), u"Ready"_s);
    EXPECT_EQ(ui.pointer(), MousePointer::Default);
}

TEST_F(ItemListRefresh, FillsTheVisibleRowsFirstThenBatchAfterBatch)
{
    addMany(2000);
    showWindow();
    window.UpdateItemList(false);
    const int bottom = grid->bottomRow();
    auto *all = browser->page()->collectionDouble(automation::CollectionKind::All).get();

    // A step takes the rows in view and a first batch after them, every
    // cell of a row in one read, and sends the next batch at once.
    all->holdReads();
    clearReads();
    window.tmrUpdate_Timer();
    all->releaseReads();
    window.tmrUpdate_Timer();
    EXPECT_EQ(readManyCalls(), 2);
    const int firstBatch = filledRows();
    EXPECT_GT(firstBatch, bottom);
    for (int row = 1; row <= firstBatch; ++row)
        ASSERT_EQ(grid->text(row, 9), u"h"_s) << row;
    EXPECT_TRUE(isPlaceholder(firstBatch + 1));
    EXPECT_EQ(status(), u"Update： "_s + QString::number(firstBatch) + u"/ 2000"_s);
    window.tmrUpdate_Timer();
    EXPECT_GT(filledRows(), firstBatch);

    // Rows scrolled into view are filled by the step the scroll runs.
    grid->scrollToBottom();
    window.tmrUpdate_Timer();
    EXPECT_FALSE(isPlaceholder(2000));
    EXPECT_FALSE(isPlaceholder(grid->topRow()));

    fillAll();
    for (int row = 1; row <= 2000; ++row)
        ASSERT_EQ(grid->text(row, 10), u"e"_s + QString::number(row - 1)) << row;
}

TEST_F(ItemListRefresh, ASlowBrowserKeepsNoStepWaitingAndItsAnswersLandWhereTheyBelong)
{
    addMany(30);
    showWindow();
    auto *all = browser->page()->collectionDouble(automation::CollectionKind::All).get();
    window.UpdateItemList(false);

    all->holdReads();
    clearReads();
    window.tmrUpdate_Timer();
    window.tmrUpdate_Timer();
    EXPECT_EQ(readManyCalls(), 1) << "a step sends nothing while its read is out";
    EXPECT_TRUE(isPlaceholder(1));
    EXPECT_NE(status(), u"Ready"_s);

    // The whole row lands at once.
    all->releaseReads();
    window.tmrUpdate_Timer();
    EXPECT_EQ(grid->text(1, 10), u"e0"_s);
    EXPECT_EQ(grid->text(1, 8), u"t"_s);
    EXPECT_EQ(grid->text(1, 9), u"h"_s);

    // A refresh drops the read that is out: its answer never reaches the new list.
    all->holdReads();
    window.tmrUpdate_Timer();
    add(u"B"_s);
    window.UpdateItemList(false);
    all->releaseReads();
    fillAll();
    EXPECT_EQ(grid->rows(), 32);
    for (int row = 1; row <= 31; ++row) {
        ASSERT_EQ(grid->text(row, 10), u"e"_s + QString::number(row - 1)) << row;
        ASSERT_EQ(grid->text(row, 9), u"h"_s) << row;
    }
}

TEST_F(ItemListRefresh, FailedReadsArePinkAndInputsAndLinksGetTheClickPicture)
{
    add(u"INPUT"_s);
    add(u"A"_s, u"http://b.test/"_s);
    add(u"input"_s);
    browser->page()->addElement({{u"tagName"_s, QVariant(u"DIV"_s)}});
    window.UpdateItemList(false);
    fillAll();

    const QColor white(255, 255, 255);
    const QColor pink(255, 200, 200);
    for (int col = 1; col <= 10; ++col)
        EXPECT_EQ(grid->background(1, col), white) << col;
    EXPECT_EQ(grid->text(4, 1), u"DIV"_s);
    EXPECT_EQ(grid->background(4, 1), white);
    EXPECT_EQ(grid->background(4, 4), pink);
    EXPECT_EQ(grid->background(4, 10), pink);
    // Code 3 reads nothing, so it never fails.
    EXPECT_EQ(grid->background(4, 3), white);

    const qint64 raised = images.image(0).cacheKey();
    EXPECT_EQ(grid->picture(1, 3).cacheKey(), raised);
    EXPECT_EQ(grid->picture(2, 3).cacheKey(), raised);
    EXPECT_EQ(grid->pictureAlignment(2, 3), shared::PictureAlignment::CenterCenter);
    // The tag name test is case-sensitive.
    EXPECT_TRUE(grid->picture(3, 3).isNull());
    EXPECT_TRUE(grid->picture(4, 3).isNull());
}

TEST_F(ItemListRefresh, ALoadingPageShowsItsStateUnlessForced)
{
    addMany(3);
    browser->state().readyState = automation::ReadyState::Interactive;
    window.UpdateItemList(false);
    ASSERT_EQ(grid->rows(), 2);
    EXPECT_EQ(grid->text(1, 1), u"Webページ更新中"_s);
    EXPECT_EQ(grid->text(1, 2), u"表示中"_s);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(control<QLineEdit>(u"txtItemN_All"_s)->text().isEmpty());

    // Ctrl held on the Update button forces the list.
    ui.ctrlKeyDown = true;
    control<QPushButton>(u"cmdUpdateItem"_s)->click();
    EXPECT_EQ(grid->rows(), 4);
    EXPECT_EQ(ui.beeps, 1);

    // F5 is the button's key and Ctrl+F5 its Ctrl+click, wherever the focus
    // is. The first activation's refresh is forced too, Ctrl being down.
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(grid->rows(), 4);
    ui.ctrlKeyDown = false;
    QTest::keyClick(control(u"txtID_Str"_s), Qt::Key_F5);
    EXPECT_EQ(grid->rows(), 2);
    ui.ctrlKeyDown = true;
    QTest::keyClick(control(u"txtID_Str"_s), Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(grid->rows(), 4);
}

TEST_F(ItemListRefresh, APendingFillEndsCleanlyBehindTheLoadingRow)
{
    addMany(200);
    showWindow();
    window.UpdateItemList(false);
    window.tmrUpdate_Timer();

    browser->state().readyState = automation::ReadyState::Loading;
    window.UpdateItemList(false);
    window.tmrUpdate_Timer();
    EXPECT_EQ(grid->rows(), 2);
    EXPECT_EQ(grid->text(1, 1), u"Webページ更新中"_s);
    EXPECT_EQ(status(), u"Ready"_s);
    EXPECT_EQ(ui.pointer(), MousePointer::Default);
}

TEST_F(ItemListRefresh, APageThatChangesUnderTheSearchKeepsTheHeaderAndIsRebuilt)
{
    addMany(3);
    browser->clearJournal();
    window.UpdateItemList(false);
    // The search's own check of the page is the refresh's last address read.
    const qsizetype addressReads = browser->journal().count(u"LocationURL"_s);
    qsizetype reads = 0;
    browser->onEnter(u"LocationURL"_s, [&] {
        if (++reads == addressReads)
            browser->navigate(u"http://b.test/"_s);
    });

    window.UpdateItemList(false);
    EXPECT_EQ(grid->rows(), 1);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
    browser->onEnter(u"LocationURL"_s, [] {});
    browser->page()->addElement({{u"tagName"_s, QVariant(u"P"_s)}});
    window.tmrUpdate_Timer();
    ASSERT_EQ(grid->rows(), 2);
    EXPECT_TRUE(grid->tag().contains(u"http://b.test/"_s));
    fillAll();
    EXPECT_EQ(grid->text(1, 1), u"P"_s);
}

TEST_F(ItemListRefresh, TheWatchRebuildsForANewPageAndClosesOffTheWeb)
{
    addMany(2);
    showWindow();
    window.UpdateItemList(false);
    fillAll();

    browser->navigate(u"http://b.test/"_s);
    browser->page()->addElement({{u"tagName"_s, QVariant(u"P"_s)}});
    window.tmrUpdate_Timer();
    ASSERT_EQ(grid->rows(), 2);
    EXPECT_EQ(grid->text(1, 1), u"更新中"_s);
    EXPECT_TRUE(grid->tag().contains(u"http://b.test/"_s));
    window.tmrUpdate_Timer();
    EXPECT_EQ(grid->text(1, 1), u"P"_s);
    EXPECT_TRUE(window.isVisible());

    browser->navigate(u"file:///home/"_s);
    window.tmrUpdate_Timer();
    EXPECT_FALSE(window.isVisible());
}

// While the page check gets no answer, neither the step, the fill nor an
// update asks the browser anything; the window stays, keeps its list, says
// why, and goes on once the browser answers.
TEST_F(ItemListRefresh, ASilentBrowserIsAskedNothingUntilItAnswers)
{
    addMany(2000);
    showWindow();
    window.UpdateItemList(false);
    window.tmrUpdate_Timer();
    const QString notAnswering = QStringView(shared::kBrowserNotAnsweringText).toString();
    const auto silence = [&] {
        browser->leaveUnanswered(u"LocationURL"_s);
        browser->clearJournal();
        clearReads();
        window.tmrUpdate_Timer();
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 2);
        const int rows = grid->rows();
        window.UpdateItemList(false);
        EXPECT_EQ(grid->rows(), rows);
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(status().startsWith(notAnswering)) << status().toStdString();
        EXPECT_EQ(browser->journal(), QStringList{u"LocationURL"_s});
        EXPECT_EQ(readManyCalls(), 0);
        browser->clearFailure(u"LocationURL"_s);
    };

    ASSERT_TRUE(status().startsWith(u"Update："_s)) << status().toStdString();
    silence();
    window.tmrUpdate_Timer();
    EXPECT_GT(readManyCalls(), 0);
    EXPECT_TRUE(status().startsWith(u"Update："_s)) << status().toStdString();
    fillAll();

    silence();
    window.tmrUpdate_Timer();
    EXPECT_EQ(status(), u"Ready"_s);
}

TEST_F(ItemListRefresh, SortingWhileFillingKeepsItemNumbersWithTheirRows)
{
    addMany(200);
    showWindow();
    window.UpdateItemList(false);
    window.tmrUpdate_Timer();

    // The last rows, still placeholders, come into view.
    grid->sortByColumn(0, Qt::DescendingOrder);
    ASSERT_TRUE(isPlaceholder(1));
    ASSERT_EQ(grid->cellData(1, 1).toInt(), 199);
    // A batch under way is finished first.
    window.tmrUpdate_Timer();
    window.tmrUpdate_Timer();
    EXPECT_EQ(grid->text(1, 10), u"e199"_s);
    fillAll();
    for (int row = 1; row <= 200; ++row)
        ASSERT_EQ(grid->text(row, 10), u"e"_s + QString::number(grid->text(row, 0).toInt() - 1)) << row;
}

TEST_F(ItemListRefresh, AFailedReadShowsPinkWithItsNumberAndIsReadAgainLater)
{
    addMany(3);
    auto *all = browser->page()->collectionDouble(automation::CollectionKind::All).get();
    window.UpdateItemList(false);
    all->failOn(u"readMany"_s, automation::AutomationError::AutomationFailure, u"a dialog is open"_s);
    window.tmrUpdate_Timer();
    EXPECT_FALSE(isPlaceholder(1));
    // Code 3 reads nothing, so it never fails.
    for (const int col : {1, 2, 4, 5, 6, 7, 8, 9, 10})
        EXPECT_EQ(grid->background(1, col), QColor(255, 200, 200)) << col;
    const QString why = inspector::ItemListToolTip(*grid, 1, 10);
    EXPECT_TRUE(why.contains(QString::number(automation::AutomationError::AutomationFailure))) << why.toStdString();
    EXPECT_TRUE(why.contains(u"a dialog is open"_s)) << why.toStdString();
    EXPECT_EQ(status(), u"Update： 0/ 3"_s);

    // Sorting while rows wait for their read again keeps each with its element.
    grid->sortByColumn(0, Qt::DescendingOrder);
    all->clearFailure(u"readMany"_s);
    fillAll();
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(grid->text(row, 10), u"e"_s + QString::number(3 - row)) << row;
        EXPECT_EQ(grid->background(row, 10), QColor(255, 255, 255)) << row;
    }
}

TEST_F(ItemListRefresh, AReadTheBrowserLeftUnansweredLeavesItsRowsWaitingWithoutABeep)
{
    addMany(3);
    auto *all = browser->page()->collectionDouble(automation::CollectionKind::All).get();
    window.UpdateItemList(false);
    all->leaveUnanswered(u"readMany"_s);
    window.tmrUpdate_Timer();
    EXPECT_TRUE(isPlaceholder(1));
    EXPECT_EQ(grid->background(1, 1), QColor());
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());

    all->clearFailure(u"readMany"_s);
    fillAll();
    EXPECT_EQ(grid->text(3, 10), u"e2"_s);
}
