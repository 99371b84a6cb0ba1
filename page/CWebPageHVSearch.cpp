#include "page/CWebPageHV.h"

#include "page/ItemReader.h"
#include "platform/stores/ApplicationTitle.h"
#include "platform/stores/ValueText.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

const QString kFilterSection = u"ItemFilter"_s;

// A first-match search usually stops at once near its remembered position,
// so it fetches a little first and more each time it goes on.
constexpr qsizetype kFirstBatch = 1;
constexpr qsizetype kBatchGrowth = 16;

} // namespace

ItemNo CWebPageHV::SearchItemNo(ItemNo vDefaultNo, ItemNo vNo, ItemNo vItemN)
{
    const qint32 c = vDefaultNo;
    const qint32 i = vNo;
    const qint32 last = qint32(vItemN) - 1;
    qint32 result = 0;
    if (c < 0) {
        result = i;
    } else if (c > last) {
        result = last - i;
    } else {
        const qint32 m = std::min(c, last - c); // distance to the nearer end
        if (i <= 2 * m) {
            const qint32 k = (i + 1) / 2;
            result = i % 2 != 0 ? c - k : c + k;
        } else {
            result = c > last - c ? c - (i - m) : c + (i - m);
        }
    }
    if (result < 0)
        result = 0;
    if (result > last)
        result = last;
    return ItemNo(result);
}

ItemNo CWebPageHV::rememberedNo() const
{
    // A hand-edited value that is no position counts as none, as other
    // unreadable settings do; the next match found replaces it.
    const QString text = mSettings.GetSetting(kApplicationTitle, kFilterSection, mItemFilter.key(), u"-1"_s);
    return stores::int32FromText(text).value_or(-1);
}

ItemNo CWebPageHV::SearchItem(QList<ItemNo> &rItemNo, bool vSearchAll, bool vRegSearch)
{
    mSearchFailures.clear();
    if (!CheckWebPage())
        return -1;
    const ItemNo n = GetWebItemN(-1);
    if (n <= 0) {
        rItemNo = {0};
        return 0;
    }
    rItemNo = QList<ItemNo>(n + 1, 0);
    const ItemNo centre = !vSearchAll && vRegSearch ? rememberedNo() : ItemNo(-1);

    // The positions examined, in order, up to where the loop would end.
    QList<qint32> order;
    for (qint32 i = 0; i < n; ++i) {
        const qint32 p = vSearchAll ? mItemFilter.startNo() + i : SearchItemNo(centre, i, n);
        if (p > n - 1)
            break;
        order.append(p);
        if (mItemFilter.endsAt(p))
            break;
    }

    ReadFailures failures(mUi, &mSearchFailures);
    ItemReader reader(mItems, failures);
    const QList<qint32> codes = mItemFilter.propertyCodes();
    // The page passes over what cannot match; the filter judges the rest.
    const QList<automation::TextTest> tests = mItemFilter.preselection();
    QList<ItemNo> found{0};
    qsizetype batchSize = vSearchAll ? order.size() : kFirstBatch;
    for (qsizetype next = 0; next < order.size(); next += batchSize, batchSize *= kBatchGrowth) {
        const QList<qint32> batch = order.mid(next, batchSize);
        reader.prefetch(batch, codes, tests);
        for (const qint32 p : batch) {
            if (reader.passedOver(p) || !mItemFilter.match([&](qint32 code) { return reader.read(p, code); }))
                continue;
            found.append(p);
            if (!vSearchAll) {
                if (vRegSearch)
                    mSettings.SaveSetting(kApplicationTitle, kFilterSection, mItemFilter.key(), QString::number(p));
                rItemNo = found;
                return 1;
            }
        }
    }
    rItemNo = found;
    return ItemNo(found.size() - 1);
}
