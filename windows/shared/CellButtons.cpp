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

bool IsCellButton(const ListGrid &grid, int row, int col, int imageIndex)
{
    const QPixmap picture = grid.picture(row, col);
    // The raised image is the even index of its pair.
    return !picture.isNull() && picture.cacheKey() == cellButtonImage(imageIndex & ~1).cacheKey();
}

bool IsMouseOnCellButton(ListGrid &grid, const QPoint &viewportPos, int imageIndex)
{
    const int row = grid.mouseRow(viewportPos);
    const int col = grid.mouseCol(viewportPos);
    if (row <= 0 || col <= 0)
        return false;
    grid.setCurrent(row, col);
    if (!IsCellButton(grid, row, col, imageIndex))
        return false;

    const QPixmap picture = grid.picture(row, col);
    const PictureExtent extent =
        pictureExtent(grid.columnViewportPosition(col), grid.columnWidth(col),
                      picture.deviceIndependentSize().width(), grid.pictureAlignment(row, col));
    return extent.left <= viewportPos.x() && viewportPos.x() <= extent.right;
}

} // namespace shared
