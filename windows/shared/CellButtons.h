#pragma once

// Push buttons drawn inside grid cells with the main window's cell button
// images (see CellButtonImages for the indexes). Before the main window has
// registered its images there is no button to draw or hit.

#include "windows/shared/CellPicture.h"

class QPoint;

namespace shared {

class ListGrid;

void SetCellButton(ListGrid &grid, int row, int col, int imageIndex, PictureAlignment alignment);
// Redraws the current cell's button, as the pressed image and back.
void SetCurrentCellButton(ListGrid &grid, int imageIndex);

// Whether the cell shows the raised image of imageIndex's pair: a button
// ready to be pressed (one showing the pressed image is already busy).
bool IsCellButton(const ListGrid &grid, int row, int col, int imageIndex);

// Whether a press at viewportPos lies on the raised image of imageIndex's
// pair in the cell under it. Any data cell outside the number column that
// is pressed becomes the current cell, button or not.
bool IsMouseOnCellButton(ListGrid &grid, const QPoint &viewportPos, int imageIndex);

} // namespace shared
