// What the user does with the inspector's element grid besides reading it:
// edit values into the page, click and focus elements, copy cells, restore
// the order and the widths, read long cells from tool tips.
#include "platform/ui/Twips.h"
#include "tests/inspector/InspectorFixture.h"
#include "tests/support/QtPrinting.h"
#include "windows/inspector/ItemListToolTip.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolTip>

using namespace Qt::StringLiterals;
using automation::doubles::ElementDouble;

namespace {

constexpr int kValueCol = 5;
constexpr int kIdCol = 10;

class GridInteractions : public testsupport::InspectorFixture
{
protected:
    // Three text boxes e0 to e2 and a link e3, listed and filled.
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i) {
            boxes.append(add(u"INPUT"_s));
            boxes.last()->set(u"value"_s, QString(u"v"_s + QString::number(i)));
        }
        link = add(u"A"_s, u"http://b.test/"_s);
        showWindow();
        window.UpdateItemList(false);
        fillAll();
    }

    QPoint cellCentre(int row, int col) const
    {
        return grid->visualRect(grid->model()->index(row - 1, col)).center();
    }
    // As the user's: a click, then the double-click.
    void doubleClick(int row, int col)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(row, col));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(row, col));
    }
    void press(int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(grid->viewport(), button, {}, cellCentre(row, col));
        QTest::mouseRelease(grid->viewport(), button, {}, cellCentre(row, col));
    }
    void pressCorner(bool twice)
    {
        QWidget *header = grid->horizontalHeader()->viewport();
        const QPoint corner(grid->columnWidth(0) / 2, header->height() / 2);
        QTest::mouseClick(header, Qt::LeftButton, {}, corner);
        if (twice)
            QTest::mouseDClick(header, Qt::LeftButton, {}, corner);
    }
    // Closed editors linger hidden until deleted.
    QLineEdit *editor() const
    {
        for (QLineEdit *editor : grid->viewport()->findChildren<QLineEdit *>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    bool editing() const { return editor() != nullptr; }
    // Types text into the open editor and leaves it with key.
    void type(const QString &text, Qt::Key key)
    {
        ASSERT_TRUE(editing());
        editor()->setText(text);
        QTest::keyClick(editor(), key);
        QApplication::processEvents(); // the editor commits after its key press
    }
    qint64 raisedImage() const { return images.image(0).cacheKey(); }
    qint64 pressedImage() const { return images.image(1).cacheKey(); }

    QList<std::shared_ptr<ElementDouble>> boxes;
    std::shared_ptr<ElementDouble> link;
};

} // namespace

