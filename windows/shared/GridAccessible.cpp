#include "windows/shared/GridAccessible.h"

#include "windows/shared/GridAccessibleCells.h"
#include "windows/shared/ListGrid.h"

#include <QAccessibleTableInterface>
#include <QAccessibleWidget>
#include <QHash>

namespace shared {

namespace {

class GridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessible(ListGrid &grid)
        : QAccessibleWidget(&grid, QAccessible::Table)
    {
    }
    ~GridAccessible() override { dropChildren(); }

    int childCount() const override { return (rowCount() + 1) * (columnCount() + 1); }

    // Children are made when first asked for. A cell follows its item, so
    // one that rows moved away from its place gives way to a new one.
    QAccessibleInterface *child(int index) const override
    {
        if (!isValid() || index < 0 || index >= childCount())
            return nullptr;
        const int row = index / (columnCount() + 1) - 1;
        const int col = index % (columnCount() + 1) - 1;
        if (const auto known = m_children.constFind(index); known != m_children.cend()) {
            QAccessibleInterface *made = QAccessible::accessibleInterface(*known);
            const auto *cell = dynamic_cast<GridCellAccessible *>(made);
            if (made && (!cell || cell->index() == grid().model()->index(row, col)))
                return made;
            QAccessible::deleteAccessibleInterface(*known);
            m_children.remove(index);
        }
        QAccessibleInterface *made = nullptr;
        if (row >= 0 && col >= 0)
            made = new GridCellAccessible(grid(), grid().model()->index(row, col));
        else
            made = new GridHeaderAccessible(grid(), row, col);
        m_children.insert(index, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (const auto *cell = dynamic_cast<const GridCellAccessible *>(child))
            return cell->isValid() ? cellIndex(cell->index()) : -1;
        if (const auto *header = dynamic_cast<const GridHeaderAccessible *>(child))
            return header->childIndex();
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint pos = grid().viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex index = grid().viewport()->rect().contains(pos) ? grid().indexAt(pos) : QModelIndex();
        return index.isValid() ? child(cellIndex(index)) : nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        const QModelIndex current = grid().currentIndex();
        return current.isValid() ? child(cellIndex(current)) : nullptr;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        return child(GridChildIndex(grid(), row, column));
    }
    int selectedCellCount() const override { return int(selection().size()); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (const QModelIndex &index : selection())
            cells.append(child(cellIndex(index)));
        return cells;
    }
    QString columnDescription(int column) const override
    {
        return grid().model()->headerData(column, Qt::Horizontal).toString();
    }
    QString rowDescription(int row) const override { return grid().model()->headerData(row, Qt::Vertical).toString(); }
    int columnCount() const override { return grid().model()->columnCount(); }
    int rowCount() const override { return grid().model()->rowCount(); }
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    QList<int> selectedColumns() const override
    {
        QList<int> columns;
        if (grid().selectionModel()) {
            for (const QModelIndex &index : grid().selectionModel()->selectedColumns())
                columns.append(index.column());
        }
        return columns;
    }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        if (grid().selectionModel()) {
            for (const QModelIndex &index : grid().selectionModel()->selectedRows())
                rows.append(index.row());
        }
        return rows;
    }
    bool isColumnSelected(int column) const override
    {
        return grid().selectionModel() && grid().selectionModel()->isColumnSelected(column);
    }
    bool isRowSelected(int row) const override
    {
        return grid().selectionModel() && grid().selectionModel()->isRowSelected(row);
    }
    // The selection is the user's, made by moving the current cell.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    void modelChange(QAccessibleTableModelChangeEvent *event) override
    {
        if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
            dropChildren();
    }

private:
    ListGrid &grid() const { return *static_cast<ListGrid *>(widget()); }
    int cellIndex(const QModelIndex &index) const { return GridChildIndex(grid(), index.row(), index.column()); }
    QModelIndexList selection() const
    {
        return grid().selectionModel() ? grid().selectionModel()->selectedIndexes() : QModelIndexList();
    }
    void dropChildren() const
    {
        for (const QAccessible::Id id : std::as_const(m_children))
            QAccessible::deleteAccessibleInterface(id);
        m_children.clear();
    }

    mutable QHash<int, QAccessible::Id> m_children;
};

QAccessibleInterface *gridAccessibility(const QString &, QObject *object)
{
    auto *grid = qobject_cast<ListGrid *>(object);
    return grid ? new GridAccessible(*grid) : nullptr;
}

} // namespace

void ProvideGridAccessibility(ListGrid &grid)
{
    QAccessible::installFactory(gridAccessibility);
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(&grid);
    if (made && !dynamic_cast<GridAccessible *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace shared
