#pragma once

#include "windows/shared/CellPicture.h"

#include <QAbstractTableModel>
#include <QList>

namespace shared {

// What a list grid's cells hold besides their text.
namespace GridRole {
inline constexpr int CellData = Qt::UserRole;
inline constexpr int Picture = Qt::UserRole + 1;
inline constexpr int PictureAlignment = Qt::UserRole + 2;
} // namespace GridRole

// The rows of a list grid. The grid reads and writes cells only through
// data roles, so that each window keeps its rows the way that suits them;
// this part keeps what every grid has: the header cells (caption, key as
// CellData, alignment) and the number of columns.
class ListGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Rows added are empty; rows cut off are dropped.
    virtual void setRowCount(int rows) = 0;
    void setColumnCount(int cols);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role) override;

protected:
    // Whether the index is one of this model's cells; unlike checkIndex,
    // quietly, since views ask for cells that are not there.
    bool isCell(const QModelIndex &index) const;
    // Moves the rows into order (order[k] is the row that becomes row k),
    // carrying the view's current cell, selection and open editor along.
    template <typename Rows>
    void reorderRows(Rows &rows, const QList<int> &order);
    // The row order that sorts the column's texts, stable among equals:
    // numbers by value, other texts alphabetically regardless of case.
    QList<int> sortedOrder(int column, Qt::SortOrder order) const;

private:
    struct HeaderCell
    {
        QString caption;
        QVariant key;
        QVariant alignment;
    };
    QList<HeaderCell> m_header;
};

template <typename Rows>
void ListGridModel::reorderRows(Rows &rows, const QList<int> &order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> newRowOf(order.size());
    Rows moved;
    moved.reserve(order.size());
    for (int k = 0; k < order.size(); ++k) {
        moved.push_back(std::move(rows[order[k]]));
        newRowOf[order[k]] = k;
    }
    rows = std::move(moved);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList to;
    to.reserve(persistent.size());
    for (const QModelIndex &index : persistent)
        to.append(index.row() < newRowOf.size() ? this->index(newRowOf[index.row()], index.column()) : index);
    changePersistentIndexList(persistent, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace shared
