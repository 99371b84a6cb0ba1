#pragma once

#include "browser/BrowserList.h"

namespace shared {
class ListGrid;
}

// Writes one browser window into its row of the browser list, touching only
// cells whose text changed. A row that is new gets the "詳細" button; an
// existing row keeps the picture it shows. The "タイプ" column is left alone.
void SetIeListRow(shared::ListGrid &grid, const BrowserListRow &row);
