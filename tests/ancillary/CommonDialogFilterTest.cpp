#include "windows/ancillary/CommonDialogFilter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

TEST(CommonDialogFilter, PairsBecomeNameFiltersWithTheirPatternsOnce)
{
    EXPECT_EQ(NameFiltersFromCommonDialog(u"Text (*.txt)|*.txt|Web (*.htm;*.html)|*.htm; *.html"_s),
              (QStringList{u"Text (*.txt)"_s, u"Web (*.htm *.html)"_s}));
    // Patterns the description does not show are added to it.
    EXPECT_EQ(NameFiltersFromCommonDialog(u"ログ (毎日)|*.log"_s), QStringList{u"ログ (毎日) (*.log)"_s});
    EXPECT_EQ(NameFiltersFromCommonDialog(u"Pictures|*.png;*.jpg"_s), QStringList{u"Pictures (*.png *.jpg)"_s});
}

TEST(CommonDialogFilter, StarDotStarMeansEveryFile)
{
    EXPECT_EQ(NameFiltersFromCommonDialog(u"All Files (*.*)|*.*"_s), QStringList{u"All Files (*)"_s});
}

TEST(CommonDialogFilter, IncompletePairsAreDropped)
{
    EXPECT_TRUE(NameFiltersFromCommonDialog({}).isEmpty());
    EXPECT_EQ(NameFiltersFromCommonDialog(u"Text|*.txt|Orphan"_s), QStringList{u"Text (*.txt)"_s});
    EXPECT_EQ(NameFiltersFromCommonDialog(u"Empty||Text|*.txt"_s), QStringList{u"Text (*.txt)"_s});
}
