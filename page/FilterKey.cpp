#include "page/ItemFilter.h"

using namespace Qt::StringLiterals;

namespace {

// Upper-case hexadecimal, padded with zeros or cut to its last `digits`.
QString hexDigits(int bits, int digits)
{
    return QString::number(bits, 16).toUpper().rightJustified(digits, u'0').right(digits);
}

int bit(bool flag, int value)
{
    return flag ? value : 0;
}

QString bracketed(const QString &text)
{
    return QString(u'[' + text + u']');
}

QString textCondition(bool other, const QString &text)
{
    return QString(hexDigits(bit(other, 1), 1) + bracketed(text));
}

} // namespace

QString ItemFilter::key() const
{
    const int types = bit(mTypeText, 1) | bit(mTypeRadio, 2) | bit(mTypeSubmit, 4) | bit(mTypeHidden, 8)
                      | bit(mTypeOther, 16);
    const int tags = bit(mTagA, 1) | bit(mTagB, 2) | bit(mTagFONT, 4) | bit(mTagINPUT, 8) | bit(mTagIMG, 16)
                     | bit(mTagTH, 32) | bit(mTagTR, 64) | bit(mTagTD, 128) | bit(mTagBR, 256) | bit(mTagOther, 512);
    const QString href = hexDigits(bit(mHrefHttp, 1) | bit(mHrefOther, 2), 1);
    const int inner = bit(mInnerOther, 1) | bit(mInnerExtend, 2);
    return hexDigits(types, 2) + hexDigits(tags, 3) + href + bracketed(mHrefStr1) + bracketed(mHrefStr2) + href
           + hexDigits(inner, 1) + bracketed(mInnerStr) + textCondition(mTooltipOther, mTooltipStr)
           + textCondition(mIDOther, mIDStr) + textCondition(mNameOther, mNameStr);
}
