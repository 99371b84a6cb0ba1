#include "windows/shared/ListGridModel.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace shared {

namespace {

// A text read once for sorting: the number it reads as, if any.
struct SortKey
{
    explicit SortKey(QString from)
        : text(std::move(from))
        , value(text.toDouble(&isNumber))
    {
    }

    QString text;
    bool isNumber = false;
    double value = 0;
};

bool keyLess(const SortKey &a, const SortKey &b)
{
    if (a.isNumber && b.isNumber)
        return a.value < b.value;
    return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
}

} // namespace

void ListGridModel::setColumnCount(int cols)
{
    cols = std::max(cols, 0);
    const int old = int(m_header.size());
    if (cols > old) {
        beginInsertColumns({}, old, cols - 1);
        m_header.resize(cols);
        endInsertColumns();
    } else if (cols < old) {
        beginRemoveColumns({}, cols, old - 1);
        m_header.resize(cols);
        endRemoveColumns();
    }
}

int ListGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_header.size());
}

QVariant ListGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_header.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const HeaderCell &cell = m_header[section];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell.caption;
    case GridRole::CellData:
        return cell.key;
    case Qt::TextAlignmentRole:
        return cell.alignment;
    default:
        return {};
    }
}

bool ListGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_header.size())
        return false;
    HeaderCell &cell = m_header[section];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        cell.caption = value.toString();
        break;
    case GridRole::CellData:
        cell.key = value;
        break;
    case Qt::TextAlignmentRole:
        cell.alignment = value;
        break;
    default:
        return false;
    }
    emit headerDataChanged(orientation, section, section);
    return true;
}

bool ListGridModel::isCell(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < columnCount();
}

QList<int> ListGridModel::sortedOrder(int column, Qt::SortOrder order) const
{
    const int rows = rowCount();
    std::vector<SortKey> keys;
    keys.reserve(rows);
    for (int row = 0; row < rows; ++row)
        keys.emplace_back(index(row, column).data().toString());
    QList<int> sorted(rows);
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? keyLess(keys[a], keys[b]) : keyLess(keys[b], keys[a]);
    });
    return sorted;
}

} // namespace shared
