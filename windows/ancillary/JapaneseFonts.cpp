#include "windows/ancillary/JapaneseFonts.h"

#include <QFont>

namespace ancillary {

using namespace Qt::StringLiterals;

void MapJapaneseFonts()
{
    // Qt skips a substitute that is already listed.
    QFont::insertSubstitution(kProportionalGothic, u"Noto Sans CJK JP"_s);
    QFont::insertSubstitution(kMonospaceGothic, u"Noto Sans Mono CJK JP"_s);
}

} // namespace ancillary
