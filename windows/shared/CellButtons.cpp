#include "windows/shared/CellButtons.h"

#include "windows/shared/CellButtonImages.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/MainFormParts.h"

namespace shared {

namespace {

QPixmap cellButtonImage(int imageIndex)
{
    const CellButtonImages *images = MainFormParts::images();
    return images ? images->image(imageIndex) : QPixmap();
}

} // namespace

void SetCellButton(ListGrid &grid, int row, int col, int imageIndex, PictureAlignment alignment)
{
    grid.setPicture(row, col, cellButtonImage(imageIndex), alignment, CellButtonImages::label(imageIndex));
}

void SetCurrentCellButton(ListGrid &grid, int imageIndex)
{
    grid.setPicture(grid.row(), grid.col(), cellButtonImage(imageIndex), CellButtonImages::label(imageIndex));
}

bool IsMouseOnCellButton(ListGrid &grid, const QPoint &viewportPos, int imageIndex)
{
    const int row = grid.mouseRow(viewportPos);
    const int col = grid.mouseCol(viewportPos);
    if (row <= 0 || col <= 0)
        return false;
    grid.setCurrent(row, col);

    const QPixmap picture = grid.picture(row, col);
    if (picture.isNull())
        return false;
    // Only the raised image of the pair (the even index) is a button to
    // press; a cell showing the pressed one is already busy.
    if (picture.cacheKey() != cellButtonImage(imageIndex & ~1).cacheKey())
        return false;

    const PictureExtent extent =
        pictureExtent(grid.columnViewportPosition(col), grid.columnWidth(col),
                      picture.deviceIndependentSize().width(), grid.pictureAlignment(row, col));
    return extent.left <= viewportPos.x() && viewportPos.x() <= extent.right;
}

} // namespace shared
