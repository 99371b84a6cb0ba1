#include "windows/shared/Narrowing.h"

namespace shared {

using namespace Qt::StringLiterals;

namespace {

// The full-width counterparts of U+FF61 .. U+FF9F, in that order.
const QString &fullWidthKana()
{
    static const QString kana =
        u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
        u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜"_s;
    return kana;
}

constexpr char16_t kFirstHalfWidthKana = 0xFF61;
constexpr char16_t kHalfWidthVoicedMark = 0xFF9E;
constexpr char16_t kHalfWidthSemiVoicedMark = 0xFF9F;

// The half-width form of a full-width kana or sign, or a null QChar.
QChar halfWidthKana(QChar ch)
{
    const qsizetype at = fullWidthKana().indexOf(ch);
    return at >= 0 ? QChar(char16_t(kFirstHalfWidthKana + at)) : QChar();
}

} // namespace

QString NarrowText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) {
            out += QChar(char16_t(u - 0xFEE0));
        } else if (u == 0x3000) {
            out += u' ';
        } else if (u == 0x3099) {
            out += QChar(kHalfWidthVoicedMark);
        } else if (u == 0x309A) {
            out += QChar(kHalfWidthSemiVoicedMark);
        } else if ((u >= 0x3001 && u <= 0x300D) || (u >= 0x309B && u <= 0x30FC)) {
            // ガ is カ with a combining sound mark; both halves have narrow forms.
            const QString parts = ch.decomposition();
            const bool voiced = ch.decompositionTag() == QChar::Canonical && parts.size() == 2;
            const QChar narrow = halfWidthKana(voiced ? parts.at(0) : ch);
            if (narrow.isNull()) {
                out += ch;
            } else {
                out += narrow;
                if (voiced)
                    out += QChar(parts.at(1).unicode() == 0x3099 ? kHalfWidthVoicedMark
                                                                 : kHalfWidthSemiVoicedMark);
            }
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace shared
