#include "windows/ancillary/CommonDialogFilter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

TEST(CommonDialogFilter, PairsBecomeNameFiltersListingTheirPatternsOnce)
{
    EXPECT_EQ(NameFiltersFromCommonDialog(u"Text (*.txt)|*.txt|Web (*.htm;*.html)|*.htm; *.html"_s),
              (QStringList{u"Text (*.txt)"_s, u"Web (*.htm *.html)"_s}));
    // Patterns the description does not show are added to it.
    EXPECT_EQ(NameFiltersFromCommonDialog(u"ログ (毎日)|*.log"_s), QStringList{u"ログ (毎日) (*.log)"_s});
    EXPECT_EQ(NameFiltersFromCommonDialog(u"Pictures|*.png;*.jpg"_s), QStringList{u"Pictures (*.png *.jpg)"_s});
    // "*.*" means every file, also those without a dot.
    EXPECT_EQ(NameFiltersFromCommonDialog(u"All Files (*.*)|*.*"_s), QStringList{u"All Files (*)"_s});
    // Incomplete pairs are dropped; no filter at all offers every file.
    EXPECT_EQ(NameFiltersFromCommonDialog(u"Empty||Text|*.txt|Orphan"_s), QStringList{u"Text (*.txt)"_s});
    EXPECT_TRUE(NameFiltersFromCommonDialog({}).isEmpty());
}
