#include "page/ItemFilter.h"

#include "page/PropertyCodes.h"

using namespace Qt::StringLiterals;

namespace {

void applyFlag(bool &field, qint16 argument)
{
    if (argument >= 0)
        field = argument == 1;
}

void applyText(QString &field, const QString &argument)
{
    if (argument != u"・"_s)
        field = argument;
}

} // namespace

void ItemFilter::clear()
{
    *this = ItemFilter();
}

void ItemFilter::setStartNo(qint16 no)
{
    mStartNo = no < 0 ? qint16(0) : no;
}

void ItemFilter::setEndNo(qint16 no)
{
    mEndNo = no;
}

bool ItemFilter::endsAt(qint32 position) const
{
    return mEndNo > 0 && position >= mEndNo;
}

bool ItemFilter::setTagName(qint16 a, qint16 b, qint16 font, qint16 input, qint16 img, qint16 th, qint16 tr,
                            qint16 td, qint16 br, qint16 other)
{
    applyFlag(mTagA, a);
    applyFlag(mTagB, b);
    applyFlag(mTagFONT, font);
    applyFlag(mTagINPUT, input);
    applyFlag(mTagIMG, img);
    applyFlag(mTagTH, th);
    applyFlag(mTagTR, tr);
    applyFlag(mTagTD, td);
    applyFlag(mTagBR, br);
    applyFlag(mTagOther, other);
    return tagOn();
}

bool ItemFilter::setType(qint16 text, qint16 radio, qint16 submit, qint16 hidden, qint16 other)
{
    applyFlag(mTypeText, text);
    applyFlag(mTypeRadio, radio);
    applyFlag(mTypeSubmit, submit);
    applyFlag(mTypeHidden, hidden);
    applyFlag(mTypeOther, other);
    return typeOn();
}

bool ItemFilter::setInnerHtml(const QString &text, qint16 other, qint16 extend)
{
    applyText(mInnerStr, text);
    applyFlag(mInnerOther, other);
    applyFlag(mInnerExtend, extend);
    return innerOn();
}

bool ItemFilter::setTooltip(const QString &text, qint16 other)
{
    applyText(mTooltipStr, text);
    applyFlag(mTooltipOther, other);
    return tooltipOn();
}

bool ItemFilter::setHref(qint16 http, qint16 other, const QString &text1, const QString &text2)
{
    applyFlag(mHrefHttp, http);
    applyFlag(mHrefOther, other);
    applyText(mHrefStr1, text1);
    applyText(mHrefStr2, text2);
    // Matching needs the first text: a lone second one would never match.
    if (mHrefStr1.isEmpty() && !mHrefStr2.isEmpty()) {
        mHrefStr1 = mHrefStr2;
        mHrefStr2.clear();
    }
    mHrefOn = !text1.isEmpty() || !text2.isEmpty() || mHrefHttp || mHrefOther;
    return mHrefOn;
}

bool ItemFilter::setId(const QString &text, qint16 other)
{
    applyText(mIDStr, text);
    applyFlag(mIDOther, other);
    return idOn();
}

bool ItemFilter::setName(const QString &text, qint16 other)
{
    applyText(mNameStr, text);
    applyFlag(mNameOther, other);
    return nameOn();
}

bool ItemFilter::tagOn() const
{
    return mTagA || mTagB || mTagFONT || mTagINPUT || mTagIMG || mTagTH || mTagTR || mTagTD || mTagBR || mTagOther;
}

bool ItemFilter::typeOn() const
{
    return mTypeText || mTypeRadio || mTypeSubmit || mTypeHidden || mTypeOther;
}

bool ItemFilter::innerOn() const
{
    return !mInnerStr.isEmpty() || mInnerOther || mInnerExtend;
}

bool ItemFilter::tooltipOn() const
{
    return !mTooltipStr.isEmpty() || mTooltipOther;
}

bool ItemFilter::idOn() const
{
    return !mIDStr.isEmpty() || mIDOther;
}

bool ItemFilter::nameOn() const
{
    return !mNameStr.isEmpty() || mNameOther;
}

QList<qint32> ItemFilter::propertyCodes() const
{
    QList<qint32> codes;
    const std::pair<bool, qint32> categories[] = {{tagOn(), kTagName}, {typeOn(), kType},   {innerOn(), kInnerHtml},
                                                  {tooltipOn(), kAlt}, {hrefOn(), kHref},   {idOn(), kId},
                                                  {nameOn(), kName}};
    for (const auto &[on, code] : categories) {
        if (on)
            codes.append(code);
    }
    return codes;
}
