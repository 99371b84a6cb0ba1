#include "page/ItemFilter.h"

#include "page/PropertyCodes.h"

using namespace Qt::StringLiterals;
using automation::TextTest;

namespace {

// Large containers are kept out of the text comparison.
constexpr qsizetype kMaxInnerLength = 1024;

// The flag of a listed name, else the "other" flag.
template<typename Listed>
bool listedOrOther(const QString &value, const Listed &listed, bool other)
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

// The names whose flag differs from the "other" flag: listed or other then
// decides exactly by whether the text is one of them.
template<typename Listed>
TextTest listedTest(qint32 code, const Listed &listed, bool other)
{
    TextTest test{PropertyMember(code), other ? TextTest::Kind::Unlisted : TextTest::Kind::Listed, {}, 0};
    for (const auto &[name, flag] : listed) {
        if (flag != other)
            test.texts.append(name);
    }
    return test;
}

// A text category passes only non-empty texts that hold its wanted texts,
// or any non-empty text with its "other" flag; with neither, no text.
TextTest containsTest(qint32 code, const QStringList &wanted, bool other, qint32 longest = 0)
{
    if (other)
        return {PropertyMember(code), TextTest::Kind::Contains, {}, longest};
    if (wanted.isEmpty() || wanted.front().isEmpty())
        return {PropertyMember(code), TextTest::Kind::Listed, {}, 0};
    return {PropertyMember(code), TextTest::Kind::Contains, wanted, longest};
}

} // namespace

std::array<ItemFilter::Flagged, 9> ItemFilter::tagFlags() const
{
    return {{{u"A"_s, mTagA}, {u"B"_s, mTagB}, {u"FONT"_s, mTagFONT}, {u"INPUT"_s, mTagINPUT}, {u"IMG"_s, mTagIMG},
             {u"TH"_s, mTagTH}, {u"TR"_s, mTagTR}, {u"TD"_s, mTagTD}, {u"BR"_s, mTagBR}}};
}

std::array<ItemFilter::Flagged, 4> ItemFilter::typeFlags() const
{
    return {{{u"text"_s, mTypeText}, {u"radio"_s, mTypeRadio}, {u"submit"_s, mTypeSubmit}, {u"hidden"_s, mTypeHidden}}};
}

bool ItemFilter::match(const std::function<ItemText(qint32 code)> &read) const
{
    const auto typePasses = [&](const ItemText &type) {
        return listedOrOther(type.text, typeFlags(), mTypeOther && !type.unavailable());
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
        passes = listedOrOther(read(kTagName).text, tagFlags(), mTagOther);
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

QList<TextTest> ItemFilter::preselection() const
{
    // Each test passes at least what its category passes above; a failed
    // read leaves the text empty there, as a missing member does here.
    QList<TextTest> tests;
    if (tagOn())
        tests.append(listedTest(kTagName, tagFlags(), mTagOther));
    if (typeOn()) {
        tests.append(listedTest(kType, typeFlags(), mTypeOther));
        tests.back().afterPassing = true; // the type waits for the tag
    }
    if (innerOn())
        tests.append(containsTest(kInnerHtml, {mInnerStr}, mInnerOther, kMaxInnerLength));
    if (tooltipOn())
        tests.append(containsTest(kAlt, {mTooltipStr}, mTooltipOther));
    if (hrefOn()) {
        QStringList texts{mHrefStr1};
        if (!mHrefStr2.isEmpty())
            texts.append(mHrefStr2);
        tests.append(containsTest(kHref, texts, mHrefHttp || mHrefOther));
    }
    if (idOn())
        tests.append(containsTest(kId, {mIDStr}, mIDOther));
    if (nameOn())
        tests.append(containsTest(kName, {mNameStr}, mNameOther));
    return tests;
}
