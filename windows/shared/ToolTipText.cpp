#include "windows/shared/ToolTipText.h"

#include <QStringList>

#include <algorithm>

namespace shared {

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kLineLength = 80;
constexpr qsizetype kLines = 20;

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

QString CappedToolTip(const QString &text, const QString &cutNote)
{
    QStringList lines;
    qsizetype at = 0;
    // Only what is shown is looked at: a cell can hold megabytes.
    while (at < text.size() && lines.size() < kLines) {
        const qsizetype limit = std::min(text.size(), at + kLineLength);
        qsizetype end = at;
        while (end < limit && !isLineBreak(text[end]))
            ++end;
        // A character of two halves is not broken between them.
        if (end < text.size() && text[end].isLowSurrogate())
            --end;
        lines.append(text.sliced(at, end - at));
        at = end;
        if (QStringView(text).sliced(at).startsWith(u"\r\n"))
            at += 2;
        else if (at < text.size() && isLineBreak(text[at]))
            ++at;
    }
    if (at < text.size()) {
        lines.last() += u'…';
        if (!cutNote.isEmpty())
            lines.append(cutNote);
    }
    return lines.join(u'\n');
}

} // namespace shared
