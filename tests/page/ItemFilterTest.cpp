// The element filter on its own: its conditions, its key, and what match()
// reads and decides.
#include "page/ItemFilter.h"
#include "tests/browser/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ItemFilterKey, EncodesEveryConditionButRangeAndOnFlags)
{
    ItemFilter f;
    f.setTagName(0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
    f.setType(1, 0, 0, 0, 0);
    EXPECT_EQ(f.key(), u"010080[][]00[]0[]0[]0[]"_s);

    f.clear();
    f.setType(1, 1, 1, 1, 1);
    f.setTagName(1, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    f.setHref(1, 1, u"h1"_s, u"h2"_s);
    f.setInnerHtml(u"in"_s, 1, 1);
    f.setTooltip(u"t"_s, 1);
    f.setId(u"i"_s, 1);
    f.setName(u"n"_s, 1);
    f.setStartNo(4);
    f.setEndNo(9);
    EXPECT_EQ(f.key(), u"1F3FF3[h1][h2]33[in]1[t]1[i]1[n]"_s);
}
