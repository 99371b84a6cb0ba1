#include "windows/inspector/ItemListToolTip.h"

#include "windows/inspector/ItemColumns.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/NumberText.h"

using namespace Qt::StringLiterals;

namespace inspector {

QString ItemListToolTip(const shared::ListGrid &grid, int row, int col)
{
    if (row < 1 || row >= grid.rows() || col < 0)
        return {};
    if (col >= 1)
        return grid.text(row, col);
    return u"ItemNo:"_s + shared::SignedNumberText(grid.cellData(row, kItemNoCol).toLongLong());
}

} // namespace inspector
