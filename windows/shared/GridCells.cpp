#include "windows/shared/GridCells.h"

namespace shared {

void GridCells::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    const int old = int(m_rows.size());
    if (rows > old) {
        beginInsertRows({}, old, rows - 1);
        m_rows.resize(rows);
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows({}, rows, old - 1);
        m_rows.resize(rows);
        endRemoveRows();
    }
}

int GridCells::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant GridCells::data(const QModelIndex &index, int role) const
{
    if (!isCell(index))
        return {};
    const Row &row = m_rows[index.row()];
    if (index.column() >= int(row.size()))
        return {};
    const Cell &cell = row[index.column()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell.text;
    case GridRole::CellData:
        return cell.data;
    case GridRole::Picture:
        return cell.picture.isNull() ? QVariant() : QVariant(cell.picture);
    case GridRole::PictureAlignment:
        return cell.pictureAlignment;
    case Qt::AccessibleTextRole:
        return cell.picture.isNull() || cell.pictureName.isEmpty() ? QVariant() : QVariant(cell.pictureName);
    case Qt::BackgroundRole:
        return cell.background.isValid() ? QVariant(cell.background) : QVariant();
    default:
        return {};
    }
}

GridCells::Cell *GridCells::cell(const QModelIndex &index)
{
    if (!isCell(index))
        return nullptr;
    Row &row = m_rows[index.row()];
    if (index.column() >= int(row.size()))
        row.resize(columnCount());
    return &row[index.column()];
}

bool GridCells::setData(const QModelIndex &index, const QVariant &value, int role)
{
    Cell *written = cell(index);
    if (!written)
        return false;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        written->text = value.toString();
        break;
    case GridRole::CellData:
        written->data = value;
        break;
    case GridRole::Picture:
        written->picture = value.value<QPixmap>();
        break;
    case GridRole::PictureAlignment:
        written->pictureAlignment = value.toInt();
        break;
    case Qt::AccessibleTextRole:
        written->pictureName = value.toString();
        break;
    case Qt::BackgroundRole:
        written->background = value.value<QColor>();
        break;
    default:
        return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags GridCells::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Number cells are labels, not data the user selects or edits.
    return index.column() == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridCells::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    reorderRows(m_rows, sortedOrder(column, order));
}

} // namespace shared
