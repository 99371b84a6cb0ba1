#pragma once

// Setting up the list grids of both list windows. Widths are in twips.

#include <QString>
#include <Qt>

namespace shared {

class ListGrid;

// The look and behaviour both list grids share: cols columns and rows rows,
// header borders drag to resize, a header click sorts by its column and
// shows the direction, no whole-column selection, scroll bars both ways,
// every second data row light grey, the last column not stretched, the
// view following the scroll thumb while it is dragged, Tab leaving the grid
// for the next control (arrows move between cells) and the grid's own
// accessibility (GridAccessible).
void SetListGridStyle(ListGrid &grid, int cols, int rows);

// The number column: numbers right-aligned, header left-aligned.
void SetupFixedColumn(ListGrid &grid, int col, int width, const QString &caption);
void SetupColumn(ListGrid &grid, int col, int width, const QString &caption,
                 Qt::Alignment alignment);

// The standard widths: 500 for the number column (wider where FitNumberColumn
// needs it for the last row's number), 705 (one cell button) for a column
// keyed "Click", 1000 for any other.
void ResetColumnWidths(ListGrid &grid);

// Widens the number column when it would cut numbers as long as largest: to
// show them whole, and to no less than its standard width. A column that
// already shows them whole keeps the width the design or the user gave it.
void FitNumberColumn(ListGrid &grid, qint64 largest);

} // namespace shared
