#include "tests/support/QtPrinting.h"

#include "platform/automation/AutomationError.h"
#include "platform/chromium/ChromiumBulkRead.h"
#include "platform/chromium/PositionRuns.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using automation::MemberText;

namespace {

QList<MemberText> decoded(const QJsonObject &answer, QList<MemberText> texts, chromium::BulkRest *rest = nullptr,
                          qsizetype room = 1000)
{
    chromium::BulkRest left;
    chromium::decodeBulk(answer, room, texts, left);
    if (rest)
        *rest = left;
    return texts;
}

QList<qsizetype> longEntries(const chromium::BulkRest &rest)
{
    QList<qsizetype> entries;
    for (const chromium::BulkRest::LongText &text : rest.longTexts)
        entries.append(text.entry);
    return entries;
}

} // namespace

TEST(BulkAnswer, EveryKindOfPieceIsOneEntry)
{
    chromium::BulkRest rest;
    const QList<MemberText> texts = decoded(
        {{u"t"_s, u"3:abc=0:!:!91:~:~:^0.1.2:"_s}, {u"x"_s, QJsonArray{QJsonArray{4, 7}, QJsonArray{5, {}, 3, 9}}}},
        {{u"earlier"_s, 0}}, &rest);
    ASSERT_EQ(texts.size(), 8);
    EXPECT_EQ(texts[1].text, u"abc"_s);
    EXPECT_EQ(texts[2].text, u"abc"_s);
    EXPECT_EQ(texts[3].errorNumber, automation::AutomationError::MemberNotFound);
    EXPECT_EQ(texts[4].errorNumber, 91);
    EXPECT_EQ(texts[5].text, u"7"_s);
    EXPECT_EQ(longEntries(rest), QList<qsizetype>{6});
    EXPECT_EQ(rest.longTexts[0].length, 9);
    ASSERT_EQ(rest.parts.size(), 1);
    EXPECT_EQ(rest.parts[0].entry, 7);
    EXPECT_EQ(rest.parts[0].source, 1);
}

// Entries passed over keep the numbering of the rest, and an answer cannot
// make more entries than the read asked for, however few its pieces.
TEST(BulkAnswer, EntriesPassedOverCountAsEntriesWithinTheRoomLeft)
{
    chromium::BulkRest rest;
    const QList<MemberText> texts = decoded({{u"t"_s, u"-2:1:a^2.0.1:-3:~:"_s}, {u"x"_s, QJsonArray{QJsonArray{7, 5}}}},
                                            {{u"earlier"_s, 0}}, &rest, 8);
    ASSERT_EQ(texts.size(), 9);
    for (const qsizetype entry : {1, 2, 5, 6, 7})
        EXPECT_TRUE(texts[entry].passedOver) << entry;
    EXPECT_EQ(texts[3].text, u"a"_s);
    EXPECT_FALSE(texts[3].passedOver);
    ASSERT_EQ(rest.parts.size(), 1);
    EXPECT_EQ(rest.parts[0].source, 3);
    EXPECT_EQ(texts[8].text, u"5"_s);
    for (const QString &pieces : {u"-9:"_s, u"1:a-8:"_s, u"-0:"_s, u"--1:"_s, u"-x:"_s, u"-9223372036854775807:"_s}) {
        SCOPED_TRACE(pieces.toStdString());
        EXPECT_THROW(decoded({{u"t"_s, pieces}}, {}, nullptr, 8), automation::AutomationError);
    }
}

