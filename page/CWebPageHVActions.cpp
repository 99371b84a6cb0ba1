#include "page/CWebPageHV.h"

#include "page/ItemReader.h"
#include "page/PropertyCodes.h"
#include "platform/automation/Absorb.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;
using automation::AutomationError;
using automation::ElementPtr;
using automation::ignoringFailure;

namespace {

// Click looks at the start element and the ten after it.
constexpr qint32 kClickReach = 10;

ElementPtr itemOf(const automation::ElementCollectionPtr &items, qint32 itemNo)
{
    ElementPtr element = items ? items->item(itemNo) : nullptr;
    if (!element)
        throw AutomationError::objectNotSet(u"CWebPageHV"_s);
    return element;
}

// first .. first + count - 1, which the caller keeps within qint32. Not
// std::iota: it steps its value once more after the last, past the largest
// item number when the range ends there.
QList<qint32> positions(qint32 first, qint32 count)
{
    QList<qint32> list;
    list.reserve(std::max(count, 0));
    for (qint32 i = 0; i < count; ++i)
        list.append(first + i);
    return list;
}

// The first position of `range` whose properties satisfy `accept`, reading
// `codes` of each position in that order.
std::optional<qint32> firstWhere(ItemReader &reader, const QList<qint32> &range, const QList<qint32> &codes,
                                 const std::function<bool(const QStringList &)> &accept)
{
    reader.prefetch(range, codes);
    for (const qint32 p : range) {
        QStringList texts;
        for (const qint32 code : codes)
            texts.append(reader.read(p, code).text);
        if (accept(texts))
            return p;
    }
    return std::nullopt;
}

} // namespace

bool CWebPageHV::SetItem_Value(ItemNo vItemNo, const QString &vStr)
{
    try {
        itemOf(mItems, vItemNo)->put(u"Value"_s, vStr);
        return true;
    } catch (const AutomationError &) {
        mUi.beep();
        return false;
    }
}

float CWebPageHV::SetItemKey_Value(const QString &vKey, const QString &vStr)
{
    const QList<qint32> all = positions(0, GetWebItemN(-1));
    ReadFailures failures(mUi);
    ItemReader reader(mItems, failures);
    std::optional<qint32> target =
        firstWhere(reader, all, {kId}, [&](const QStringList &t) { return t[0] == vKey; });
    if (!target)
        target = firstWhere(reader, all, {kName, kTagName},
                            [&](const QStringList &t) { return t[0] == vKey && t[1] == u"INPUT"_s; });
    if (!target) {
        mUi.beep();
        return -1;
    }
    return SetItem_Value(*target, vStr) ? float(*target) : -1.0f;
}

ElementPtr CWebPageHV::rowElement(ItemNo vNo, const QString &vName) const
{
    // Radio buttons of one group share their name, so the document's look-up
    // by name finds the group's first button: the row's own element is used
    // while it still carries the identifier or name the row showed.
    ElementPtr own;
    ignoringFailure([&] {
        ElementPtr element = itemOf(mItems, vNo);
        if (automation::automationText(element->get(u"id"_s)) == vName
            || automation::automationText(element->get(u"Name"_s)) == vName)
            own = std::move(element);
    });
    if (own)
        return own;
    if (!mDoc)
        throw AutomationError::objectNotSet(u"CWebPageHV"_s);
    return mDoc->getElementById(vName);
}

bool CWebPageHV::ItemClick(ItemNo vNo, QString &vType, const QString &vName)
{
    // Another page: the item number may name another element.
    if (boundBrowser().locationURL() != mURL)
        return false;
    if ((vType == u"radio"_s || vType == u"checkbox"_s) && !vName.isEmpty()) {
        const ElementPtr element = rowElement(vNo, vName);
        ignoringFailure([&] {
            if (!element)
                throw AutomationError::objectNotSet(u"ItemClick"_s);
            const bool checked = vType == u"radio"_s || !element->get(u"Checked"_s).toBool();
            element->put(u"Checked"_s, checked);
        });
        return false;
    }
    itemOf(mItems, vNo)->invoke(u"Click"_s);
    return false;
}

bool CWebPageHV::Click(ItemNo vStartNo, const QString &)
{
    if (vStartNo > std::numeric_limits<ItemNo>::max() - kClickReach)
        throw AutomationError::overflow(u"Click"_s);
    const QList<qint32> range = positions(vStartNo, kClickReach + 1);
    ReadFailures failures(mUi);
    ItemReader reader(mItems, failures);
    std::optional<qint32> chosen = firstWhere(reader, range, {kTagName, kType}, [](const QStringList &t) {
        return t[0] == u"INPUT"_s && (t[1] == u"submit"_s || t[1] == u"image"_s);
    });
    if (!chosen)
        chosen = firstWhere(reader, range, {kTagName, kHref},
                            [](const QStringList &t) { return t[0] == u"A"_s && !t[1].isEmpty(); });
    if (!chosen)
        return false;
    ignoringFailure([&] { itemOf(mItems, *chosen)->invoke(u"Click"_s); });
    return true;
}

bool CWebPageHV::SetfocusItem(const QString &vName)
{
    if (!CheckWebPage()) {
        mUi.beep();
        return false;
    }
    boundBrowser().bringToFront();
    if (!mDoc)
        throw AutomationError::objectNotSet(u"SetfocusItem"_s);
    if (const ElementPtr element = mDoc->getElementById(vName))
        ignoringFailure([&] { element->invoke(u"focus"_s); });
    return false;
}
