#include "platform/ui/Twips.h"

#include <QScreen>
#include <QWidget>

#include <cmath>

namespace ui {

namespace {

int toPixels(qint32 twips, qreal dotsPerInch)
{
    return int(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

qint32 toTwips(int pixels, qreal dotsPerInch)
{
    return qint32(std::lround(pixels * qreal(kTwipsPerInch) / dotsPerInch));
}

} // namespace

int TwipsToPixelsX(const QWidget &widget, qint32 twips)
{
    return toPixels(twips, widget.screen()->logicalDotsPerInchX());
}

int TwipsToPixelsY(const QWidget &widget, qint32 twips)
{
    return toPixels(twips, widget.screen()->logicalDotsPerInchY());
}

QSize TwipsToPixels(const QWidget &widget, qint32 width, qint32 height)
{
    return {TwipsToPixelsX(widget, width), TwipsToPixelsY(widget, height)};
}

qint32 PixelsToTwipsX(const QWidget &widget, int pixels)
{
    return toTwips(pixels, widget.screen()->logicalDotsPerInchX());
}

qint32 PixelsToTwipsY(const QWidget &widget, int pixels)
{
    return toTwips(pixels, widget.screen()->logicalDotsPerInchY());
}

void HoldMinimumOuterSize(QWidget &window, qint32 widthTwips, qint32 heightTwips)
{
    if (window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QSize outer = window.frameGeometry().size();
    const QSize held = outer.expandedTo(TwipsToPixels(window, widthTwips, heightTwips));
    if (held != outer)
        window.resize(held - (outer - window.size()));
}

} // namespace ui
