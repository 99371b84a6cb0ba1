#pragma once

class QWidget;

namespace shared {

// Twips (1440 an inch) and pixels across, at the dots per inch of the
// screen the widget is on.
int TwipsToPixelsX(const QWidget &widget, int twips);
int PixelsToTwipsX(const QWidget &widget, int pixels);

} // namespace shared
