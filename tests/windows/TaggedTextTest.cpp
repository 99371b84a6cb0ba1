#include "tests/ui/RecordingUiServices.h"
#include "windows/inspector/TaggedText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace inspector;

namespace {

class TaggedText : public ::testing::Test
{
protected:
    ui::RecordingUiServices ui;
};

} // namespace

TEST_F(TaggedText, SettingMovesTheElementToTheEnd)
{
    QString text = SetElementValue(u""_s, 0, u"1234"_s);
    EXPECT_EQ(text, u"<Handler>1234</Handler>"_s);
    text = SetElementValue(text, 3, u"http://a/"_s);
    EXPECT_EQ(text, u"<Handler>1234</Handler><LocationURL>http://a/</LocationURL>"_s);
    text = SetElementValue(text, 0, u"5678"_s);
    EXPECT_EQ(text, u"<LocationURL>http://a/</LocationURL><Handler>5678</Handler>"_s);
    EXPECT_EQ(GetElementValue(text, 0), u"5678"_s);
    EXPECT_EQ(GetElementValue(text, 3), u"http://a/"_s);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(TaggedText, AnEmptyValueRemovesTheElementOrChangesNothing)
{
    const QString text = u"<Row>5</Row><Status>ok</Status>"_s;
    EXPECT_EQ(SetElementValue(text, 1, u""_s), u"<Row>5</Row>"_s);
    EXPECT_EQ(SetElementValue(text, 0, u""_s), text);
}

TEST_F(TaggedText, TheEmptyTextHasNoElements)
{
    for (qint16 elementNo : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10})
        EXPECT_EQ(GetElementValue(u""_s, elementNo), u""_s) << elementNo;
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(TaggedText, NamesMatchExactly)
{
    EXPECT_EQ(GetElementValue(u"<handler>1</handler>"_s, 0), u""_s);
    EXPECT_EQ(GetElementValue(u"<Handler >1</Handler >"_s, 0), u""_s);
}

TEST_F(TaggedText, OnlyTheFirstOfTwoCopiesIsReadOrReplaced)
{
    const QString text = u"<Row>1</Row><Row>2</Row>"_s;
    EXPECT_EQ(GetElementValue(text, 6), u"1"_s);
    EXPECT_EQ(SetElementValue(text, 6, u"3"_s), u"<Row>2</Row><Row>3</Row>"_s);
}

TEST_F(TaggedText, ExtractTellsAnEmptyValueFromNone)
{
    QString text = u"a<Row></Row>b"_s;
    const std::optional<QString> empty = ExtractElementStr(text, 6, false, -1);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, u""_s);
    EXPECT_EQ(text, u"a<Row></Row>b"_s);

    EXPECT_EQ(ExtractElementStr(text, 6, true, -1), u""_s);
    EXPECT_EQ(text, u"ab"_s);
    EXPECT_FALSE(ExtractElementStr(text, 6, true, -1).has_value());
    EXPECT_EQ(text, u"ab"_s);
}

TEST_F(TaggedText, AnIncompleteElementIsMissingAndStaysInPlace)
{
    for (const QString &damaged : {u"</Handler>9<Handler>"_s, u"<Handler>9"_s, u"9</Handler>"_s}) {
        EXPECT_EQ(GetElementValue(damaged, 0), u""_s) << qPrintable(damaged);
        EXPECT_EQ(SetElementValue(damaged, 0, u"42"_s), damaged + u"<Handler>42</Handler>"_s);
    }
}

TEST_F(TaggedText, AStrayClosingTagDoesNotHideTheElementAfterIt)
{
    EXPECT_EQ(GetElementValue(u"</Handler><Handler>7</Handler>"_s, 0), u"7"_s);
    const QString text = SetElementValue(u"9</Handler>"_s, 0, u"42"_s);
    EXPECT_EQ(GetElementValue(text, 0), u"42"_s);
    EXPECT_EQ(SetElementValue(text, 0, u""_s), u"9</Handler>"_s);
}

TEST_F(TaggedText, ArrayElementsCarryTheirNumber)
{
    EXPECT_EQ(GetElementStr(8, 3), u"ArrayNo3"_s);
    EXPECT_EQ(MakeElementStr(8, u"x"_s, 12, false), u"<ArrayNo12>x</ArrayNo12>"_s);
    QString text = u"<ArrayNo1>a</ArrayNo1><ArrayNo2>b</ArrayNo2>"_s;
    EXPECT_EQ(ExtractElementStr(text, 8, false, 2), u"b"_s);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(TaggedText, BadElementNumbersAreReportedAndTheWorkGoesOn)
{
    EXPECT_EQ(GetElementStr(8, -2), u"ArrayNo-2"_s);
    EXPECT_EQ(GetElementStr(11, 0), u""_s);
    EXPECT_EQ(GetElementStr(-1, 0), u""_s);
    ASSERT_EQ(ui.messageBoxes.size(), 3);
    EXPECT_EQ(ui.messageBoxes[0].text, u"要素数指定エラーArray"_s);
    EXPECT_EQ(ui.messageBoxes[1].text, u"対応外Element"_s);
    for (const auto &box : ui.messageBoxes) {
        EXPECT_EQ(box.title, u"Error(GetElementStr)"_s);
        EXPECT_EQ(box.buttons, ui::MessageButtons::Ok);
        EXPECT_EQ(box.icon, ui::MessageIcon::None);
    }
    EXPECT_EQ(ui.beeps, 0);

    // The single-element calls pass array number -1, so element 8 reports
    // once per name it builds and still works under the name ArrayNo-1.
    ui.messageBoxes.clear();
    EXPECT_EQ(SetElementValue(u""_s, 8, u"v"_s), u"<ArrayNo-1>v</ArrayNo-1>"_s);
    EXPECT_EQ(ui.messageBoxes.size(), 2);
}
