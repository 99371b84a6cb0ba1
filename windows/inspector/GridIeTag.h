#pragma once

// The inspected browser's identity, kept in the tagged text of a grid's
// "tag" property.

#include <QString>

class QObject;

namespace inspector {

void SetGridIeHandle(QObject &grid, qint32 hWnd);
void SetGridIeUrl(QObject &grid, const QString &url);
// 0 when the grid holds no handle.
qint32 GetGridIeHandle(const QObject &grid);

} // namespace inspector
