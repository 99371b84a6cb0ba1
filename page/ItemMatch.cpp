#include "page/ItemFilter.h"

#include "page/PropertyCodes.h"

using namespace Qt::StringLiterals;

namespace {

// Large containers are kept out of the text comparison.
constexpr qsizetype kMaxInnerLength = 1024;

// The flag of a listed name, else the "other" flag.
bool listedOrOther(const QString &value, std::initializer_list<std::pair<QString, bool>> listed, bool other)
{
    for (const auto &[name, flag] : listed) {
        if (value == name)
            return flag;
    }
    return other;
}

// The shape of the tooltip, identifier and name categories.
bool textPasses(const QString &value, const QString &wanted, bool other)
{
    if (value.isEmpty())
        return false;
    return (!wanted.isEmpty() && value.contains(wanted)) || other;
}

// Only blanks (U+0020) are trimmed before the "<" test: mark-up after a tab
// or a line break still counts as text.
QString trimmedOfBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

bool ItemFilter::match(const std::function<ItemText(qint32 code)> &read) const
{
    const auto tagPasses = [&](const QString &tag) {
        return listedOrOther(tag,
                             {{u"A"_s, mTagA}, {u"B"_s, mTagB}, {u"FONT"_s, mTagFONT}, {u"INPUT"_s, mTagINPUT},
                              {u"IMG"_s, mTagIMG}, {u"TH"_s, mTagTH}, {u"TR"_s, mTagTR}, {u"TD"_s, mTagTD},
                              {u"BR"_s, mTagBR}},
                             mTagOther);
    };
    const auto typePasses = [&](const ItemText &type) {
        return listedOrOther(type.text,
                             {{u"text"_s, mTypeText}, {u"radio"_s, mTypeRadio}, {u"submit"_s, mTypeSubmit},
                              {u"hidden"_s, mTypeHidden}},
                             mTypeOther && !type.unavailable());
    };
    const auto innerPasses = [&](const QString &value) {
        if (value.isEmpty() || value.size() > kMaxInnerLength)
            return false;
        if (!mInnerExtend && trimmedOfBlanks(value).startsWith(u'<'))
            return false;
        return (!mInnerStr.isEmpty() && value.contains(mInnerStr)) || mInnerOther;
    };
    const auto hrefPasses = [&](const QString &value) {
        if (value.isEmpty())
            return false;
        const bool texts = !mHrefStr1.isEmpty() && value.contains(mHrefStr1)
                           && (mHrefStr2.isEmpty() || value.contains(mHrefStr2));
        const bool http = value.startsWith(u"http"_s);
        return texts || (http && mHrefHttp) || (!http && mHrefOther);
    };

    // A failed read beeps, so which reads a search makes is part of what it
    // does: every active category reads, even after an earlier one failed;
    // only the type waits for the tag.
    bool passes = true;
    if (tagOn())
        passes = tagPasses(read(kTagName).text);
    if (typeOn() && passes)
        passes = typePasses(read(kType));
    if (innerOn())
        passes = innerPasses(read(kInnerHtml).text) && passes;
    if (tooltipOn())
        passes = textPasses(read(kAlt).text, mTooltipStr, mTooltipOther) && passes;
    if (hrefOn())
        passes = hrefPasses(read(kHref).text) && passes;
    if (idOn())
        passes = textPasses(read(kId).text, mIDStr, mIDOther) && passes;
    if (nameOn())
        passes = textPasses(read(kName).text, mNameStr, mNameOther) && passes;
    return passes;
}