TEST_F(GridInteractions, AnEditedValueReachesTheElementOfItsRowAfterSorting)
{
    grid->sortByColumn(kIdCol, Qt::DescendingOrder);
    ASSERT_EQ(grid->text(2, kIdCol), u"e2"_s);

    doubleClick(2, kValueCol);
    type(u"新しい値"_s, Qt::Key_Return);
    EXPECT_EQ(boxes[2]->value(u"value"_s).toString(), u"新しい値"_s);
    EXPECT_EQ(boxes[1]->value(u"value"_s).toString(), u"v1"_s);
    EXPECT_EQ(grid->text(2, kValueCol), u"新しい値"_s);
    EXPECT_EQ(ui.beeps, 0);

    // From the keyboard: F2 or Enter opens the editor, Escape leaves the page alone.
    grid->setFocus();
    grid->setCurrent(3, kValueCol);
    QTest::keyClick(grid, Qt::Key_F2);
    type(u"捨てる"_s, Qt::Key_Escape);
    EXPECT_FALSE(editing());
    EXPECT_EQ(boxes[1]->value(u"value"_s).toString(), u"v1"_s);
    EXPECT_EQ(grid->text(3, kValueCol), u"v1"_s);
    QTest::keyClick(grid, Qt::Key_Return);
    type(u"x"_s, Qt::Key_Enter);
    EXPECT_EQ(boxes[1]->value(u"value"_s).toString(), u"x"_s);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(GridInteractions, ARefusedWriteBeepsTwiceAndAPageOffTheWebIsNotWritten)
{
    boxes[0]->failOn(u"value"_s, automation::AutomationError::AutomationFailure);
    doubleClick(1, kValueCol);
    type(u"拒否"_s, Qt::Key_Return);
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(grid->text(1, kValueCol), u"拒否"_s);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());

    // Writing in the gone page would hit the element of the same number
    // in whatever the tab shows now.
    browser->navigate(u"file:///tmp/"_s);
    doubleClick(2, kValueCol);
    type(u"残る"_s, Qt::Key_Return);
    EXPECT_EQ(grid->text(2, kValueCol), u"残る"_s);
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(GridInteractions, OnlyAValueThatWasReadOpensAnEditor)
{
    boxes[0]->clearJournal();
    doubleClick(1, 4);
    EXPECT_FALSE(editing());

    // An element without a value has a pink cell.
    browser->page()->addElement({{u"tagName"_s, QVariant(u"DIV"_s)}});
    window.UpdateItemList(false);
    fillAll();
    doubleClick(5, kValueCol);
    EXPECT_FALSE(editing());

    window.UpdateItemList(false);
    ASSERT_TRUE(isPlaceholder(3));
    doubleClick(3, kValueCol);
    EXPECT_FALSE(editing());
    QTest::keyClick(grid, Qt::Key_F2);
    EXPECT_FALSE(editing());
}

TEST_F(GridInteractions, DoubleClickOnANameOrIdFocusesThatElement)
{
    for (const auto &box : boxes)
        box->clearJournal();
    doubleClick(2, kIdCol);
    EXPECT_TRUE(boxes[1]->journal().contains(u"focus"_s));
    EXPECT_FALSE(boxes[0]->journal().contains(u"focus"_s));
    EXPECT_TRUE(browser->journal().contains(u"bringToFront"_s));

    // An empty identifier is still looked up: the page finds nothing.
    browser->page()->addElement({{u"tagName"_s, QVariant(u"DIV"_s)}});
    window.UpdateItemList(false);
    fillAll();
    browser->page()->clearJournal();
    for (const auto &box : boxes)
        box->clearJournal();
    doubleClick(5, kIdCol);
    EXPECT_TRUE(browser->page()->journal().contains(u"getElementById"_s));
    for (const auto &box : boxes)
        EXPECT_FALSE(box->journal().contains(u"focus"_s));
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(GridInteractions, ThePictureClicksItsElementAndIsRaisedAgainWhateverHappens)
{
    ASSERT_EQ(grid->picture(4, 3).cacheKey(), raisedImage());
    link->clearJournal();
    press(4, 3);
    EXPECT_TRUE(link->journal().contains(u"Click"_s));
    EXPECT_EQ(grid->picture(4, 3).cacheKey(), raisedImage());

    // A click the page fails is reported, and the button comes back first.
    boxes[0]->failOn(u"Click"_s, automation::AutomationError::ServerUnavailable);
    qint64 imageAtReport = 0;
    ui.onMessageBox = [&] { imageAtReport = grid->picture(1, 3).cacheKey(); };
    press(1, 3);
    ASSERT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_TRUE(ui.messageBoxes[0].text.contains(u"462"_s));
    EXPECT_EQ(imageAtReport, raisedImage());
    EXPECT_EQ(grid->picture(1, 3).cacheKey(), raisedImage());

    // Beside the picture, nothing is clicked.
    boxes[1]->clearJournal();
    const QRect cell = grid->visualRect(grid->model()->index(1, 3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 1, cell.center().y()));
    EXPECT_FALSE(boxes[1]->journal().contains(u"Click"_s));
}

TEST_F(GridInteractions, TheCornerRestoresTheSearchOrderAndItsDoubleClickTheWidths)
{
    grid->sortByColumn(kIdCol, Qt::DescendingOrder);
    ASSERT_EQ(grid->text(1, 0), u"4"_s);
    pressCorner(false);
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(grid->cellData(row, 1).toInt(), row - 1);
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), 0);

    grid->setColWidth(kValueCol, 3000);
    EXPECT_EQ(grid->columnWidth(0), ui::TwipsToPixelsX(*grid, 480));
    pressCorner(true);
    EXPECT_EQ(grid->columnWidth(0), ui::TwipsToPixelsX(*grid, 500));
    EXPECT_EQ(grid->columnWidth(3), ui::TwipsToPixelsX(*grid, 705));
    EXPECT_EQ(grid->columnWidth(kValueCol), ui::TwipsToPixelsX(*grid, 1000));

    // The corner's right border still resizes the number column.
    QWidget *header = grid->horizontalHeader()->viewport();
    const int before = grid->columnWidth(0);
    const QPoint border(before - 1, header->height() / 2);
    const QPoint dragged = border + QPoint(30, 0);
    QTest::mousePress(header, Qt::LeftButton, {}, border);
    QMouseEvent drag(QEvent::MouseMove, dragged, header->mapToGlobal(dragged), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(header, &drag);
    QTest::mouseRelease(header, Qt::LeftButton, {}, dragged);
    EXPECT_EQ(grid->columnWidth(0), before + 30);
    EXPECT_EQ(grid->cellData(1, 1).toInt(), 0);
}

TEST_F(GridInteractions, CopyTakesExactlyTheCellThatWasRightClicked)
{
    auto *menu = window.findChild<QMenu *>(u"mnuGrid01"_s);
    press(3, kIdCol, Qt::RightButton);
    EXPECT_EQ(grid->row(), 3);
    EXPECT_EQ(grid->col(), kIdCol);
    ASSERT_TRUE(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_C);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(ui.clipboardTexts, QList<QString>{u"e2"_s});

    // From the keyboard: Ctrl+C copies the current cell, the menu key opens the menu.
    grid->setFocus();
    grid->setCurrent(2, kValueCol);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui.clipboardTexts.last(), u"v1"_s);
    const QPoint centre = grid->visualRect(grid->currentIndex()).center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre, grid->viewport()->mapToGlobal(centre));
    QApplication::sendEvent(grid, &menuKey);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(GridInteractions, ToolTipsShowCellsAndItemNumbers)
{
    link->set(u"innerHTML"_s, u"<b>long mark-up</b>"_s);
    link->set(u"innerText"_s, QString(100000, u'x'));
    window.UpdateItemList(false);
    fillAll();
    EXPECT_EQ(inspector::ItemListToolTip(*grid, 4, 0), u"ItemNo: 3"_s);
    EXPECT_EQ(inspector::ItemListToolTip(*grid, 4, 9), u"<b>long mark-up</b>"_s);
    // Where a double-click focuses the element, the tip names the key too.
    EXPECT_TRUE(inspector::ItemListToolTip(*grid, 1, kIdCol).startsWith(u"e0\n"_s));
    EXPECT_TRUE(inspector::ItemListToolTip(*grid, 1, kIdCol).contains(u"Ctrl+Enter"_s));
    EXPECT_EQ(inspector::ItemListToolTip(*grid, 0, 0), QString());
    EXPECT_EQ(inspector::ItemListToolTip(*grid, 0, 4), QString());
    // A cell too long for a tool tip is cut, and says how to copy all of it.
    EXPECT_TRUE(inspector::ItemListToolTip(*grid, 4, 8)
                    .endsWith(u"x…\n以下省略。全文は Ctrl+C または右クリックの「コピー」でコピーできます"_s));

    // Hovering shows it, mark-up as it is written.
    const auto hover = [&](int col) {
        const QPoint pos = cellCentre(4, col);
        QHelpEvent event(QEvent::ToolTip, pos, grid->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(grid->viewport(), &event);
        return QToolTip::text();
    };
    EXPECT_EQ(hover(0), u"ItemNo: 3"_s);
    EXPECT_TRUE(hover(9).contains(u"&lt;b&gt;long"_s)) << hover(9).toStdString();
}
