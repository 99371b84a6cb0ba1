#pragma once

#include <QString>

// The element filter of a page and its search range. Each category is active
// when its On flag is set; an inactive category lets every element through.
struct ItemFilter
{
    qint16 StartNo = 0;
    qint16 EndNo = 0; // 0 or negative: no end

    bool TypeOn = false;
    bool TypeText = false;
    bool TypeRadio = false;
    bool TypeSubmit = false;
    bool TypeHidden = false;
    bool TypeOther = false;

    bool TagOn = false;
    bool TagA = false;
    bool TagB = false;
    bool TagFONT = false;
    bool TagINPUT = false;
    bool TagIMG = false;
    bool TagTH = false;
    bool TagTR = false;
    bool TagTD = false;
    bool TagBR = false;
    bool TagOther = false;

    bool HrefOn = false;
    bool HrefHttp = false;
    bool HrefOther = false;
    QString HrefStr1;
    QString HrefStr2;

    bool InnerOn = false;
    QString InnerStr;
    bool InnerOther = false;
    bool InnerExtend = false;

    bool TooltipOn = false;
    QString TooltipStr;
    bool TooltipOther = false;

    bool IDOn = false;
    QString IDStr;
    bool IDOther = false;

    bool NameOn = false;
    QString NameStr;
    bool NameOther = false;
};
