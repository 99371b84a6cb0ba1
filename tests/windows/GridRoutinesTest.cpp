#include "tests/ui/RecordingUiServices.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/CellButtons.h"
#include "windows/shared/GridSetup.h"
#include "windows/shared/GridWrites.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/MainFormParts.h"
#include "platform/ui/Twips.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace shared;

namespace {

// A grid set up as the browser list sets up its own.
class BrowserListGrid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetListGridStyle(grid, 7, 1);
        SetupFixedColumn(grid, 0, 400, u"No"_s);
        const QString keys[] = {u"Click"_s, u"Status"_s, u"URL"_s, u"LocationName"_s, u"hWnd"_s, u"Type"_s};
        const int widths[] = {720, 800, 2000, 3000, 1200, 1200};
        for (int col = 1; col <= 6; ++col) {
            SetupColumn(grid, col, widths[col - 1], keys[col - 1], Qt::AlignLeft | Qt::AlignVCenter);
            grid.setCellData(0, col, keys[col - 1]);
        }
        grid.resize(900, 300);
        grid.show();
    }

    // A point inside the given data cell, dx pixels from its left edge.
    QPoint at(int row, int col, int dx = 2) const
    {
        return {grid.columnViewportPosition(col) + dx, grid.rowViewportPosition(row - 1) + 2};
    }

    int px(int twips) const { return ui::TwipsToPixelsX(grid, twips); }

    // What a screen reader says for a data cell.
    QString readAloud(int row, int col)
    {
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(&grid)->tableInterface()->cellAt(row - 1, col);
        return cell ? cell->text(QAccessible::Name) : u"(no cell)"_s;
    }

    ui::RecordingUiServices ui;
    CellButtonImages images;
    QLabel statusPanel;
    MainFormParts parts{&statusPanel, images};
    ListGrid grid;
};

} // namespace

TEST_F(BrowserListGrid, CellTextIsWrittenOnlyWhenItChanges)
{
    SetRowCount(grid, 2);
    QSignalSpy writes(grid.model(), &QAbstractItemModel::dataChanged);
    SetCellText(grid, 1, 3, u""_s);
    EXPECT_EQ(writes.size(), 0);
    SetCellText(grid, 1, 3, u"http://a/"_s);
    const qsizetype written = writes.size();
    EXPECT_GT(written, 0);
    SetCellText(grid, 1, 3, u"http://a/"_s);
    EXPECT_EQ(writes.size(), written);
    SetCellText(grid, 1, 3, u"HTTP://a/"_s);
    EXPECT_EQ(writes.size(), written + 1);
    EXPECT_EQ(grid.text(1, 3), u"HTTP://a/"_s);
}

TEST_F(BrowserListGrid, RowCountChangesAtTheBottomOnly)
{
    SetRowCount(grid, 4);
    for (int row = 1; row <= 3; ++row) {
        SetCellText(grid, row, 0, QString::number(row));
        SetCellButton(grid, row, 1, 4, PictureAlignment::CenterCenter);
    }
    QSignalSpy inserted(grid.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(grid.model(), &QAbstractItemModel::rowsRemoved);
    SetRowCount(grid, 4);
    EXPECT_EQ(inserted.size() + removed.size(), 0);

    SetRowCount(grid, 2);
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.text(1, 0), u"1"_s);
    EXPECT_FALSE(grid.picture(1, 1).isNull());

    SetRowCount(grid, 4);
    EXPECT_EQ(grid.text(2, 0), u""_s);
    EXPECT_TRUE(grid.picture(2, 1).isNull());
    EXPECT_TRUE(grid.picture(3, 1).isNull());
}

