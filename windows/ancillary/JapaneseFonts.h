#pragma once

#include <QString>

namespace ancillary {

// The font names the windows ask for.
inline const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kMonospaceGothic = QStringLiteral("ＭＳ ゴシック");

// Lets those names find the installed Japanese fonts; call once at start-up,
// before any window is built. Calling again changes nothing.
void MapJapaneseFonts();

} // namespace ancillary
