#include "page/FilterKey.h"

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

QString GetFilterKey(const ItemFilter &f)
{
    const int types = bit(f.TypeText, 1) | bit(f.TypeRadio, 2) | bit(f.TypeSubmit, 4) | bit(f.TypeHidden, 8)
                      | bit(f.TypeOther, 16);
    const int tags = bit(f.TagA, 1) | bit(f.TagB, 2) | bit(f.TagFONT, 4) | bit(f.TagINPUT, 8) | bit(f.TagIMG, 16)
                     | bit(f.TagTH, 32) | bit(f.TagTR, 64) | bit(f.TagTD, 128) | bit(f.TagBR, 256)
                     | bit(f.TagOther, 512);
    const QString href = hexDigits(bit(f.HrefHttp, 1) | bit(f.HrefOther, 2), 1);
    const int inner = bit(f.InnerOther, 1) | bit(f.InnerExtend, 2);
    return hexDigits(types, 2) + hexDigits(tags, 3) + href + bracketed(f.HrefStr1) + bracketed(f.HrefStr2) + href
           + hexDigits(inner, 1) + bracketed(f.InnerStr) + textCondition(f.TooltipOther, f.TooltipStr)
           + textCondition(f.IDOther, f.IDStr) + textCondition(f.NameOther, f.NameStr);
}
