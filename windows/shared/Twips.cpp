#include "windows/shared/Twips.h"

#include <QScreen>
#include <QWidget>

namespace shared {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double dotsPerInchX(const QWidget &widget)
{
    return widget.screen()->logicalDotsPerInchX();
}

} // namespace

int TwipsToPixelsX(const QWidget &widget, int twips)
{
    return qRound(twips * dotsPerInchX(widget) / kTwipsPerInch);
}

int PixelsToTwipsX(const QWidget &widget, int pixels)
{
    return qRound(pixels * kTwipsPerInch / dotsPerInchX(widget));
}

} // namespace shared
