#include "windows/ancillary/JapaneseFonts.h"

#include <QFont>
#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

TEST(JapaneseFonts, TheWindowsFontNamesFindTheInstalledJapaneseFonts)
{
    MapJapaneseFonts();
    MapJapaneseFonts();
    EXPECT_EQ(QFont::substitutes(kProportionalGothic).size(), 1);
    EXPECT_EQ(QFontInfo(QFont(kProportionalGothic, 9)).family(), u"Noto Sans CJK JP"_s);
    EXPECT_EQ(QFontInfo(QFont(kMonospaceGothic, 9)).family(), u"Noto Sans Mono CJK JP"_s);
}
