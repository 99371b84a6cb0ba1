#pragma once

// The children of a list grid as a screen reader meets them: its data cells
// and its headers, each a lightweight interface that the grid's
// accessibility (GridAccessible) makes and registers on demand.

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QAccessibleTableCellInterface>
#include <QPersistentModelIndex>
#include <QPointer>

class QTableView;

namespace shared {

class ListGrid;

// A child's place among the grid's children, numbered as the item views
// number them in their own accessibility events: row by row, the header row
// first, each row led by its row header. Row -1 is the header row, column
// -1 the row headers; the corner is (-1, -1).
int GridChildIndex(const QTableView &view, int row, int col);

// A data cell. It reads as its text, or as its picture's name; it is
// editable, and its button offers a press, as the grid's owner rules
// (GridCellRules).
class GridCellAccessible final : public QAccessibleInterface,
                                 public QAccessibleTableCellInterface,
                                 public QAccessibleActionInterface
{
public:
    GridCellAccessible(ListGrid &grid, const QModelIndex &index);

    // Follows its item when rows move; invalid once the item has gone.
    QModelIndex index() const { return m_index; }

    bool isValid() const override;
    QObject *object() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface *table() const override;

    QStringList actionNames() const override;
    QString localizedActionDescription(const QString &name) const override;
    void doAction(const QString &name) override;
    QStringList keyBindingsForAction(const QString &name) const override;

private:
    bool isButton() const;
    QAccessibleInterface *sibling(int row, int col) const;

    QPointer<ListGrid> m_grid;
    QPersistentModelIndex m_index;
};

// A column header, a row header (hidden in the list grids) or the corner,
// by its place as in GridChildIndex.
class GridHeaderAccessible final : public QAccessibleInterface
{
public:
    GridHeaderAccessible(QTableView &view, int row, int col);

    int childIndex() const;

    bool isValid() const override;
    QObject *object() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    QPointer<QTableView> m_view;
    int m_row;
    int m_col;
};

} // namespace shared
