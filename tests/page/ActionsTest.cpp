// Writes by key and the nearest button, on the double.
#include "tests/page/PageDouble.h"

#include <limits>

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

bool clicked(const std::shared_ptr<automation::doubles::ElementDouble> &element)
{
    return element->journal().contains(u"Click"_s);
}

} // namespace

TEST_F(PageOnDouble, ClickPrefersAButtonWithinElevenElementsOverAnyLink)
{
    auto link = add({{u"tagName"_s, u"A"_s}, {u"href"_s, u"http://x/"_s}});
    for (int i = 0; i < 9; ++i)
        add({{u"tagName"_s, u"SPAN"_s}});
    auto image = add({{u"tagName"_s, u"INPUT"_s}, {u"type"_s, u"image"_s}}); // item 10
    auto submit = add({{u"tagName"_s, u"INPUT"_s}, {u"type"_s, u"submit"_s}}); // item 11
    ASSERT_TRUE(page.SetWebPage(browser));

    EXPECT_TRUE(page.Click(0, QString()));
    EXPECT_TRUE(clicked(image));
    EXPECT_FALSE(clicked(link));
    image->clearJournal();

    EXPECT_TRUE(page.Click(1, QString()));
    EXPECT_TRUE(clicked(image)); // the first of the two in document order
    EXPECT_FALSE(clicked(submit));

    image->set(u"type"_s, u"text"_s);
    EXPECT_TRUE(page.Click(0, QString())); // the submit button at 11 is out of reach
    EXPECT_TRUE(clicked(link));
    EXPECT_FALSE(clicked(submit));

    EXPECT_FALSE(page.Click(12, QString()));
    EXPECT_FALSE(page.Click(32758, QString())); // item numbers are not cut to 16 bits
    EXPECT_THROW(page.Click(std::numeric_limits<ItemNo>::max() - 9, QString()), AutomationError);
    EXPECT_FALSE(page.Click(std::numeric_limits<ItemNo>::max() - 10, QString()));
}

TEST_F(PageOnDouble, SetItemKeyValueTriesIdentifiersThenInputNames)
{
    add({{u"tagName"_s, u"INPUT"_s}, {u"name"_s, u"key"_s}, {u"value"_s, u""_s}});
    auto div = add({{u"tagName"_s, u"DIV"_s}, {u"id"_s, u"key"_s}, {u"value"_s, u""_s}});
    auto named = add({{u"tagName"_s, u"INPUT"_s}, {u"name"_s, u"only"_s}, {u"value"_s, u""_s}});
    add({{u"tagName"_s, u"SPAN"_s}, {u"name"_s, u"span"_s}, {u"value"_s, u""_s}});
    ASSERT_TRUE(page.SetWebPage(browser));

    EXPECT_EQ(page.SetItemKey_Value(u"key"_s, u"a"_s), 1.0f);
    EXPECT_EQ(div->value(u"value"_s).toString(), u"a"_s);
    EXPECT_EQ(page.SetItemKey_Value(u"only"_s, u"b"_s), 2.0f);
    EXPECT_EQ(named->value(u"value"_s).toString(), u"b"_s);
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_EQ(page.SetItemKey_Value(u"span"_s, u"c"_s), -1.0f); // names count only on inputs
    EXPECT_EQ(ui.beeps, 1);
    named->failOn(u"Value"_s, AutomationError::PermissionDenied);
    EXPECT_EQ(page.SetItemKey_Value(u"only"_s, u"d"_s), -1.0f);
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(PageOnDouble, ActionsOnAPageThatChanged)
{
    auto radio = add({{u"tagName"_s, u"INPUT"_s}, {u"type"_s, u"radio"_s}, {u"id"_s, u"r"_s}, {u"checked"_s, false}});
    ASSERT_TRUE(page.SetWebPage(browser));
    browser->navigate(u"http://b.test/"_s);
    QString type = u"radio"_s;
    EXPECT_FALSE(page.ItemClick(0, type, u"r"_s));
    EXPECT_FALSE(page.SetfocusItem(u"r"_s));
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_FALSE(page.SetItem_Value(0, u"x"_s));
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_FALSE(radio->value(u"checked"_s).toBool());
    EXPECT_FALSE(browser->journal().contains(u"bringToFront"_s));
}

TEST_F(PageOnDouble, ItemClickChecksTheRowsOwnButtonOrElseLooksItUp)
{
    auto first = add({{u"tagName"_s, u"INPUT"_s}, {u"id"_s, u""_s}, {u"name"_s, u"g"_s}, {u"checked"_s, false}});
    auto second = add({{u"tagName"_s, u"INPUT"_s}, {u"id"_s, u""_s}, {u"name"_s, u"g"_s}, {u"checked"_s, false}});
    auto box = add({{u"tagName"_s, u"INPUT"_s}, {u"id"_s, u"box"_s}, {u"name"_s, u""_s}, {u"checked"_s, false}});
    ASSERT_TRUE(page.SetWebPage(browser));
    QString radio = u"radio"_s;
    QString checkbox = u"checkbox"_s;

    page.ItemClick(1, radio, u"g"_s);
    EXPECT_TRUE(second->value(u"checked"_s).toBool());
    EXPECT_FALSE(first->value(u"checked"_s).toBool());
    page.ItemClick(2, checkbox, u"box"_s);
    page.ItemClick(2, checkbox, u"box"_s);
    page.ItemClick(2, checkbox, u"box"_s);
    EXPECT_TRUE(box->value(u"checked"_s).toBool());

    // A row whose position now holds another element: found by its identifier.
    page.ItemClick(0, checkbox, u"box"_s);
    EXPECT_FALSE(box->value(u"checked"_s).toBool());
    EXPECT_FALSE(first->value(u"checked"_s).toBool());
    EXPECT_FALSE(first->journal().contains(u"Click"_s));
}
