#include "windows/shared/GridWrites.h"

#include "windows/shared/ListGrid.h"

namespace shared {

void SetCellText(ListGrid &grid, int row, int col, const QString &text)
{
    if (grid.text(row, col) != text)
        grid.setText(row, col, text);
}

void SetRowCount(ListGrid &grid, int count)
{
    if (grid.rows() != count)
        grid.setRows(count);
}

} // namespace shared
