#include "platform/automation/AutomationError.h"
#include "windows/shared/Narrowing.h"
#include "windows/shared/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace shared;

TEST(TextToNumber, TextsWithoutANumberGiveTheirSentinels)
{
    EXPECT_EQ(TextToNumber(u""_s), kBlankTextNumber);
    EXPECT_EQ(TextToNumber(u"   "_s), kBlankTextNumber);
    EXPECT_EQ(TextToNumber(u"　　"_s), kBlankTextNumber);
    EXPECT_EQ(TextToNumber(u"np"_s), kNpTextNumber);
    EXPECT_EQ(TextToNumber(u"ＮＰ"_s), kNpTextNumber);
    EXPECT_EQ(TextToNumber(u"-"_s), kDashTextNumber);
    EXPECT_EQ(TextToNumber(u"－"_s), kDashTextNumber);
}

TEST(TextToNumber, ReadsTheLeadingDecimalNumber)
{
    EXPECT_EQ(TextToNumber(u"12abc"_s), 12.0);
    EXPECT_EQ(TextToNumber(u"abc"_s), 0.0);
    EXPECT_EQ(TextToNumber(u"  1.5e2  "_s), 150.0);
    EXPECT_EQ(TextToNumber(u".5"_s), 0.5);
    EXPECT_EQ(TextToNumber(u"1.2.3"_s), 1.2);
    // An exponent without digits is no exponent.
    EXPECT_EQ(TextToNumber(u"7e"_s), 7.0);
    EXPECT_EQ(TextToNumber(u"7e+"_s), 7.0);
    EXPECT_EQ(TextToNumber(u"--5"_s), 0.0);
    EXPECT_EQ(TextToNumber(u"-."_s), 0.0);
    EXPECT_EQ(TextToNumber(u"1e400"_s), HUGE_VAL);
    EXPECT_EQ(TextToNumber(u"-1e400"_s), -HUGE_VAL);
    EXPECT_EQ(TextToNumber(u"1e-400"_s), 0.0);
}

TEST(TextToNumber, IgnoresBlanksAnywhereAndNarrowsFullWidth)
{
    EXPECT_EQ(TextToNumber(u"1 2\t3\n4"_s), 1234.0);
    EXPECT_EQ(TextToNumber(u"- 5"_s), -5.0);
    EXPECT_EQ(TextToNumber(u"１２３"_s), 123.0);
    EXPECT_EQ(TextToNumber(u"－１．５Ｅ１"_s), -15.0);
    // A carriage return is not one of the ignored blanks.
    EXPECT_EQ(TextToNumber(u"1\r2"_s), 1.0);
}

TEST(TextToNumber, ReadsHexadecimalAndOctalAsThirtyTwoBitValues)
{
    EXPECT_EQ(TextToNumber(u"&HFF"_s), 255.0);
    EXPECT_EQ(TextToNumber(u"&HFFFFFFFF"_s), -1.0);
    EXPECT_EQ(TextToNumber(u"&H80000000"_s), -2147483648.0);
    EXPECT_EQ(TextToNumber(u"&H0000000000FF"_s), 255.0);
    EXPECT_EQ(TextToNumber(u"&H100000000"_s), 4294967296.0);
    EXPECT_EQ(TextToNumber(u"&H1G"_s), 1.0);
    EXPECT_EQ(TextToNumber(u"&H"_s), 0.0);
    EXPECT_EQ(TextToNumber(u"&O17"_s), 15.0);
    EXPECT_EQ(TextToNumber(u"&O18"_s), 1.0);
    EXPECT_EQ(TextToNumber(u"&O37777777777"_s), -1.0);
}

TEST(HexTextToLong, ReadsHandlesWrittenInHexadecimal)
{
    EXPECT_EQ(HexTextToLong(u"00000100"_s), 256);
    EXPECT_EQ(HexTextToLong(u"FFFFFFFF"_s), -1);
    EXPECT_EQ(HexTextToLong(u"0000ABCD"_s), 0xABCD);
    EXPECT_EQ(HexTextToLong(u"ｆｆ"_s), 255);
    EXPECT_EQ(HexTextToLong(u""_s), 0);
    EXPECT_EQ(HexTextToLong(u"zz"_s), 0);
}

TEST(HexTextToLong, MoreThanThirtyTwoBitsIsAnOverflow)
{
    try {
        HexTextToLong(u"100000000"_s);
        FAIL() << "no overflow";
    } catch (const automation::AutomationError &error) {
        EXPECT_EQ(error.number(), automation::AutomationError::Overflow);
        EXPECT_EQ(error.source(), u"HexTextToLong"_s);
    }
}

TEST(RoundToLong, RoundsHalvesToEven)
{
    EXPECT_EQ(RoundToLong(2.5, u"t"_s), 2);
    EXPECT_EQ(RoundToLong(3.5, u"t"_s), 4);
    EXPECT_EQ(RoundToLong(-2.5, u"t"_s), -2);
    EXPECT_EQ(RoundToLong(kBlankTextNumber, u"t"_s), 0);
    EXPECT_THROW(RoundToLong(2147483647.5, u"t"_s), automation::AutomationError);
    EXPECT_THROW(RoundToLong(INFINITY, u"t"_s), automation::AutomationError);
}

TEST(TrimmedLength, CountsWhatIsLeftAfterNarrowingAndTrimmingSpaces)
{
    EXPECT_EQ(TrimmedLength(u"　ab　 "_s), 2);
    EXPECT_EQ(TrimmedLength(u"\tx"_s), 2);
    // A voiced katakana narrows to two characters.
    EXPECT_EQ(TrimmedLength(u"ガ"_s), 2);
}

TEST(NarrowText, NarrowsFullWidthFormsAndKeepsTheRest)
{
    EXPECT_EQ(NarrowText(u"ＡＢＣ１２３！～"_s), u"ABC123!~"_s);
    EXPECT_EQ(NarrowText(u"パンヴ、ー"_s), u"ﾊﾟﾝｳﾞ､ｰ"_s);
    EXPECT_EQ(NarrowText(u"ひらがな漢字ｶﾅabcヵヸ"_s), u"ひらがな漢字ｶﾅabcヵヸ"_s);
}
