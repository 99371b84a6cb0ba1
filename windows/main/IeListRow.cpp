#include "windows/main/IeListRow.h"

#include "windows/shared/CellButtons.h"
#include "windows/shared/GridWrites.h"
#include "windows/shared/ListGrid.h"

namespace {
constexpr int kDetailButton = 4; // "詳細", raised
constexpr int kHandleColumn = 5;
} // namespace

void SetIeListRow(shared::ListGrid &grid, const BrowserListRow &row)
{
    const int r = row.No;
    if (grid.rows() - 1 < r) {
        shared::SetRowCount(grid, r + 1);
        shared::SetCellButton(grid, r, 1, kDetailButton, shared::PictureAlignment::CenterCenter);
    }
    shared::SetCellText(grid, r, 0, QString::number(r));
    shared::SetCellText(grid, r, 1, QString());
    shared::SetCellText(grid, r, 2, row.Status);
    shared::SetCellText(grid, r, 3, row.URL);
    shared::SetCellText(grid, r, 4, row.LocationName);
    shared::SetCellText(grid, r, kHandleColumn, row.hWnd);
}

QString IeListToolTip(const shared::ListGrid &grid, int row, int col)
{
    if (row < 1 || col < 0)
        return {};
    return grid.text(row, col == 0 ? kHandleColumn : col);
}
