#include "windows/main/IeListRow.h"

#include "windows/shared/CellButtonImages.h"
#include "windows/shared/CellButtons.h"
#include "windows/shared/GridWrites.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/ToolTipText.h"

using namespace ielist;

void SetIeListRow(shared::ListGrid &grid, const BrowserListRow &row)
{
    const int r = row.No;
    if (grid.rows() - 1 < r) {
        shared::SetRowCount(grid, r + 1);
        shared::SetCellButton(grid, r, DetailColumn, shared::CellButtonImages::kDetailRaised,
                              shared::PictureAlignment::CenterCenter);
    }
    shared::SetCellText(grid, r, NumberColumn, QString::number(r));
    shared::SetCellText(grid, r, DetailColumn, QString());
    shared::SetCellText(grid, r, StatusColumn, row.Status);
    shared::SetCellText(grid, r, UrlColumn, row.URL);
    shared::SetCellText(grid, r, TitleColumn, row.LocationName);
    shared::SetCellText(grid, r, HandleColumn, row.hWnd);
}

QString IeListToolTip(const shared::ListGrid &grid, int row, int col)
{
    if (row < 1 || col < 0)
        return {};
    return shared::CappedToolTip(grid.text(row, col == NumberColumn ? HandleColumn : col));
}
