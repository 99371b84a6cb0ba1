#pragma once

#include <QString>

namespace shared {
class ListGrid;
} // namespace shared

namespace inspector {

// What the element grid shows on hover over (row, col): a data cell's text,
// so that long mark-up reads without widening its column (capped, and when
// cut saying how to copy the whole cell), why a cell could not be read, and
// on a Name or id cell the key that focuses the row's element; on the number
// column the row's item number ("ItemNo: 31"); nothing on the header.
QString ItemListToolTip(const shared::ListGrid &grid, int row, int col);

} // namespace inspector
