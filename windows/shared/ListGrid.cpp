#include "windows/shared/ListGrid.h"

#include "platform/ui/Twips.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/GridCells.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QtMath>

#include <algorithm>

namespace shared {

namespace {

constexpr Qt::Alignment kDefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;

// Characters of a cell's text that are laid out when it is painted: far more
// than a cell one line high shows, however wide its column.
constexpr qsizetype kShownTextMin = 4096;
constexpr qsizetype kShownTextPerPixel = 4;

// A cell one line high shows only the start of its first line, but Qt lays
// out and elides the whole text at every paint: a text of megabytes (the
// innerHTML of a big page) stalls each paint for seconds.
void keepShownStart(QStyleOptionViewItem &option)
{
    const qsizetype keep = std::max(kShownTextMin, kShownTextPerPixel * option.rect.width());
    if (option.text.size() > keep && option.rect.height() < 2 * option.fontMetrics.lineSpacing())
        option.text.truncate(keep);
}

class ListGridDelegate : public QStyledItemDelegate
{
public:
    explicit ListGridDelegate(ListGrid *grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        // As QStyledItemDelegate paints, but with the text cut for painting
        // only: a size hint still measures the whole text.
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        keepShownStart(item);
        const QStyle *style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        const QPixmap picture = index.data(GridRole::Picture).value<QPixmap>();
        if (picture.isNull())
            return;
        const auto alignment = PictureAlignment(index.data(GridRole::PictureAlignment).toInt());
        const QSizeF size = picture.deviceIndependentSize();
        const QRect &cell = option.rect;
        const PictureExtent extent = pictureExtent(cell.left(), cell.width(), size.width(), alignment);
        painter->save();
        painter->setClipRect(cell);
        // Whole pixels keep the small label sharp.
        const int top = cell.top() + (cell.height() - qRound(size.height())) / 2;
        painter->drawPixmap(QPoint(qFloor(extent.left), top), picture);
        painter->restore();
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = m_grid->colAlignment(index.column());
        if (index.column() == 0 && !index.data(Qt::BackgroundRole).isValid()) {
            option->backgroundBrush = m_grid->palette().button();
            option->palette.setBrush(QPalette::Text, m_grid->palette().buttonText());
        }
    }

private:
    ListGrid *m_grid;
};

} // namespace

ListGrid::ListGrid(QWidget *parent)
    : QTableView(parent)
{
    setItemDelegate(new ListGridDelegate(this));
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setRowsModel(new GridCells(this));
    setCols(1);
    updateRowHeight();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int col) {
        // The header has already turned its indicator to the new direction.
        if (m_sortOnHeaderClick)
            sortByColumn(col, horizontalHeader()->sortIndicatorOrder());
    });
}

void ListGrid::setRowsModel(ListGridModel *model)
{
    if (m_rows) {
        model->setColumnCount(m_rows->columnCount());
        for (int col = 0; col < m_rows->columnCount(); ++col) {
            for (const int role : {int(Qt::DisplayRole), GridRole::CellData, int(Qt::TextAlignmentRole)})
                model->setHeaderData(col, Qt::Horizontal, m_rows->headerData(col, Qt::Horizontal, role), role);
        }
    }
    // Column widths belong to the header, which a new model resets.
    QList<int> widths;
    for (int col = 0; col < horizontalHeader()->count(); ++col)
        widths.append(columnWidth(col));
    m_rows = model;
    setModel(model);
    for (int col = 0; col < widths.size(); ++col)
        setColumnWidth(col, widths[col]);
}

ListGridModel *ListGrid::rowsModel() const
{
    return m_rows;
}

int ListGrid::rows() const
{
    return m_rows->rowCount() + 1;
}

void ListGrid::setRows(int rows)
{
    m_rows->setRowCount(qMax(rows, 1) - 1);
}

int ListGrid::cols() const
{
    return m_rows->columnCount();
}

void ListGrid::setCols(int cols)
{
    m_rows->setColumnCount(cols);
    m_colAlignments.resize(qMax(cols, 0), kDefaultAlignment);
}

QString ListGrid::text(int row, int col) const
{
    return cellValue(row, col, Qt::DisplayRole).toString();
}

void ListGrid::setText(int row, int col, const QString &text)
{
    setCellValue(row, col, text, Qt::EditRole);
}

QVariant ListGrid::cellData(int row, int col) const
{
    return cellValue(row, col, GridRole::CellData);
}

void ListGrid::setCellData(int row, int col, const QVariant &data)
{
    setCellValue(row, col, data, GridRole::CellData);
}

QPixmap ListGrid::picture(int row, int col) const
{
    return isRowCell(row, col) ? cellValue(row, col, GridRole::Picture).value<QPixmap>() : QPixmap();
}

PictureAlignment ListGrid::pictureAlignment(int row, int col) const
{
    return PictureAlignment(isRowCell(row, col) ? cellValue(row, col, GridRole::PictureAlignment).toInt() : 0);
}

