#include "page/CWebPageHV.h"

using namespace Qt::StringLiterals;

namespace {

// A negative flag argument leaves the field as it is; only 1 means true
// (a greyed check box passes 2).
void applyFlag(bool &field, qint16 argument)
{
    if (argument >= 0)
        field = argument == 1;
}

// The middle dot leaves the field as it is.
void applyText(QString &field, const QString &argument)
{
    if (argument != u"・"_s)
        field = argument;
}

} // namespace

void CWebPageHV::ClearItemFilter()
{
    mItemFilter = ItemFilter();
}

void CWebPageHV::SetSearchStartNo(qint16 vNo)
{
    mItemFilter.StartNo = vNo < 0 ? qint16(0) : vNo;
}

void CWebPageHV::SetSearchEndNo(qint16 vNo)
{
    mItemFilter.EndNo = vNo;
}

bool CWebPageHV::SetFilter_Type(qint16 vText, qint16 vRadio, qint16 vSubmit, qint16 vHidden, qint16 vOther)
{
    ItemFilter &f = mItemFilter;
    applyFlag(f.TypeText, vText);
    applyFlag(f.TypeRadio, vRadio);
    applyFlag(f.TypeSubmit, vSubmit);
    applyFlag(f.TypeHidden, vHidden);
    applyFlag(f.TypeOther, vOther);
    f.TypeOn = f.TypeText || f.TypeRadio || f.TypeSubmit || f.TypeHidden || f.TypeOther;
    return f.TypeOn;
}

bool CWebPageHV::SetFilter_TagName(qint16 vA, qint16 vB, qint16 vFONT, qint16 vINPUT, qint16 vIMG, qint16 vTH,
                                   qint16 vTR, qint16 vTD, qint16 vBR, qint16 vOther)
{
    ItemFilter &f = mItemFilter;
    applyFlag(f.TagA, vA);
    applyFlag(f.TagB, vB);
    applyFlag(f.TagFONT, vFONT);
    applyFlag(f.TagINPUT, vINPUT);
    applyFlag(f.TagIMG, vIMG);
    applyFlag(f.TagTH, vTH);
    applyFlag(f.TagTR, vTR);
    applyFlag(f.TagTD, vTD);
    applyFlag(f.TagBR, vBR);
    applyFlag(f.TagOther, vOther);
    f.TagOn = f.TagA || f.TagB || f.TagFONT || f.TagINPUT || f.TagIMG || f.TagTH || f.TagTR || f.TagTD || f.TagBR
              || f.TagOther;
    return f.TagOn;
}

bool CWebPageHV::SetFilter_Tooltip(const QString &vStr, qint16 vOther)
{
    ItemFilter &f = mItemFilter;
    applyText(f.TooltipStr, vStr);
    applyFlag(f.TooltipOther, vOther);
    f.TooltipOn = !f.TooltipStr.isEmpty() || f.TooltipOther;
    return f.TooltipOn;
}

bool CWebPageHV::SetFilter_Innerhtml(const QString &vStr, qint16 vOther, qint16 vStrExtend)
{
    ItemFilter &f = mItemFilter;
    applyFlag(f.InnerExtend, vStrExtend);
    applyText(f.InnerStr, vStr);
    applyFlag(f.InnerOther, vOther);
    f.InnerOn = !f.InnerStr.isEmpty() || f.InnerOther || f.InnerExtend;
    return f.InnerOn;
}

bool CWebPageHV::SetFilter_Href(qint16 vhttp, qint16 vOther, const QString &vStr1, const QString &vStr2)
{
    ItemFilter &f = mItemFilter;
    applyFlag(f.HrefHttp, vhttp);
    applyFlag(f.HrefOther, vOther);
    applyText(f.HrefStr1, vStr1);
    applyText(f.HrefStr2, vStr2);
    // A single link text always sits in the first field.
    if (f.HrefStr1.isEmpty() && !f.HrefStr2.isEmpty()) {
        f.HrefStr1 = f.HrefStr2;
        f.HrefStr2.clear();
    }
    // Decided by the texts as passed: a middle dot counts as a text.
    f.HrefOn = !vStr1.isEmpty() || f.HrefHttp || f.HrefOther || !vStr2.isEmpty();
    return f.HrefOn;
}

bool CWebPageHV::SetFilter_ID(const QString &vStr, qint16 vOther)
{
    ItemFilter &f = mItemFilter;
    applyText(f.IDStr, vStr);
    applyFlag(f.IDOther, vOther);
    f.IDOn = !f.IDStr.isEmpty() || f.IDOther;
    return f.IDOn;
}

bool CWebPageHV::SetFilter_Name(const QString &vStr, qint16 vOther)
{
    ItemFilter &f = mItemFilter;
    applyText(f.NameStr, vStr);
    applyFlag(f.NameOther, vOther);
    f.NameOn = !f.NameStr.isEmpty() || f.NameOther;
    return f.NameOn;
}
