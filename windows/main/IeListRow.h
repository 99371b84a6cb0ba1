#pragma once

#include "browser/BrowserList.h"

namespace shared {
class ListGrid;
}

namespace ielist {
// The browser list's columns, left to right.
enum Column : int {
    NumberColumn = 0,
    DetailColumn = 1, // the "詳細" button
    StatusColumn = 2,
    UrlColumn = 3,
    TitleColumn = 4,
    HandleColumn = 5,
    TypeColumn = 6,
    ColumnCount = 7,
};

// What the status panel says when a row's "詳細" is pressed after its
// window closed or left the web since the last refresh.
inline constexpr char16_t kBrowserClosedText[] = u"ﾌﾞﾗｳｻﾞが閉じられています";
} // namespace ielist

// Writes one browser window into its row of the browser list, touching only
// cells whose text changed. A row that is new gets the "詳細" button; an
// existing row keeps the picture it shows. The "タイプ" column is left alone.
void SetIeListRow(shared::ListGrid &grid, const BrowserListRow &row);

// The tool tip over a cell: its text, capped, for addresses and titles cut
// off by their column; over a row's number, the row's window handle;
// nothing over the header or outside the cells.
QString IeListToolTip(const shared::ListGrid &grid, int row, int col);
