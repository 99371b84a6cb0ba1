#pragma once

#include "windows/shared/ListGridModel.h"

#include <QColor>
#include <QPixmap>

#include <vector>

namespace shared {

// A list grid whose every cell is kept as written: for lists of a few
// hundred rows at most, such as the browser list.
class GridCells : public ListGridModel
{
    Q_OBJECT

public:
    using ListGridModel::ListGridModel;

    void setRowCount(int rows) override;
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    struct Cell
    {
        QString text;
        QVariant data;
        QPixmap picture;
        int pictureAlignment = 0;
        QString pictureName;
        QColor background;
    };
    using Row = std::vector<Cell>;

    Cell *cell(const QModelIndex &index);

    std::vector<Row> m_rows;
};

} // namespace shared