TEST_F(BrowserListGrid, HitTestMovesTheCurrentCellButOnlyARaisedButtonHits)
{
    SetRowCount(grid, 3);
    SetCellButton(grid, 1, 1, 4, PictureAlignment::CenterCenter);
    SetCellButton(grid, 2, 1, 5, PictureAlignment::CenterCenter);
    const int middle = px(720) / 2;

    // The number column, above the rows and below them: no hit, no move.
    grid.setCurrent(2, 3);
    EXPECT_FALSE(IsMouseOnCellButton(grid, at(1, 0), 4));
    EXPECT_FALSE(IsMouseOnCellButton(grid, QPoint(middle, -5), 4));
    EXPECT_FALSE(IsMouseOnCellButton(grid, QPoint(middle, grid.viewport()->height() - 1), 4));
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 3);

    EXPECT_FALSE(IsMouseOnCellButton(grid, at(1, 3), 4));
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 3);
    EXPECT_FALSE(IsMouseOnCellButton(grid, at(2, 1, middle), 4)) << "pressed image";
    EXPECT_EQ(grid.row(), 2);

    EXPECT_TRUE(IsMouseOnCellButton(grid, at(1, 1, middle), 4));
    // Either index of the pair names it; another pair's image does not match.
    EXPECT_TRUE(IsMouseOnCellButton(grid, at(1, 1, middle), 5));
    EXPECT_FALSE(IsMouseOnCellButton(grid, at(1, 1, middle), 0));
    EXPECT_FALSE(IsMouseOnCellButton(grid, at(1, 1, middle), -1));
}

TEST_F(BrowserListGrid, ButtonExtentFollowsThePictureAlignment)
{
    SetRowCount(grid, 4);
    grid.setColWidth(3, 2000);
    const int cell = grid.columnWidth(3);
    const int button = CellButtonImages::kWidth;
    SetCellButton(grid, 1, 3, 4, PictureAlignment::LeftCenter);
    SetCellButton(grid, 2, 3, 4, PictureAlignment::CenterCenter);
    SetCellButton(grid, 3, 3, 4, PictureAlignment::RightCenter);

    EXPECT_TRUE(IsMouseOnCellButton(grid, at(1, 3, 0), 4));
    EXPECT_TRUE(IsMouseOnCellButton(grid, at(1, 3, button), 4));
    EXPECT_FALSE(IsMouseOnCellButton(grid, at(1, 3, button + 1), 4));

    const int left = (cell - button + 1) / 2;
    EXPECT_FALSE(IsMouseOnCellButton(grid, at(2, 3, left - 1), 4));
    EXPECT_TRUE(IsMouseOnCellButton(grid, at(2, 3, left), 4));
    EXPECT_TRUE(IsMouseOnCellButton(grid, at(2, 3, (cell + button) / 2), 4));
    EXPECT_FALSE(IsMouseOnCellButton(grid, at(2, 3, (cell + button) / 2 + 1), 4));

    EXPECT_FALSE(IsMouseOnCellButton(grid, at(3, 3, cell - button - 1), 4));
    EXPECT_TRUE(IsMouseOnCellButton(grid, at(3, 3, cell - button), 4));
    EXPECT_TRUE(IsMouseOnCellButton(grid, at(3, 3, cell - 1), 4));
}

TEST_F(BrowserListGrid, AButtonColumnOfItsStandardWidthIsAllButton)
{
    SetRowCount(grid, 2);
    ResetColumnWidths(grid);
    ASSERT_EQ(grid.columnWidth(1), CellButtonImages::kWidth) << "705 twips at 96 dpi";
    SetCellButton(grid, 1, 1, 4, PictureAlignment::CenterCenter);
    for (int dx = 0; dx < grid.columnWidth(1); ++dx)
        EXPECT_TRUE(IsMouseOnCellButton(grid, at(1, 1, dx), 4)) << dx;
}

TEST_F(BrowserListGrid, CurrentCellButtonSwapsTheImageInPlace)
{
    SetRowCount(grid, 2);
    SetCellButton(grid, 1, 1, 4, PictureAlignment::RightCenter);
    ASSERT_TRUE(IsMouseOnCellButton(grid, at(1, 1, px(720) - 2), 4));
    SetCurrentCellButton(grid, 5);
    EXPECT_EQ(grid.picture(1, 1).cacheKey(), images.image(5).cacheKey());
    EXPECT_EQ(grid.pictureAlignment(1, 1), PictureAlignment::RightCenter);
    EXPECT_FALSE(IsMouseOnCellButton(grid, at(1, 1, px(720) - 2), 4));
    SetCurrentCellButton(grid, 4);
    EXPECT_TRUE(IsMouseOnCellButton(grid, at(1, 1, px(720) - 2), 4));
}

