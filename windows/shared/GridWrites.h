#pragma once

// Writes that touch a list grid only when something changes, so a list
// rewritten several times a second does not flicker.

#include <QString>

namespace shared {

class ListGrid;

// Exact comparison: a change of letter case is a change.
void SetCellText(ListGrid &grid, int row, int col, const QString &text);
// Rows come and go at the bottom; new rows are empty.
void SetRowCount(ListGrid &grid, int count);

} // namespace shared
