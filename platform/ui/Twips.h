#pragma once

#include <QSize>
#include <QtGlobal>

class QWidget;

namespace ui {

// Window places, designed sizes and column widths are kept in twips, 1440 to
// the inch; a widget's pixels become twips at the dots per inch of the
// screen it is on, so that a stored place means the same on any screen.
inline constexpr qint32 kTwipsPerInch = 1440;

int TwipsToPixelsX(const QWidget &widget, qint32 twips);
int TwipsToPixelsY(const QWidget &widget, qint32 twips);
QSize TwipsToPixels(const QWidget &widget, qint32 width, qint32 height);
qint32 PixelsToTwipsX(const QWidget &widget, int pixels);
qint32 PixelsToTwipsY(const QWidget &widget, int pixels);

// Pulls a window in its normal state back to at least this outer size;
// a minimised or maximised window is left as it is.
void HoldMinimumOuterSize(QWidget &window, qint32 widthTwips, qint32 heightTwips);

} // namespace ui
