#pragma once

#include "page/ReadFailures.h"
#include "platform/automation/Automation.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>

// The element filter of a page and its search range.
//
// A category is active when any of its conditions is set; an inactive
// category lets every element through. The setters take the filter panel's
// arguments as they come: a flag argument below 0 keeps its condition and
// only exactly 1 sets it (a greyed check box passes 2); the text "・" keeps
// its condition. Each setter returns whether its category is then active.
class ItemFilter
{
public:
    // Every condition off and the whole list in range.
    void clear();

    // A negative start counts as 0.
    void setStartNo(qint16 no);
    // 0 or negative: no end.
    void setEndNo(qint16 no);
    qint16 startNo() const { return mStartNo; }
    qint16 endNo() const { return mEndNo; }
    // Whether the range ends at `position` or before it.
    bool endsAt(qint32 position) const;

    bool setTagName(qint16 a, qint16 b, qint16 font, qint16 input, qint16 img, qint16 th, qint16 tr, qint16 td,
                    qint16 br, qint16 other);
    bool setType(qint16 text, qint16 radio, qint16 submit, qint16 hidden, qint16 other);
    bool setInnerHtml(const QString &text, qint16 other, qint16 extend);
    bool setTooltip(const QString &text, qint16 other);
    // A lone second text is kept as the first.
    bool setHref(qint16 http, qint16 other, const QString &text1, const QString &text2);
    bool setId(const QString &text, qint16 other);
    bool setName(const QString &text, qint16 other);

    bool tagOn() const;
    bool typeOn() const;
    bool innerOn() const;
    bool tooltipOn() const;
    bool hrefOn() const { return mHrefOn; }
    bool idOn() const;
    bool nameOn() const;

    // The property codes that match() reads, in its order.
    QList<qint32> propertyCodes() const;

    // Whether one element passes every active category. Properties are asked
    // of `read` by code, in category order: tag, type (only after the tag
    // passed), inner mark-up, tooltip, link, identifier, name; every active
    // category reads its property, whatever the ones before it decided.
    bool match(const std::function<ItemText(qint32 code)> &read) const;
    // Tests of the same properties that every element match() passes also
    // passes, so that a page may pass over the elements that fail them;
    // none when every element passes.
    QList<automation::TextTest> preselection() const;

    // The settings key under which the filter remembers where it last found
    // an element. Range and On flags are left out, so equal conditions share
    // a key.
    QString key() const;

private:
    using Flagged = std::pair<QString, bool>;
    // The tag names and types that have a flag of their own.
    std::array<Flagged, 9> tagFlags() const;
    std::array<Flagged, 4> typeFlags() const;

    qint16 mStartNo = 0;
    qint16 mEndNo = 0;

    bool mTagA = false;
    bool mTagB = false;
    bool mTagFONT = false;
    bool mTagINPUT = false;
    bool mTagIMG = false;
    bool mTagTH = false;
    bool mTagTR = false;
    bool mTagTD = false;
    bool mTagBR = false;
    bool mTagOther = false;

    bool mTypeText = false;
    bool mTypeRadio = false;
    bool mTypeSubmit = false;
    bool mTypeHidden = false;
    bool mTypeOther = false;

    QString mInnerStr;
    bool mInnerOther = false;
    bool mInnerExtend = false;

    QString mTooltipStr;
    bool mTooltipOther = false;

    bool mHrefHttp = false;
    bool mHrefOther = false;
    QString mHrefStr1;
    QString mHrefStr2;
    // Set by setHref from its text arguments as passed, not derived: a "・"
    // there activates the category even when both texts stay empty, and then
    // only the http and other flags let an element through. A derived flag
    // would turn such a filter off and let every element through.
    bool mHrefOn = false;

    QString mIDStr;
    bool mIDOther = false;

    QString mNameStr;
    bool mNameOther = false;
};