void ListGrid::setPicture(int row, int col, const QPixmap &picture, PictureAlignment alignment, const QString &name)
{
    if (!isRowCell(row, col))
        return;
    setCellValue(row, col, int(alignment), GridRole::PictureAlignment);
    setCellValue(row, col, picture, GridRole::Picture);
    setCellValue(row, col, picture.isNull() ? QString() : name, Qt::AccessibleTextRole);
}

void ListGrid::setPicture(int row, int col, const QPixmap &picture, const QString &name)
{
    setPicture(row, col, picture, pictureAlignment(row, col), name);
}

QColor ListGrid::background(int row, int col) const
{
    return cellValue(row, col, Qt::BackgroundRole).value<QColor>();
}

void ListGrid::setBackground(int row, int col, const QColor &color)
{
    setCellValue(row, col, color, Qt::BackgroundRole);
}

int ListGrid::colWidth(int col) const
{
    return ui::PixelsToTwipsX(*this, columnWidth(col));
}

void ListGrid::setColWidth(int col, int twips)
{
    setColumnWidth(col, ui::TwipsToPixelsX(*this, twips));
}

Qt::Alignment ListGrid::colAlignment(int col) const
{
    return m_colAlignments.value(col, kDefaultAlignment);
}

void ListGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= m_colAlignments.size())
        return;
    m_colAlignments[col] = alignment;
    viewport()->update();
}

void ListGrid::setHeaderAlignment(int col, Qt::Alignment alignment)
{
    setCellValue(0, col, int(alignment), Qt::TextAlignmentRole);
}

int ListGrid::row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : -1;
}

int ListGrid::col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void ListGrid::setCurrent(int row, int col)
{
    if (isRowCell(row, col))
        setCurrentIndex(m_rows->index(row - 1, col));
}

int ListGrid::mouseRow(const QPoint &viewportPos) const
{
    const int row = rowAt(viewportPos.y());
    return row < 0 ? -1 : row + 1;
}

int ListGrid::mouseCol(const QPoint &viewportPos) const
{
    return columnAt(viewportPos.x());
}

bool ListGrid::isOnColumnBorder(const QPoint &headerPos) const
{
    const QHeaderView *header = horizontalHeader();
    const int col = header->logicalIndexAt(headerPos);
    if (col < 0)
        return false;
    const int grip = header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
    const int left = header->sectionViewportPosition(col);
    const int right = left + header->sectionSize(col);
    return headerPos.x() >= right - grip || (header->visualIndex(col) > 0 && headerPos.x() < left + grip);
}

int ListGrid::topRow() const
{
    return rowAt(0) + 1;
}

int ListGrid::bottomRow() const
{
    const int row = rowAt(viewport()->height() - 1);
    return row < 0 ? m_rows->rowCount() : row + 1;
}

void ListGrid::editCell(int row, int col)
{
    if (!isRowCell(row, col))
        return;
    const QModelIndex cell = m_rows->index(row - 1, col);
    m_editedCell = cell;
    setCurrentIndex(cell);
    edit(cell);
}

void ListGrid::setSortOnHeaderClick(bool on)
{
    m_sortOnHeaderClick = on;
    horizontalHeader()->setSortIndicatorShown(on);
}

QString ListGrid::tag() const
{
    return m_tag;
}

void ListGrid::setTag(const QString &tag)
{
    m_tag = tag;
}

void ListGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateRowHeight();
}

void ListGrid::mousePressEvent(QMouseEvent *event)
{
    if (mouseCol(event->position().toPoint()) == 0)
        return;
    QTableView::mousePressEvent(event);
}

QModelIndex ListGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = QTableView::moveCursor(action, modifiers);
    if (index.column() == 0 && cols() > 1)
        return model()->index(index.row(), 1);
    return index;
}

void ListGrid::commitData(QWidget *editor)
{
    QTableView::commitData(editor);
    // Leaving the editor by pressing another cell has already moved the
    // current cell, so the edited one is the one remembered.
    if (m_editedCell.isValid())
        emit cellEdited(m_editedCell.row() + 1, m_editedCell.column());
}

void ListGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    m_editedCell = QPersistentModelIndex();
    QTableView::closeEditor(editor, hint);
}

bool ListGrid::isCell(int row, int col) const
{
    return row >= 0 && row < rows() && col >= 0 && col < cols();
}

bool ListGrid::isRowCell(int row, int col) const
{
    return row >= 1 && isCell(row, col);
}

QVariant ListGrid::cellValue(int row, int col, int role) const
{
    if (!isCell(row, col))
        return {};
    return row == 0 ? m_rows->headerData(col, Qt::Horizontal, role) : m_rows->index(row - 1, col).data(role);
}

void ListGrid::setCellValue(int row, int col, const QVariant &value, int role)
{
    if (!isCell(row, col))
        return;
    if (row == 0)
        m_rows->setHeaderData(col, Qt::Horizontal, value, role);
    else
        m_rows->setData(m_rows->index(row - 1, col), value, role);
}

void ListGrid::updateRowHeight()
{
    const int height = qMax(fontMetrics().height() + 4, CellButtonImages::kHeight + 2);
    verticalHeader()->setMinimumSectionSize(qMin(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(height);
}

} // namespace shared
