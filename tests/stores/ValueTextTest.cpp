#include "tests/support/QtPrinting.h"

#include "platform/stores/ValueText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace stores;

TEST(ValueText, SixteenBitNumbersRejectWordsAndOverflow)
{
    EXPECT_EQ(int16FromText(u"-32768"_s), qint16(-32768));
    EXPECT_EQ(int16FromText(u" 32767 "_s), qint16(32767));
    EXPECT_EQ(int16FromText(u"32768"_s), std::nullopt);
    EXPECT_EQ(int16FromText(u"99999"_s), std::nullopt);
    EXPECT_EQ(int16FromText(u"abc"_s), std::nullopt);
    EXPECT_EQ(int16FromText(u"12abc"_s), std::nullopt);
    // Reals round half to even.
    EXPECT_EQ(int16FromText(u"12.5"_s), qint16(12));
    EXPECT_EQ(int16FromText(u"13.5"_s), qint16(14));
}

TEST(ValueText, ThirtyTwoBitNumbersOverflowAtTheirOwnLimits)
{
    EXPECT_EQ(int32FromText(u"99999"_s), 99999);
    EXPECT_EQ(int32FromText(u"-2147483648"_s), std::numeric_limits<qint32>::min());
    EXPECT_EQ(int32FromText(u"2147483648"_s), std::nullopt);
    EXPECT_EQ(int32FromText(u"1e300"_s), std::nullopt);
}

TEST(ValueText, BooleansAcceptWordsAndNumbers)
{
    EXPECT_EQ(boolFromText(u"True"_s), true);
    EXPECT_EQ(boolFromText(u" false "_s), false);
    EXPECT_EQ(boolFromText(u"0"_s), false);
    EXPECT_EQ(boolFromText(u"-1"_s), true);
    EXPECT_EQ(boolFromText(u"yes"_s), std::nullopt);
    EXPECT_EQ(textOf(true), u"True"_s);
}

TEST(ValueText, RealsAreWrittenPlainAndReadBackExactly)
{
    EXPECT_EQ(textOf(12.5f), u"12.5"_s);
    EXPECT_EQ(textOf(24.0), u"24"_s);
    EXPECT_EQ(textOf(1e6f), u"1000000"_s);
    for (const float value : {0.1f, -3.3f, 1e-7f, 123456.79f, 3.4e38f})
        EXPECT_EQ(floatFromText(textOf(value)), value) << textOf(value).toStdString();
    for (const double value : {0.1, 1.0 / 3, -2.5e-300, 1.7e308})
        EXPECT_EQ(doubleFromText(textOf(value)), value) << textOf(value).toStdString();
    EXPECT_EQ(floatFromText(u"1e39"_s), std::nullopt);
    EXPECT_EQ(floatFromText(u"nan"_s), std::nullopt);
}

TEST(ValueText, DatesReadBackToTheSameValueZeroDateIncluded)
{
    EXPECT_EQ(textOf(zeroDate()), u"1899-12-30 00:00:00"_s);
    EXPECT_EQ(dateFromText(u"0"_s), zeroDate());

    const QDateTime withTime(QDate(2024, 3, 31), QTime(2, 30, 5), Qt::UTC);
    const QDateTime withMsecs(QDate(1999, 12, 31), QTime(23, 59, 59, 7), Qt::UTC);
    for (const QDateTime &value : {zeroDate(), withTime, withMsecs})
        EXPECT_EQ(dateFromText(textOf(value)), value) << textOf(value).toStdString();

    EXPECT_EQ(dateFromText(u"2024-03-31T02:30:05"_s), withTime);
    // Day numbers count from the zero date; the fraction is the time of day.
    EXPECT_EQ(dateFromText(u"1.5"_s), QDateTime(QDate(1899, 12, 31), QTime(12, 0), Qt::UTC));
    EXPECT_EQ(dateFromText(u"-1.25"_s), QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC));
    EXPECT_EQ(dateFromText(u"2024-02-30"_s), std::nullopt);
    EXPECT_EQ(dateFromText(u"yesterday"_s), std::nullopt);
}
