#include "windows/shared/Twips.h"

#include <QWidget>

namespace shared {

namespace {
constexpr double kTwipsPerInch = 1440.0;
}

int TwipsToPixelsX(const QWidget &widget, int twips)
{
    return qRound(twips * widget.logicalDpiX() / kTwipsPerInch);
}

int PixelsToTwipsX(const QWidget &widget, int pixels)
{
    return qRound(pixels * kTwipsPerInch / widget.logicalDpiX());
}

} // namespace shared
