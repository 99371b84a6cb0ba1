#include "windows/shared/GridSetup.h"

#include "platform/ui/Twips.h"
#include "windows/shared/GridAccessible.h"
#include "windows/shared/ListGrid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace shared {

using namespace Qt::StringLiterals;

namespace {

// Standard column widths, in twips.
constexpr int kNumberColumnWidth = 500;
constexpr int kButtonColumnWidth = 705;
constexpr int kOtherColumnWidth = 1000;

// What a data cell needs to show text whole, measured as the grid's items
// measure themselves, with the grid line drawn inside the column.
int cellWidthFor(const ListGrid &grid, const QString &text)
{
    QStyleOptionViewItem option;
    option.initFrom(&grid);
    option.font = grid.font();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = text;
    const QSize content = grid.style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &grid);
    return content.width() + (grid.showGrid() ? 1 : 0);
}

// A proportional font's digits need not be equally wide.
QChar widestDigit(const QFontMetrics &metrics)
{
    QChar widest = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
            widest = QChar(digit);
    }
    return widest;
}

} // namespace

void SetListGridStyle(ListGrid &grid, int cols, int rows)
{
    grid.setCols(cols);
    grid.setRows(rows);
    grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid.horizontalHeader()->setStretchLastSection(false);
    grid.setSortOnHeaderClick(true);
    // With single items selected, a header press selects nothing.
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setSelectionBehavior(QAbstractItemView::SelectItems);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid.horizontalScrollBar()->setTracking(true);
    grid.verticalScrollBar()->setTracking(true);
    QPalette palette = grid.palette();
    palette.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    grid.setPalette(palette);
    grid.setAlternatingRowColors(true);
    grid.setTabKeyNavigation(false);
    ProvideGridAccessibility(grid);
}

void SetupFixedColumn(ListGrid &grid, int col, int width, const QString &caption)
{
    SetupColumn(grid, col, width, caption, Qt::AlignRight | Qt::AlignVCenter);
    grid.setHeaderAlignment(col, Qt::AlignLeft | Qt::AlignVCenter);
}

void SetupColumn(ListGrid &grid, int col, int width, const QString &caption,
                 Qt::Alignment alignment)
{
    grid.setColWidth(col, width);
    grid.setText(0, col, caption);
    grid.setColAlignment(col, alignment);
}

void ResetColumnWidths(ListGrid &grid)
{
    for (int col = 0; col < grid.cols(); ++col) {
        int width = kOtherColumnWidth;
        if (col == 0)
            width = kNumberColumnWidth;
        else if (grid.cellData(0, col).toString() == u"Click"_s)
            width = kButtonColumnWidth;
        grid.setColWidth(col, width);
    }
    // Data rows are numbered from 1.
    FitNumberColumn(grid, grid.rows() - 1);
}

void FitNumberColumn(ListGrid &grid, qint64 largest)
{
    const QString widest(QString::number(largest).size(), widestDigit(grid.fontMetrics()));
    const int needed = ui::PixelsToTwipsX(grid, cellWidthFor(grid, widest));
    if (grid.colWidth(0) < needed)
        grid.setColWidth(0, std::max(needed, kNumberColumnWidth));
}

} // namespace shared
