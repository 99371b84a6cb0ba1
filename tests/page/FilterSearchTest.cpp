// The page's filter setters, the search order and the search itself, on the double.
#include "tests/page/PageDouble.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;

// The keys show the conditions: type and tag bits, link flags and [texts],
// inner flags and [text], then tooltip, identifier and name as flag[text].
TEST_F(PageOnDouble, FlagAndTextArgumentConventions)
{
    const ItemFilter &filter = page.itemFilter();
    const QString none = ItemFilter().key();
    EXPECT_TRUE(page.SetFilter_TagName(1, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(page.SetFilter_TagName(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
    EXPECT_EQ(filter.key(), u"000010[][]00[]0[]0[]0[]"_s); // tag A kept
    EXPECT_FALSE(page.SetFilter_TagName(2, -1, -1, -1, -1, -1, -1, -1, -1, -1)); // a greyed box is false

    EXPECT_TRUE(page.SetFilter_ID(u"key"_s, 1));
    EXPECT_TRUE(page.SetFilter_ID(u"・"_s, -1));
    EXPECT_EQ(filter.key(), u"000000[][]00[]0[]1[key]0[]"_s);
    EXPECT_FALSE(page.SetFilter_ID(QString(), 0));
    EXPECT_EQ(filter.key(), none);

    // A lone second link text moves to the first.
    EXPECT_TRUE(page.SetFilter_Href(0, 0, QString(), u"needle"_s));
    EXPECT_EQ(filter.key(), u"000000[needle][]00[]0[]0[]0[]"_s);
    // The middle dot counts as a text for the On flag, though nothing is stored.
    page.ClearItemFilter();
    EXPECT_TRUE(page.SetFilter_Href(0, 0, u"・"_s, QString()));
    EXPECT_TRUE(filter.hrefOn());
    EXPECT_EQ(filter.key(), none);

    EXPECT_TRUE(page.SetFilter_Innerhtml(QString(), 0, 1));
    EXPECT_TRUE(page.SetFilter_Type(0, 0, 0, 0, 1));
    EXPECT_TRUE(page.SetFilter_Tooltip(u"t"_s, 0));
    EXPECT_TRUE(page.SetFilter_Name(QString(), 1));
    page.SetSearchStartNo(-5);
    EXPECT_EQ(filter.startNo(), 0);
    page.SetSearchEndNo(-5);
    EXPECT_EQ(filter.endNo(), -5);
    page.ClearItemFilter();
    EXPECT_EQ(filter.key(), none);
    EXPECT_FALSE(filter.tagOn() || filter.typeOn() || filter.innerOn() || filter.tooltipOn() || filter.hrefOn()
                 || filter.idOn() || filter.nameOn());
}

TEST(SearchItemNo, VisitsEveryPositionOutwardFromTheCentre)
{
    const auto order = [](ItemNo centre, ItemNo n) {
        QList<ItemNo> list;
        for (ItemNo i = 0; i < n; ++i)
            list.append(CWebPageHV::SearchItemNo(centre, i, n));
        return list;
    };
    EXPECT_EQ(order(-1, 5), (QList<ItemNo>{0, 1, 2, 3, 4}));
    EXPECT_EQ(order(5, 10), (QList<ItemNo>{5, 4, 6, 3, 7, 2, 8, 1, 9, 0}));
    EXPECT_EQ(order(3, 10), (QList<ItemNo>{3, 2, 4, 1, 5, 0, 6, 7, 8, 9}));
    EXPECT_EQ(order(7, 10), (QList<ItemNo>{7, 6, 8, 5, 9, 4, 3, 2, 1, 0}));
    EXPECT_EQ(order(12, 4), (QList<ItemNo>{3, 2, 1, 0}));
    EXPECT_EQ(order(0, 3), (QList<ItemNo>{0, 1, 2}));
    EXPECT_EQ(CWebPageHV::SearchItemNo(-1, 12, 10), 9);
}

class SearchOnDouble : public PageOnDouble
{
protected:
    void SetUp() override
    {
        for (const QString &tag : {u"A"_s, u"INPUT"_s, u"DIV"_s, u"INPUT"_s, u"INPUT"_s, u"SPAN"_s})
            add({{u"tagName"_s, tag}});
        ASSERT_TRUE(page.SetWebPage(browser));
    }

    QList<ItemNo> search(bool all, bool remembered)
    {
        QList<ItemNo> found{77};
        const ItemNo count = page.SearchItem(found, all, remembered);
        EXPECT_EQ(count, found.size() - 1);
        return found;
    }

    QString inputKey() const { return page.itemFilter().key(); }
};

TEST_F(SearchOnDouble, WholeListRangeAndChangedPage)
{
    EXPECT_EQ(search(true, false), (QList<ItemNo>{0, 0, 1, 2, 3, 4, 5}));
    page.SetFilter_TagName(0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(search(true, false), (QList<ItemNo>{0, 1, 3, 4}));
    page.SetSearchEndNo(3);
    EXPECT_EQ(search(true, false), (QList<ItemNo>{0, 1, 3}));
    page.SetSearchStartNo(2);
    EXPECT_EQ(search(true, false), (QList<ItemNo>{0, 3}));
    page.SetSearchEndNo(0);
    page.SetSearchStartNo(6);
    EXPECT_EQ(search(true, false), (QList<ItemNo>{0}));
    page.SetSearchStartNo(0);
    page.SetFilter_TagName(0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(search(true, false), (QList<ItemNo>{0, 2, 5}));

    browser->navigate(u"http://b.test/"_s);
    QList<ItemNo> untouched{9, 9};
    EXPECT_EQ(page.SearchItem(untouched, true, false), -1);
    EXPECT_EQ(untouched, (QList<ItemNo>{9, 9}));
    ASSERT_TRUE(page.SetWebPage(browser)); // an empty page
    EXPECT_EQ(search(true, false), (QList<ItemNo>{0}));
}

TEST_F(SearchOnDouble, FirstMatchRemembersWhereItFoundPerFilter)
{
    page.SetFilter_TagName(0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(search(false, false), (QList<ItemNo>{0, 1}));
    EXPECT_FALSE(settings.contains(u"Vorlane"_s, u"ItemFilter"_s, inputKey()));

    settings.SaveSetting(u"Vorlane"_s, u"ItemFilter"_s, inputKey(), u"4"_s);
    EXPECT_EQ(search(false, true), (QList<ItemNo>{0, 4}));

    // From 2 (a DIV) outward: 2, 1, 3 — the first match is 1.
    settings.SaveSetting(u"Vorlane"_s, u"ItemFilter"_s, inputKey(), u"2"_s);
    EXPECT_EQ(search(false, true), (QList<ItemNo>{0, 1}));
    EXPECT_EQ(settings.GetSetting(u"Vorlane"_s, u"ItemFilter"_s, inputKey(), {}), u"1"_s);

    // Another filter has its own position: none yet, so from the start.
    page.SetFilter_TagName(0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(search(false, true), (QList<ItemNo>{0, 2}));
    EXPECT_EQ(settings.GetSetting(u"Vorlane"_s, u"ItemFilter"_s, inputKey(), {}), u"2"_s);

    // No match: nothing remembered, nothing found.
    page.SetFilter_TagName(0, 0, 0, 0, 0, 0, 0, 1, 0, 0);
    EXPECT_EQ(search(false, true), (QList<ItemNo>{0}));
    EXPECT_FALSE(settings.contains(u"Vorlane"_s, u"ItemFilter"_s, inputKey()));
}

TEST_F(SearchOnDouble, UnreadableRememberedPositionCountsAsNone)
{
    page.SetFilter_TagName(0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
    for (const QString &spoiled : {u"many"_s, u"4294967296"_s, QString()}) {
        settings.SaveSetting(u"Vorlane"_s, u"ItemFilter"_s, inputKey(), spoiled);
        EXPECT_EQ(search(false, true), (QList<ItemNo>{0, 1})) << spoiled.toStdString();
        EXPECT_EQ(settings.GetSetting(u"Vorlane"_s, u"ItemFilter"_s, inputKey(), {}), u"1"_s);
    }

    // A position found on a larger page: the search comes down from the end.
    settings.SaveSetting(u"Vorlane"_s, u"ItemFilter"_s, inputKey(), u"40000"_s);
    EXPECT_EQ(search(false, true), (QList<ItemNo>{0, 4}));
}

TEST_F(SearchOnDouble, FirstMatchAtTheRememberedElementReadsOnlyIt)
{
    page.SetFilter_TagName(0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
    settings.SaveSetting(u"Vorlane"_s, u"ItemFilter"_s, inputKey(), u"3"_s);
    auto all = browser->page()->collectionDouble(automation::CollectionKind::All);
    for (qint16 i = 0; i < 6; ++i)
        std::static_pointer_cast<automation::doubles::ElementDouble>(all->item(i))->clearJournal();
    all->clearJournal();
    EXPECT_EQ(search(false, true), (QList<ItemNo>{0, 3}));
    EXPECT_EQ(all->journal().count(u"readMany"_s), 1);
    for (qint16 i = 0; i < 6; ++i) {
        const auto element = std::static_pointer_cast<automation::doubles::ElementDouble>(all->item(i));
        EXPECT_EQ(element->journal().isEmpty(), i != 3) << i;
    }
}