TEST_F(BrowserListGrid, ResetGivesTheStandardWidths)
{
    for (int col = 0; col < grid.cols(); ++col)
        grid.setColWidth(col, 3000);
    ResetColumnWidths(grid);
    EXPECT_EQ(grid.columnWidth(0), px(500));
    EXPECT_EQ(grid.columnWidth(1), px(705));
    for (int col = 2; col < grid.cols(); ++col)
        EXPECT_EQ(grid.columnWidth(col), px(1000)) << col;
}

TEST_F(BrowserListGrid, TheNumberColumnWidensOnlyToShowItsLargestNumberWhole)
{
    // What Qt measures the column's cells in view to need.
    const auto needed = [&] { return static_cast<const QAbstractItemView &>(grid).sizeHintForColumn(0); };
    SetRowCount(grid, 3);
    SetCellText(grid, 1, 0, u"9"_s);
    FitNumberColumn(grid, 9);
    EXPECT_EQ(grid.columnWidth(0), px(400)) << "as designed while its numbers fit";

    SetCellText(grid, 2, 0, u"88888"_s);
    FitNumberColumn(grid, 99999);
    EXPECT_GE(grid.columnWidth(0), needed());
    EXPECT_GE(grid.columnWidth(0), px(500));

    grid.setColWidth(0, 3000);
    FitNumberColumn(grid, 99999);
    EXPECT_EQ(grid.columnWidth(0), px(3000)) << "the user's width stands";

    // A reset cuts no row number either.
    SetRowCount(grid, 100000);
    ResetColumnWidths(grid);
    EXPECT_GE(grid.columnWidth(0), needed());
}

TEST_F(BrowserListGrid, HeaderClicksSortWholeRowsAndShowTheDirection)
{
    const QString numbers[] = {u"10"_s, u"9"_s, u"100"_s};
    const QString titles[] = {u"b"_s, u"C"_s, u"a"_s};
    SetRowCount(grid, 4);
    for (int row = 1; row <= 3; ++row) {
        SetCellText(grid, row, 0, numbers[row - 1]);
        SetCellText(grid, row, 4, titles[row - 1]);
        grid.setCellData(row, 1, row);
    }
    QHeaderView *header = grid.horizontalHeader();
    const auto clickHeader = [&](int col) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(col) + 5, header->height() / 2));
    };

    clickHeader(0);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(grid.text(1, 0), u"9"_s);
    EXPECT_EQ(grid.text(3, 0), u"100"_s);
    EXPECT_EQ(grid.cellData(1, 1).toInt(), 2) << "cell data travels with its row";
    EXPECT_FALSE(grid.selectionModel()->isColumnSelected(0, {}));

    clickHeader(0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(grid.text(1, 0), u"100"_s);

    clickHeader(4);
    EXPECT_EQ(grid.text(1, 4), u"a"_s);
    EXPECT_EQ(grid.text(2, 4), u"b"_s);
    EXPECT_EQ(grid.text(3, 4), u"C"_s);
    EXPECT_FALSE(grid.selectionModel()->isColumnSelected(4, {}));

    // Writing a cell afterwards leaves the rows where they are.
    SetCellText(grid, 1, 4, u"z"_s);
    EXPECT_EQ(grid.text(1, 4), u"z"_s);
}

TEST_F(BrowserListGrid, TheNumberColumnNeverBecomesCurrent)
{
    SetRowCount(grid, 3);
    grid.setCurrent(2, 3);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at(1, 0));
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 3);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at(1, 1));
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 1);
    QTest::keyClick(&grid, Qt::Key_Left);
    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(grid.col(), 1);
}

