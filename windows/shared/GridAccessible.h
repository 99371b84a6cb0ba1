#pragma once

// A list grid as a screen reader reads and uses it: a table whose cells
// tell what the grid's owner rules of them (GridCellRules). Qt's own table
// of an item view offers every cell a "Toggle" of its selection and never
// says that a cell may be edited.

namespace shared {

class ListGrid;

// Gives the grid that accessibility, in place of any that Qt made for it
// before (its construction asks for one while a reader listens).
void ProvideGridAccessibility(ListGrid &grid);

} // namespace shared
