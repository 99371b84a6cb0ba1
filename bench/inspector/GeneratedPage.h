#pragma once

#include <QString>

namespace bench {

// Exactly `elements` elements (HTML, HEAD, TITLE and BODY among them):
// forms, links, cells and plain text in the proportions of a long list page.
QString generatedPage(int elements);

// A script that reads the ten grid columns of the elements first to
// first + count - 1 in document order, as the grid shows them, into one array.
QString rowsScript(int first, int count);

} // namespace bench
