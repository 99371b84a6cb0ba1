#include "tests/support/chromium/ChromiumFixture.h"

using namespace Qt::StringLiterals;
using testsupport::ChromiumTest;

TEST_F(ChromiumTest, Smoke)
{
    auto b = openPage(u"/a.html"_s, u"<title>日本語のタイトル</title><p id=x name=n>hello</p><input name=q value=v>"_s);
    EXPECT_EQ(b->typeName(), u"IWebBrowser2"_s);
    EXPECT_EQ(b->locationName(), u"日本語のタイトル"_s);
    auto doc = b->document();
    auto all = doc->collection(automation::CollectionKind::All);
    EXPECT_GT(all->length(), 4);
    auto p = doc->getElementById(u"x"_s);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->get(u"TagName"_s).toString(), u"P"_s);
    EXPECT_EQ(p->get(u"innertext"_s).toString(), u"hello"_s);
    auto q = doc->getElementById(u"q"_s);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->get(u"Value"_s).toString(), u"v"_s);
}
