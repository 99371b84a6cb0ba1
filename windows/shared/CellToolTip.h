#pragma once

class QPoint;
class QString;
class QWidget;

namespace shared {

// Shows text as a grid cell's tool tip at globalPos, over the grid's
// viewport, or hides the tool tip when text is empty. The text is shown as
// it is, even when it holds mark-up.
void ShowCellToolTip(QWidget &viewport, const QPoint &globalPos, const QString &text);

} // namespace shared