TEST_F(BrowserListGrid, AFinishedEditIsReportedForTheEditedCell)
{
    SetRowCount(grid, 3);
    SetCellText(grid, 1, 3, u"old"_s);
    QSignalSpy edited(&grid, &ListGrid::cellEdited);
    // Closed editors linger hidden until deleted.
    const auto openEditor = [&]() -> QLineEdit * {
        for (QLineEdit *editor : grid.viewport()->findChildren<QLineEdit *>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    };
    const auto type = [&](const QString &text) {
        QLineEdit *editor = openEditor();
        ASSERT_NE(editor, nullptr);
        editor->clear();
        // Key events carry their text: the test keyboard knows only ASCII.
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QCoreApplication::sendEvent(editor, &key);
    };

    grid.editCell(1, 3);
    type(u"ﾃｽﾄ値"_s);
    QTest::keyClick(openEditor(), Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits after its key press
    ASSERT_EQ(edited.size(), 1);
    EXPECT_EQ(edited[0], (QVariantList{1, 3}));
    EXPECT_EQ(grid.text(1, 3), u"ﾃｽﾄ値"_s);

    // Pressing another cell ends the edit after the current cell has moved.
    grid.editCell(2, 3);
    type(u"x"_s);
    grid.setCurrent(1, 4);
    ASSERT_EQ(edited.size(), 2);
    EXPECT_EQ(edited[1], (QVariantList{2, 3}));
    EXPECT_EQ(grid.text(2, 3), u"x"_s);

    SetCellText(grid, 2, 3, u"y"_s);
    EXPECT_EQ(edited.size(), 2) << "the program's own writes are no edits";
}

TEST_F(BrowserListGrid, VisibleRowsAreReportedInGridRows)
{
    EXPECT_EQ(grid.topRow(), 0);
    SetRowCount(grid, 201);
    EXPECT_EQ(grid.topRow(), 1);
    const int bottom = grid.bottomRow();
    EXPECT_GT(bottom, 1);
    EXPECT_LT(bottom, 200);
    grid.scrollToBottom();
    EXPECT_EQ(grid.bottomRow(), 200);
    EXPECT_GT(grid.topRow(), 1);
}

TEST_F(BrowserListGrid, AScreenReaderReadsACellButtonAsItsLabelAndOtherCellsAsTheirText)
{
    SetRowCount(grid, 3);
    grid.setText(1, 2, u"完了"_s);
    SetCellButton(grid, 1, 1, CellButtonImages::kDetailRaised, PictureAlignment::CenterCenter);
    EXPECT_EQ(readAloud(1, 1), u"詳細"_s);
    EXPECT_EQ(readAloud(1, 2), u"完了"_s);
    EXPECT_EQ(readAloud(2, 1), QString());

    grid.setCurrent(1, 1);
    SetCurrentCellButton(grid, CellButtonImages::kDetailPressed);
    EXPECT_EQ(readAloud(1, 1), u"詳細"_s);

    // With its picture gone, the cell reads as its text again.
    grid.setText(2, 1, u"x"_s);
    SetCellButton(grid, 2, 1, 0, PictureAlignment::CenterCenter);
    EXPECT_EQ(readAloud(2, 1), u"クリック"_s);
    grid.setPicture(2, 1, QPixmap());
    EXPECT_EQ(readAloud(2, 1), u"x"_s);
}

TEST(CellButtonsWithoutMainWindow, DrawAndHitNothing)
{
    ListGrid grid;
    SetListGridStyle(grid, 3, 2);
    grid.resize(400, 200);
    SetCellButton(grid, 1, 1, 0, PictureAlignment::CenterCenter);
    EXPECT_TRUE(grid.picture(1, 1).isNull());
    // No button is drawn, so none is announced.
    QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(&grid)->tableInterface()->cellAt(0, 1);
    EXPECT_TRUE(cell->text(QAccessible::Name).isEmpty());
    const QPoint inCell(grid.columnViewportPosition(1) + 5, grid.rowViewportPosition(0) + 2);
    EXPECT_FALSE(IsMouseOnCellButton(grid, inCell, 0));
}
