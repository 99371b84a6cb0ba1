#include "windows/shared/ListGrid.h"

#include "platform/ui/Twips.h"
#include "windows/shared/CellButtonImages.h"

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

constexpr int kCellDataRole = Qt::UserRole;
constexpr int kPictureRole = Qt::UserRole + 1;
constexpr int kPictureAlignmentRole = Qt::UserRole + 2;

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

// Numbers sort by value, other texts alphabetically regardless of case.
class ListGridItem : public QTableWidgetItem
{
public:
    using QTableWidgetItem::QTableWidgetItem;

    QTableWidgetItem *clone() const override { return new ListGridItem(*this); }

    bool operator<(const QTableWidgetItem &other) const override
    {
        bool isNumber = false;
        bool otherIsNumber = false;
        const double value = text().toDouble(&isNumber);
        const double otherValue = other.text().toDouble(&otherIsNumber);
        if (isNumber && otherIsNumber)
            return value < otherValue;
        return text().compare(other.text(), Qt::CaseInsensitive) < 0;
    }
};

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
        const QPixmap picture = index.data(kPictureRole).value<QPixmap>();
        if (picture.isNull())
            return;
        const auto alignment = PictureAlignment(index.data(kPictureAlignmentRole).toInt());
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
    : QTableWidget(parent)
{
    setItemPrototype(new ListGridItem);
    setItemDelegate(new ListGridDelegate(this));
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCols(1);
    updateRowHeight();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int col) {
        // The header has already turned its indicator to the new direction.
        if (m_sortOnHeaderClick)
            sortByColumn(col, horizontalHeader()->sortIndicatorOrder());
    });
}

ListGrid::BulkWrites::BulkWrites(ListGrid &grid)
    : m_grid(grid)
    , m_wasBlocked(grid.model()->blockSignals(true))
{
}

ListGrid::BulkWrites::~BulkWrites()
{
    QAbstractItemModel *model = m_grid.model();
    model->blockSignals(m_wasBlocked);
    if (!m_wasBlocked && model->rowCount() > 0 && model->columnCount() > 0)
        emit model->dataChanged(model->index(0, 0), model->index(model->rowCount() - 1, model->columnCount() - 1));
}

int ListGrid::rows() const
{
    return rowCount() + 1;
}

void ListGrid::setRows(int rows)
{
    setRowCount(qMax(rows, 1) - 1);
}

int ListGrid::cols() const
{
    return columnCount();
}

void ListGrid::setCols(int cols)
{
    const int old = columnCount();
    setColumnCount(cols);
    for (int col = old; col < cols; ++col)
        setHorizontalHeaderItem(col, new ListGridItem);
    m_colAlignments.resize(qMax(cols, 0), kDefaultAlignment);
}

QString ListGrid::text(int row, int col) const
{
    const QTableWidgetItem *item = cell(row, col);
    return item ? item->text() : QString();
}

void ListGrid::setText(int row, int col, const QString &text)
{
    if (QTableWidgetItem *item = cellForWrite(row, col))
        item->setText(text);
}

QVariant ListGrid::cellData(int row, int col) const
{
    const QTableWidgetItem *item = cell(row, col);
    return item ? item->data(kCellDataRole) : QVariant();
}

void ListGrid::setCellData(int row, int col, const QVariant &data)
{
    if (QTableWidgetItem *item = cellForWrite(row, col))
        item->setData(kCellDataRole, data);
}

QPixmap ListGrid::picture(int row, int col) const
{
    const QTableWidgetItem *item = isRowCell(row, col) ? cell(row, col) : nullptr;
    return item ? item->data(kPictureRole).value<QPixmap>() : QPixmap();
}

PictureAlignment ListGrid::pictureAlignment(int row, int col) const
{
    const QTableWidgetItem *item = isRowCell(row, col) ? cell(row, col) : nullptr;
    return PictureAlignment(item ? item->data(kPictureAlignmentRole).toInt() : 0);
}

void ListGrid::setPicture(int row, int col, const QPixmap &picture, PictureAlignment alignment, const QString &name)
{
    if (!isRowCell(row, col))
        return;
    QTableWidgetItem *item = cellForWrite(row, col);
    item->setData(kPictureAlignmentRole, int(alignment));
    item->setData(kPictureRole, picture);
    item->setData(Qt::AccessibleTextRole, picture.isNull() || name.isEmpty() ? QVariant() : QVariant(name));
}

void ListGrid::setPicture(int row, int col, const QPixmap &picture, const QString &name)
{
    setPicture(row, col, picture, pictureAlignment(row, col), name);
}

QColor ListGrid::background(int row, int col) const
{
    const QTableWidgetItem *item = cell(row, col);
    return item && item->background().style() != Qt::NoBrush ? item->background().color() : QColor();
}

void ListGrid::setBackground(int row, int col, const QColor &color)
{
    if (QTableWidgetItem *item = cellForWrite(row, col))
        item->setBackground(color.isValid() ? QBrush(color) : QBrush());
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
    if (QTableWidgetItem *header = cell(0, col))
        header->setTextAlignment(alignment);
}

int ListGrid::row() const
{
    return currentRow() < 0 ? -1 : currentRow() + 1;
}

int ListGrid::col() const
{
    return currentColumn();
}

void ListGrid::setCurrent(int row, int col)
{
    if (isRowCell(row, col))
        setCurrentCell(row - 1, col);
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
    return row < 0 ? rowCount() : row + 1;
}

void ListGrid::editCell(int row, int col)
{
    QTableWidgetItem *item = isRowCell(row, col) ? cellForWrite(row, col) : nullptr;
    if (!item)
        return;
    m_editedCell = indexFromItem(item);
    setCurrentItem(item);
    editItem(item);
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
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateRowHeight();
}

void ListGrid::mousePressEvent(QMouseEvent *event)
{
    if (mouseCol(event->position().toPoint()) == 0)
        return;
    QTableWidget::mousePressEvent(event);
}

QModelIndex ListGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = QTableWidget::moveCursor(action, modifiers);
    if (index.column() == 0 && columnCount() > 1)
        return model()->index(index.row(), 1);
    return index;
}

void ListGrid::commitData(QWidget *editor)
{
    QTableWidget::commitData(editor);
    // Leaving the editor by pressing another cell has already moved the
    // current cell, so the edited one is the one remembered.
    if (m_editedCell.isValid())
        emit cellEdited(m_editedCell.row() + 1, m_editedCell.column());
}

void ListGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    m_editedCell = QPersistentModelIndex();
    QTableWidget::closeEditor(editor, hint);
}

bool ListGrid::isCell(int row, int col) const
{
    return row >= 0 && row < rows() && col >= 0 && col < cols();
}

bool ListGrid::isRowCell(int row, int col) const
{
    return row >= 1 && isCell(row, col);
}

QTableWidgetItem *ListGrid::cell(int row, int col) const
{
    if (!isCell(row, col))
        return nullptr;
    return row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
}

QTableWidgetItem *ListGrid::cellForWrite(int row, int col)
{
    if (QTableWidgetItem *existing = cell(row, col))
        return existing;
    if (!isRowCell(row, col))
        return nullptr;
    auto *created = new ListGridItem;
    // Number cells are labels, not data the user selects or edits.
    created->setFlags(col == 0 ? Qt::ItemIsEnabled
                               : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    setItem(row - 1, col, created);
    return created;
}

void ListGrid::updateRowHeight()
{
    const int height = qMax(fontMetrics().height() + 4, CellButtonImages::kHeight + 2);
    verticalHeader()->setMinimumSectionSize(qMin(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(height);
}

} // namespace shared
