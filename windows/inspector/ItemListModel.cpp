#include "windows/inspector/ItemListModel.h"

#include "windows/shared/CellButtonImages.h"
#include "windows/shared/MainFormParts.h"

#include <QPixmap>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;
using shared::CellButtonImages;

namespace inspector {

namespace {

// Column 1 of a row the fill has not read yet.
const QString kFillMarker = u"更新中"_s;

bool isItemCol(int col)
{
    return col >= 1 && col <= kLastItemCol;
}

// The columns whose texts can be as long as the page itself.
bool isLongCol(int col)
{
    return col == kTextCol || col == kInnerHtmlCol;
}

qint64 errorKey(int listed, int col)
{
    return qint64(listed) * (kLastItemCol + 1) + col;
}

} // namespace

ItemListModel::ItemListModel(QObject *parent)
    : shared::ListGridModel(parent)
{
}

void ItemListModel::list(const QList<qint32> &itemNos)
{
    beginResetModel();
    m_rows.clear();
    m_rows.resize(itemNos.size());
    for (qsizetype i = 0; i < itemNos.size(); ++i) {
        m_rows[i].itemNo = itemNos[i];
        m_rows[i].state = State::Placeholder;
    }
    m_order.resize(itemNos.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    m_viewRowOf = m_order;
    m_errors.clear();
    m_filled = 0;
    m_failed = 0;
    endResetModel();
}

void ItemListModel::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows < int(m_rows.size())) {
        // Cutting rows off a sorted view would leave holes in the listing.
        beginResetModel();
        m_rows.resize(rows);
        m_order.resize(rows);
        std::iota(m_order.begin(), m_order.end(), 0);
        m_viewRowOf = m_order;
        m_errors.clear();
        m_filled = m_failed = 0;
        for (const Row &row : m_rows) {
            m_filled += row.state == State::ShortIn || row.state == State::Filled;
            m_failed += row.state == State::Failed;
        }
        endResetModel();
    } else if (rows > int(m_rows.size())) {
        const int old = int(m_rows.size());
        beginInsertRows({}, old, rows - 1);
        m_rows.resize(rows);
        for (int listed = old; listed < rows; ++listed) {
            m_order.append(listed);
            m_viewRowOf.append(listed);
        }
        endInsertRows();
    }
}

int ItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

const ItemListModel::Row *ItemListModel::rowAt(const QModelIndex &index) const
{
    if (!isCell(index))
        return nullptr;
    return &m_rows[m_order[index.row()]];
}

QVariant ItemListModel::data(const QModelIndex &index, int role) const
{
    const Row *row = rowAt(index);
    if (!row)
        return {};
    const int col = index.column();
    const bool isItem = row->state != State::Text;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (!isItem)
            return row->cells[col];
        if (col == 0)
            return QString::number(m_order[index.row()] + 1);
        if (row->state == State::Placeholder)
            return col == kItemNoCol ? kFillMarker : QString();
        if (row->state == State::ShortIn && isLongCol(col))
            return kFillMarker;
        return row->cells[col];
    case shared::GridRole::CellData:
        return isItem && col == kItemNoCol ? QVariant(row->itemNo) : QVariant();
    case Qt::BackgroundRole:
        if (!isItem || row->state == State::Placeholder || !isItemCol(col)
            || (row->state == State::ShortIn && isLongCol(col)))
            return {};
        return row->failures && (*row->failures)[col] != 0 ? kFailedCellColor : kReadCellColor;
    case FailureRole: {
        if (!row->failures || !isItemCol(col) || (*row->failures)[col] == 0)
            return {};
        const QString number = u"実行時エラー '"_s + QString::number((*row->failures)[col]) + u"'"_s;
        const auto error = m_errors.value(errorKey(m_order[index.row()], col));
        return error ? number + u":\n\n"_s + error->description() : number;
    }
    case shared::GridRole::Picture:
        return col == kClickCol ? clickPicture(*row) : QVariant();
    case shared::GridRole::PictureAlignment:
        return int(shared::PictureAlignment::CenterCenter);
    case Qt::AccessibleTextRole:
        if (col != kClickCol || !row->clickable)
            return {};
        return CellButtonImages::label(row->clickPressed ? CellButtonImages::kClickPressed : CellButtonImages::kClickRaised);
    default:
        return {};
    }
}

QVariant ItemListModel::clickPicture(const Row &row) const
{
    const CellButtonImages *images = shared::MainFormParts::images();
    if (!row.clickable || !images)
        return {};
    return images->image(row.clickPressed ? CellButtonImages::kClickPressed : CellButtonImages::kClickRaised);
}

bool ItemListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!isCell(index) || (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    Row &row = m_rows[m_order[index.row()]];
    // An element row's own cells change only by a read, or by an edit of
    // its value, which the page is then given.
    if (row.state != State::Text && (row.state == State::Placeholder || index.column() != kValueCol))
        return false;
    row.cells[index.column()] = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex &index) const
{
    const Row *row = rowAt(index);
    if (!row)
        return Qt::NoItemFlags;
    // Number cells are labels, not data the user selects or edits.
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Only a value that was read may be edited: an unfilled or failed cell
    // would write a text the page never held.
    const bool read = row->state == State::ShortIn || row->state == State::Filled;
    if (index.column() == kValueCol && read && !(row->failures && (*row->failures)[kValueCol]))
        flags |= Qt::ItemIsEditable;
    return flags;
}

void ItemListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    const QList<int> sorted = sortedOrder(column, order);
    reorderRows(m_order, sorted);
    for (int view = 0; view < m_order.size(); ++view)
        m_viewRowOf[m_order[view]] = view;
}

QList<ItemListModel::ListedRow> ItemListModel::rowsToFill(int top, int bottom, int after, int further,
                                                          bool failed) const
{
    const auto waiting = [&](int view) {
        const State state = m_rows[m_order[view]].state;
        return state == State::Placeholder || (failed && state == State::Failed);
    };
    QList<ListedRow> rows;
    const int count = int(m_order.size());
    top = std::max(top, 0);
    bottom = std::min(bottom, count - 1);
    for (int view = top; view <= bottom; ++view) {
        if (waiting(view))
            rows.append(m_order[view]);
    }
    for (int i = 1; i <= count && further > 0; ++i) {
        const int view = (std::max(after, -1) + i) % count;
        if (view >= top && view <= bottom)
            continue;
        if (waiting(view)) {
            rows.append(m_order[view]);
            --further;
        }
    }
    return rows;
}

qint32 ItemListModel::itemNo(ListedRow listed) const
{
    return listed >= 0 && listed < qint32(m_rows.size()) ? m_rows[listed].itemNo : -1;
}

int ItemListModel::viewRow(ListedRow listed) const
{
    return listed >= 0 && listed < m_viewRowOf.size() ? m_viewRowOf[listed] : -1;
}

bool ItemListModel::isPlaceholder(int viewRow) const
{
    return viewRow >= 0 && viewRow < m_order.size() && m_rows[m_order[viewRow]].state == State::Placeholder;
}

bool ItemListModel::keepCells(ListedRow listed, const QList<qint32> &codes, const QList<ItemText> &cells)
{
    Row &row = m_rows[listed];
    bool passingFailure = false;
    for (qsizetype k = 0; k < codes.size() && k < cells.size(); ++k) {
        const int col = codes[k];
        const ItemText &cell = cells[k];
        if (col == kUniqueId) {
            row.uniqueId = cell.text;
        } else if (isItemCol(col)) {
            row.cells[col] = cell.text;
            m_errors.remove(errorKey(listed, col));
            if (row.failures)
                (*row.failures)[col] = 0;
            if (cell.outcome != ItemText::Outcome::Read) {
                if (!row.failures)
                    row.failures = std::make_unique<std::array<qint32, kLastItemCol + 1>>();
                (*row.failures)[col] = cell.failure ? cell.failure->number() : cell.unavailableNumber;
                if (cell.failure)
                    m_errors.insert(errorKey(listed, col), cell.failure);
            }
        }
        // A failed call says nothing about the element (a dialog open, a
        // browser that did not answer): the fill reads it again later.
        passingFailure = passingFailure || cell.failed();
    }
    return passingFailure;
}

void ItemListModel::setState(ListedRow listed, State state)
{
    Row &row = m_rows[listed];
    m_failed += int(state == State::Failed) - int(row.state == State::Failed);
    // A row counts as filled once it shows, its long texts still coming.
    const auto shows = [](State s) { return s == State::ShortIn || s == State::Filled; };
    m_filled += int(shows(state)) - int(shows(row.state));
    row.state = state;
    emitRowChanged(m_viewRowOf[listed]);
}

bool ItemListModel::fillShort(ListedRow listed, const QList<qint32> &codes, const QList<ItemText> &cells)
{
    if (listed < 0 || listed >= qint32(m_rows.size()))
        return false;
    Row &row = m_rows[listed];
    if (row.state != State::Placeholder && row.state != State::Failed)
        return false;
    row.failures.reset();
    const bool failed = keepCells(listed, codes, cells);
    // The long texts wait for the row's next read, which its failure holds up.
    if (failed) {
        const auto why = std::find_if(cells.cbegin(), cells.cend(), [](const ItemText &cell) { return cell.failed(); });
        keepCells(listed, {kTextCol, kInnerHtmlCol}, {*why, *why});
    }
    row.clickable = row.cells[kItemNoCol] == u"INPUT"_s || !row.cells[kLinkCol].isEmpty();
    setState(listed, failed ? State::Failed : State::ShortIn);
    return true;
}

bool ItemListModel::fillLong(ListedRow listed, const QList<qint32> &codes, const QList<ItemText> &cells)
{
    if (listed < 0 || listed >= qint32(m_rows.size()) || m_rows[listed].state != State::ShortIn)
        return false;
    setState(listed, keepCells(listed, codes, cells) ? State::Failed : State::Filled);
    return true;
}

bool ItemListModel::waitsForLongTexts(ListedRow listed) const
{
    return listed >= 0 && listed < qint32(m_rows.size()) && m_rows[listed].state == State::ShortIn;
}

QString ItemListModel::uniqueId(ListedRow listed) const
{
    return listed >= 0 && listed < qint32(m_rows.size()) ? m_rows[listed].uniqueId : QString();
}

void ItemListModel::setClickPressed(int viewRow, bool pressed)
{
    if (viewRow < 0 || viewRow >= m_order.size())
        return;
    m_rows[m_order[viewRow]].clickPressed = pressed;
    emit dataChanged(index(viewRow, kClickCol), index(viewRow, kClickCol));
}

void ItemListModel::emitRowChanged(int viewRow)
{
    emit dataChanged(index(viewRow, 0), index(viewRow, columnCount() - 1));
}

} // namespace inspector
