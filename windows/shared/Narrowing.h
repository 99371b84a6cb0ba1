#pragma once

#include <QString>

namespace shared {

// Full-width forms to their half-width ones: letters, digits and signs, the
// ideographic space, and katakana (a voiced katakana becomes two characters,
// the base and its half-width sound mark). Everything else is kept.
QString NarrowText(const QString &text);

} // namespace shared
