#include "windows/shared/GridAccessibleCells.h"

#include "windows/shared/GridCellRules.h"
#include "windows/shared/ListGrid.h"

#include <QHeaderView>

namespace shared {

namespace {

QRect onScreen(const QWidget &widget, const QRect &local)
{
    return QRect(widget.mapToGlobal(local.topLeft()), local.size());
}

} // namespace

int GridChildIndex(const QTableView &view, int row, int col)
{
    return (row + 1) * (view.model()->columnCount() + 1) + col + 1;
}

GridCellAccessible::GridCellAccessible(ListGrid &grid, const QModelIndex &index)
    : m_grid(&grid)
    , m_index(index)
{
}

bool GridCellAccessible::isValid() const
{
    return m_grid && m_index.isValid();
}

QObject *GridCellAccessible::object() const
{
    return nullptr;
}

QAccessibleInterface *GridCellAccessible::parent() const
{
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
}

QAccessibleInterface *GridCellAccessible::child(int) const
{
    return nullptr;
}

int GridCellAccessible::childCount() const
{
    return 0;
}

int GridCellAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *GridCellAccessible::childAt(int, int) const
{
    return nullptr;
}

QString GridCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    switch (t) {
    case QAccessible::Name: {
        const QVariant name = m_index.data(Qt::AccessibleTextRole);
        return name.isValid() ? name.toString() : m_index.data(Qt::DisplayRole).toString();
    }
    case QAccessible::Description:
        return m_index.data(Qt::AccessibleDescriptionRole).toString();
    default:
        return {};
    }
}

// A cell changes only through the grid's editor, which the window opens and
// whose text it writes where it belongs.
void GridCellAccessible::setText(QAccessible::Text, const QString &)
{
}

QRect GridCellAccessible::rect() const
{
    return isValid() ? onScreen(*m_grid->viewport(), m_grid->visualRect(m_index)) : QRect();
}

QAccessible::Role GridCellAccessible::role() const
{
    return QAccessible::Cell;
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.invisible = !m_grid->viewport()->rect().intersects(m_grid->visualRect(m_index));
    state.selected = isSelected();
    state.focused = m_grid->currentIndex() == m_index;
    state.selectable = state.focusable = m_index.flags().testFlag(Qt::ItemIsSelectable);
    state.editable = IsEditableCell(*m_grid, m_index);
    return state;
}

void *GridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    if (type == QAccessible::ActionInterface && isButton())
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

bool GridCellAccessible::isSelected() const
{
    return isValid() && m_grid->selectionModel() && m_grid->selectionModel()->isSelected(m_index);
}

QList<QAccessibleInterface *> GridCellAccessible::columnHeaderCells() const
{
    QAccessibleInterface *header = isValid() ? sibling(-1, m_index.column()) : nullptr;
    return header ? QList{header} : QList<QAccessibleInterface *>();
}

QList<QAccessibleInterface *> GridCellAccessible::rowHeaderCells() const
{
    // The number column labels the rows where the row headers are hidden.
    if (!isValid() || m_grid->verticalHeader()->isHidden())
        return {};
    QAccessibleInterface *header = sibling(m_index.row(), -1);
    return header ? QList{header} : QList<QAccessibleInterface *>();
}

int GridCellAccessible::columnIndex() const
{
    return m_index.column();
}

int GridCellAccessible::rowIndex() const
{
    return m_index.row();
}

int GridCellAccessible::columnExtent() const
{
    return 1;
}

int GridCellAccessible::rowExtent() const
{
    return 1;
}

QAccessibleInterface *GridCellAccessible::table() const
{
    return parent();
}

QStringList GridCellAccessible::actionNames() const
{
    return isButton() ? QStringList{pressAction()} : QStringList();
}

QString GridCellAccessible::localizedActionDescription(const QString &name) const
{
    return name == pressAction() && isButton() ? PressDescription(*m_grid)
                                               : QAccessibleActionInterface::localizedActionDescription(name);
}

void GridCellAccessible::doAction(const QString &name)
{
    if (name == pressAction() && isButton())
        PressCellLater(*m_grid, m_index);
}

QStringList GridCellAccessible::keyBindingsForAction(const QString &) const
{
    return {};
}

bool GridCellAccessible::isButton() const
{
    return isValid() && IsPressableCell(*m_grid, m_index);
}

QAccessibleInterface *GridCellAccessible::sibling(int row, int col) const
{
    QAccessibleInterface *grid = parent();
    return grid ? grid->child(GridChildIndex(*m_grid, row, col)) : nullptr;
}

GridHeaderAccessible::GridHeaderAccessible(QTableView &view, int row, int col)
    : m_view(&view)
    , m_row(row)
    , m_col(col)
{
}

int GridHeaderAccessible::childIndex() const
{
    return m_view ? GridChildIndex(*m_view, m_row, m_col) : -1;
}

bool GridHeaderAccessible::isValid() const
{
    return m_view;
}

QObject *GridHeaderAccessible::object() const
{
    return nullptr;
}

QAccessibleInterface *GridHeaderAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

QAccessibleInterface *GridHeaderAccessible::child(int) const
{
    return nullptr;
}

int GridHeaderAccessible::childCount() const
{
    return 0;
}

int GridHeaderAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *GridHeaderAccessible::childAt(int, int) const
{
    return nullptr;
}

QString GridHeaderAccessible::text(QAccessible::Text t) const
{
    if (!m_view || t != QAccessible::Name || role() == QAccessible::Pane)
        return {};
    const bool columnHeader = m_row < 0;
    return m_view->model()
        ->headerData(columnHeader ? m_col : m_row, columnHeader ? Qt::Horizontal : Qt::Vertical)
        .toString();
}

void GridHeaderAccessible::setText(QAccessible::Text, const QString &)
{
}

QRect GridHeaderAccessible::rect() const
{
    if (!m_view || role() == QAccessible::Pane)
        return {};
    const bool columnHeader = m_row < 0;
    const QHeaderView *header = columnHeader ? m_view->horizontalHeader() : m_view->verticalHeader();
    if (header->isHidden())
        return {};
    const int section = columnHeader ? m_col : m_row;
    const int start = header->sectionViewportPosition(section);
    const int size = header->sectionSize(section);
    return onScreen(*header->viewport(), columnHeader ? QRect(start, 0, size, header->height())
                                                      : QRect(0, start, header->width(), size));
}

QAccessible::Role GridHeaderAccessible::role() const
{
    if (m_row < 0 && m_col < 0)
        return QAccessible::Pane;
    return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::RowHeader;
}

QAccessible::State GridHeaderAccessible::state() const
{
    QAccessible::State state;
    state.invalid = !m_view;
    state.invisible = rect().isEmpty();
    return state;
}

} // namespace shared
