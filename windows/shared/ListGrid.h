#pragma once

#include "windows/shared/CellPicture.h"

#include <QPixmap>
#include <QTableView>

namespace shared {

class ListGridModel;

// The list grid of both list windows, addressed the way they think of it:
// row 0 is the header row, column 0 the number column, data rows start at
// 1, and widths are in twips. The number column is an ordinary column drawn
// like a header, so that its numbers travel with their rows when sorted.
// Reads outside the grid give empty values and writes there are ignored.
// Its rows are kept by a ListGridModel: every cell as written unless the
// window gives a model of its own.
class ListGrid : public QTableView
{
    Q_OBJECT
    // Free text for the window that owns the grid.
    Q_PROPERTY(QString tag READ tag WRITE setTag)

public:
    explicit ListGrid(QWidget *parent = nullptr);

    // The grid keeps its columns' captions and keys; the model's rows
    // replace the old ones. The grid does not own it.
    void setRowsModel(ListGridModel *model);
    ListGridModel *rowsModel() const;

    int rows() const;
    // The header row always stays.
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);

    // Row 0 addresses the header cells; a header cell's data is its column's key.
    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    QVariant cellData(int row, int col) const;
    void setCellData(int row, int col, const QVariant &data);

    // Pictures show in data cells, over the text, vertically centred. A
    // screen reader cannot see them: it reads such a cell as `name`, what
    // its picture says, in place of its text.
    QPixmap picture(int row, int col) const;
    PictureAlignment pictureAlignment(int row, int col) const;
    void setPicture(int row, int col, const QPixmap &picture, PictureAlignment alignment, const QString &name = {});
    void setPicture(int row, int col, const QPixmap &picture, const QString &name = {});

    // An invalid colour means the cell has no background of its own.
    QColor background(int row, int col) const;
    void setBackground(int row, int col, const QColor &color);

    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    // How the data cells of a column align their text.
    Qt::Alignment colAlignment(int col) const;
    void setColAlignment(int col, Qt::Alignment alignment);
    void setHeaderAlignment(int col, Qt::Alignment alignment);

    // The current cell; -1 when there is none.
    int row() const;
    int col() const;
    void setCurrent(int row, int col);

    // The grid row and column at a point of the viewport; -1 outside the
    // cells.
    int mouseRow(const QPoint &viewportPos) const;
    int mouseCol(const QPoint &viewportPos) const;
    // Whether a point of the header's viewport lies on a border between
    // columns, where a press starts resizing, not a click on a column.
    bool isOnColumnBorder(const QPoint &headerPos) const;
    // The first and last data rows in view; 0 when no data row is in view.
    int topRow() const;
    int bottomRow() const;

    // The user edits cells only when the window opens an editor on one.
    void editCell(int row, int col);

    // A click on a column header sorts the rows by that column, ascending
    // and descending in turn, and the header shows the direction.
    void setSortOnHeaderClick(bool on);

    QString tag() const;
    void setTag(const QString &tag);

signals:
    // The user finished an edit opened by editCell; the cell's text now
    // holds the result.
    void cellEdited(int row, int col);

protected:
    void changeEvent(QEvent *event) override;
    // Presses on the number column reach event filters only: its cells
    // never become current, by mouse or by keyboard.
    void mousePressEvent(QMouseEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    bool isCell(int row, int col) const;
    bool isRowCell(int row, int col) const;
    QVariant cellValue(int row, int col, int role) const;
    void setCellValue(int row, int col, const QVariant &value, int role);
    void updateRowHeight();

    ListGridModel *m_rows = nullptr;

    QList<Qt::Alignment> m_colAlignments;
    // The cell being edited; it follows its row if the rows move meanwhile.
    QPersistentModelIndex m_editedCell;
    bool m_sortOnHeaderClick = false;
    QString m_tag;
};

} // namespace shared
