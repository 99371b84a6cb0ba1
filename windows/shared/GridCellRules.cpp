#include "windows/shared/GridCellRules.h"

#include "windows/shared/CellButtons.h"
#include "windows/shared/ListGrid.h"

#include <QPersistentModelIndex>

namespace shared {

namespace {

// Kept as the grid's child, so that the rules end with it.
class RulesHolder final : public QObject
{
public:
    RulesHolder(ListGrid &grid, GridCellRules rules)
        : QObject(&grid)
        , rules(std::move(rules))
    {
    }

    GridCellRules rules;
};

RulesHolder *holderOf(const ListGrid &grid)
{
    for (QObject *child : grid.children()) {
        if (auto *holder = dynamic_cast<RulesHolder *>(child))
            return holder;
    }
    return nullptr;
}

// The grid numbers its data rows from 1, under its header row.
int gridRow(const QModelIndex &index)
{
    return index.row() + 1;
}

} // namespace

void SetGridCellRules(ListGrid &grid, GridCellRules rules)
{
    delete holderOf(grid);
    new RulesHolder(grid, std::move(rules));
}

bool IsEditableCell(const ListGrid &grid, const QModelIndex &index)
{
    const RulesHolder *holder = holderOf(grid);
    return holder && holder->rules.editable && holder->rules.editable(gridRow(index), index.column());
}

bool IsPressableCell(const ListGrid &grid, const QModelIndex &index)
{
    const RulesHolder *holder = holderOf(grid);
    return holder && holder->rules.press
           && IsCellButton(grid, gridRow(index), index.column(), holder->rules.buttonImage);
}

void PressCellLater(ListGrid &grid, const QModelIndex &index)
{
    // The cell is kept as its item's, which a sort meanwhile moves; a grid
    // gone meanwhile takes the call with it.
    QMetaObject::invokeMethod(
        &grid,
        [&grid, cell = QPersistentModelIndex(index)] {
            if (cell.isValid() && IsPressableCell(grid, cell))
                holderOf(grid)->rules.press(gridRow(cell), cell.column());
        },
        Qt::QueuedConnection);
}

QString PressDescription(const ListGrid &grid)
{
    const RulesHolder *holder = holderOf(grid);
    return holder ? holder->rules.pressDescription : QString();
}

} // namespace shared
