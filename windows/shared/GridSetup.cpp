#include "windows/shared/GridSetup.h"

#include "windows/shared/ListGrid.h"

#include <QHeaderView>
#include <QScrollBar>

namespace shared {

using namespace Qt::StringLiterals;

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
        int width = 1000;
        if (col == 0)
            width = 500;
        else if (grid.cellData(0, col).toString() == u"Click"_s)
            width = 705;
        grid.setColWidth(col, width);
    }
}

} // namespace shared
