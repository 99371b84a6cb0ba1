#include "page/CWebPageHV.h"

void CWebPageHV::ClearItemFilter()
{
    mItemFilter.clear();
}

void CWebPageHV::SetSearchStartNo(qint16 vNo)
{
    mItemFilter.setStartNo(vNo);
}

void CWebPageHV::SetSearchEndNo(qint16 vNo)
{
    mItemFilter.setEndNo(vNo);
}

bool CWebPageHV::SetFilter_Type(qint16 vText, qint16 vRadio, qint16 vSubmit, qint16 vHidden, qint16 vOther)
{
    return mItemFilter.setType(vText, vRadio, vSubmit, vHidden, vOther);
}

bool CWebPageHV::SetFilter_TagName(qint16 vA, qint16 vB, qint16 vFONT, qint16 vINPUT, qint16 vIMG, qint16 vTH,
                                   qint16 vTR, qint16 vTD, qint16 vBR, qint16 vOther)
{
    return mItemFilter.setTagName(vA, vB, vFONT, vINPUT, vIMG, vTH, vTR, vTD, vBR, vOther);
}

bool CWebPageHV::SetFilter_Tooltip(const QString &vStr, qint16 vOther)
{
    return mItemFilter.setTooltip(vStr, vOther);
}

bool CWebPageHV::SetFilter_Innerhtml(const QString &vStr, qint16 vOther, qint16 vStrExtend)
{
    return mItemFilter.setInnerHtml(vStr, vOther, vStrExtend);
}

bool CWebPageHV::SetFilter_Href(qint16 vhttp, qint16 vOther, const QString &vStr1, const QString &vStr2)
{
    return mItemFilter.setHref(vhttp, vOther, vStr1, vStr2);
}

bool CWebPageHV::SetFilter_ID(const QString &vStr, qint16 vOther)
{
    return mItemFilter.setId(vStr, vOther);
}

bool CWebPageHV::SetFilter_Name(const QString &vStr, qint16 vOther)
{
    return mItemFilter.setName(vStr, vOther);
}
