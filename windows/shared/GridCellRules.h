#pragma once

// What a list grid's cells offer beyond their text, as the window that owns
// the grid rules it. Screen readers learn of it through the grid's
// accessibility (GridAccessible), so that they can tell an editable cell
// and press a cell button as the mouse and the keys do.

#include <QString>

class QModelIndex;

#include <functional>

namespace shared {

class ListGrid;

struct GridCellRules
{
    // Whether the user may edit the cell now; the window opens the editor.
    std::function<bool(int row, int col)> editable = nullptr;
    // Cells showing the raised image of this cell button pair are buttons;
    // press does what a press on the image does, and description says what
    // that is.
    int buttonImage = -1;
    QString pressDescription;
    std::function<void(int row, int col)> press = nullptr;
};

// The rules hold for the grid's lifetime; a grid without rules has no
// editable cell and no button.
void SetGridCellRules(ListGrid &grid, GridCellRules rules);

// For the cell of the grid's model at index.
bool IsEditableCell(const ListGrid &grid, const QModelIndex &index);
// Whether the cell shows its button ready to be pressed.
bool IsPressableCell(const ListGrid &grid, const QModelIndex &index);
// Presses the cell's button once the caller has returned to the event loop
// (a press may open a modal window), if it is still there to press.
void PressCellLater(ListGrid &grid, const QModelIndex &index);
QString PressDescription(const ListGrid &grid);

} // namespace shared