// Parts are filled in only once every text is in, since they may come from a
// long text, or from another part; a part of what failed fails alike, and
// one past its source's end is a failure rather than a shorter text.
TEST(BulkAnswer, APartIsTakenFromItsSourceOnceAllTextsAreIn)
{
    chromium::BulkRest rest;
    QList<MemberText> texts = decoded({{u"t"_s, u"~:^0.2.5:^1.1.3:!462:^3.0.1:^0.6.2:"_s},
                                       {u"x"_s, QJsonArray{QJsonArray{0, {}, 1, 7}}}},
                                      {}, &rest);
    texts[0] = {u"abcdefg"_s, 0}; // as the long text's pieces leave it
    chromium::resolveParts(texts, rest.parts);
    EXPECT_EQ(texts[1].text, u"cdefg"_s);
    EXPECT_EQ(texts[2].text, u"def"_s);
    EXPECT_EQ(texts[4].errorNumber, 462);
    EXPECT_EQ(texts[5].errorNumber, automation::AutomationError::AutomationFailure);

    // A part must come from an entry before it in the same answer.
    for (const QString &pieces : {u"^0.0.1:"_s, u"1:a^1.0.1:"_s, u"1:a^0.0:"_s, u"1:a^0.-1.1:"_s, u"1:a^x.0.1:"_s}) {
        SCOPED_TRACE(pieces.toStdString());
        EXPECT_THROW(decoded({{u"t"_s, pieces}}, {{u"earlier"_s, 0}}), automation::AutomationError);
    }
}

// Found while writing its fuzz target (tests/fuzz), whose undefined-behaviour
// check stopped on it: a length near the largest number overflowed
// the check that the text is within the answer, and the read went on before
// the answer's start.
TEST(BulkAnswer, ALengthPastTheAnswerIsGarbledWhateverItsSize)
{
    for (const QString &pieces : {u"9223372036854775807:abc"_s, u"9223372036854775806:abc"_s, u"4:abc"_s,
                                  u"-1:abc"_s, u"3:abc18446744073709551615:"_s}) {
        SCOPED_TRACE(pieces.toStdString());
        EXPECT_THROW(decoded({{u"t"_s, pieces}}, {}), automation::AutomationError);
    }
}

// What does not read as the helper's number is garbled too, rather than an
// empty text or a failure numbered 0 that reads as no failure.
TEST(BulkAnswer, APieceWhoseNumberIsNoNumberIsGarbled)
{
    for (const QString &pieces : {u":"_s, u"x:"_s, u"=:"_s, u"1:a=x:"_s, u"!x:"_s, u"!0:"_s, u"99999999999:"_s}) {
        SCOPED_TRACE(pieces.toStdString());
        EXPECT_THROW(decoded({{u"t"_s, pieces}}, {}), automation::AutomationError);
    }
}

// Found with the same: an entry number near the largest number, after many
// earlier entries, overflowed the check that it names an entry of this answer.
TEST(BulkAnswer, AnEntryNumberOutsideTheAnswerIsIgnoredWhateverItsSize)
{
    const QList<MemberText> earlier(2000, MemberText{u"earlier"_s, 0});
    chromium::BulkRest rest;
    const QJsonArray x{QJsonArray{9223372036854774784.0, u"far"_s}, QJsonArray{9223372036854774784.0, {}, 1, 5},
                       QJsonArray{-1, u"before"_s}, QJsonArray{1, u"past"_s}, QJsonArray{0, u"here"_s}};
    const QList<MemberText> texts = decoded({{u"t"_s, u"~:"_s}, {u"x"_s, x}}, earlier, &rest);
    ASSERT_EQ(texts.size(), 2001);
    EXPECT_EQ(texts.back().text, u"here"_s);
    EXPECT_EQ(texts.first().text, u"earlier"_s);
    EXPECT_EQ(texts[1999].text, u"earlier"_s);
    EXPECT_TRUE(rest.longTexts.isEmpty());
}

TEST(PositionRuns, NeighboursTravelAsRunsInTheirOrder)
{
    const QList<qint32> positions{3, 4, 5, 9, 8, 8, -1, 0, 2147483646, 2147483647};
    EXPECT_EQ(chromium::positionRuns(positions), (QJsonArray{3, 3, 9, 1, 8, 1, 8, 1, -1, 2, 2147483646, 2}));
    EXPECT_EQ(chromium::positionRuns({}), QJsonArray{});
}
