#include "windows/inspector/ItemListToolTip.h"

#include "windows/inspector/ItemColumns.h"
#include "windows/inspector/ItemListModel.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/NumberText.h"
#include "windows/shared/ToolTipText.h"

using namespace Qt::StringLiterals;

namespace inspector {

namespace {

const QString kCutNote = u"以下省略。全文は Ctrl+C または右クリックの「コピー」でコピーできます"_s;

} // namespace

QString ItemListToolTip(const shared::ListGrid &grid, int row, int col)
{
    if (row < 1 || row >= grid.rows() || col < 0)
        return {};
    // A cell that could not be read says why: its own text is empty.
    const QString failure = grid.model()->index(row - 1, col).data(ItemListModel::FailureRole).toString();
    if (!failure.isEmpty())
        return failure;
    if (col >= 1)
        return shared::CappedToolTip(grid.text(row, col), kCutNote);
    return u"ItemNo:"_s + shared::SignedNumberText(grid.cellData(row, kItemNoCol).toLongLong());
}

} // namespace inspector
