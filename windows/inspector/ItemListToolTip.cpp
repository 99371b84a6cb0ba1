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
    if (col >= 1) {
        const QString text = shared::CappedToolTip(grid.text(row, col), kCutNote);
        const QString key = grid.cellData(0, col).toString();
        // Where a double-click focuses the element, the key that does it
        // from any cell of the row.
        if (key != kNameKey && key != kIdKey)
            return text;
        const QString keyHint = u"Ctrl+Enter でこの行の要素に入力フォーカスを移します"_s;
        return text.isEmpty() ? keyHint : text + u"\n\n"_s + keyHint;
    }
    return u"ItemNo:"_s + shared::SignedNumberText(grid.cellData(row, kItemNoCol).toLongLong());
}

} // namespace inspector
