#pragma once

#include <QStringList>

namespace ancillary {

// Turns a filter of description|patterns pairs, patterns apart by ';'
// ("Text (*.txt)|*.txt|All (*.*)|*.*"), into the file dialog's name
// filters ("Text (*.txt)", "All (*)"). "*.*" means every file, as it did
// where the syntax comes from. A description left without patterns, and
// pairs without patterns, are dropped.
QStringList NameFiltersFromCommonDialog(const QString &vFilter);

} // namespace ancillary
