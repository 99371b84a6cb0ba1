#pragma once

#include <QJsonArray>
#include <QList>

namespace chromium {

// Element positions as our helper takes and gives them: runs of consecutive
// positions, [first, count, first, count, ...], so that a list of thousands
// of neighbours travels as a few numbers.
QJsonArray positionRuns(const QList<qint32> &positions);

} // namespace chromium
