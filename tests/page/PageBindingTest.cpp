// Binding, page tests, counts and the reading of properties, on the double.
#include "tests/page/PageDouble.h"
#include "tests/support/automation_double/ForeignObject.h"

#include <limits>
#include <numeric>

using namespace Qt::StringLiterals;
using automation::AutomationError;
using automation::CollectionKind;

namespace {

// Each cell of rows read in bulk as its own read gives it.
void expectSingleReads(CWebPageHV &page, const QList<ItemNo> &rows, const QList<qint32> &codes,
                       const QList<QList<ItemText>> &bulk)
{
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < codes.size(); ++c) {
            bool error = false;
            EXPECT_EQ(bulk[r][c].text, page.GetItemStr(rows[r], codes[c], error)) << rows[r] << " code " << codes[c];
            EXPECT_EQ(bulk[r][c].unavailable(), error) << rows[r] << " code " << codes[c];
        }
    }
}

} // namespace

TEST_F(PageOnDouble, BindsOnlyBrowsersShowingHttpPages)
{
    for (const QString &url : {u"about:blank"_s, u"HTTP://A.TEST/"_s, u"htt"_s, u"file:///tmp/a.html"_s}) {
        browser->show(url);
        EXPECT_FALSE(page.SetWebPage(browser)) << url.toStdString();
        EXPECT_EQ(page.GetIE_hWnd(), 0);
        EXPECT_FALSE(page.CheckWebPage()); // compared with the empty address
    }
    EXPECT_FALSE(page.SetWebPage(std::make_shared<automation::doubles::ForeignObject>(u"IShellFolderViewDual"_s)));
    EXPECT_FALSE(page.SetWebPage(nullptr));
    browser->show(u"https://a.test/"_s);
    EXPECT_TRUE(page.SetWebPage(browser));
    EXPECT_EQ(page.GetIE_hWnd(), browser->state().hwnd);
    EXPECT_TRUE(page.CheckWebPage());
}

TEST_F(PageOnDouble, FailedBindingKeepsTheOldElementListButNotItsDocument)
{
    add({{u"tagName"_s, u"A"_s}, {u"href"_s, u"http://x/"_s}});
    add({{u"tagName"_s, u"DIV"_s}});
    ASSERT_TRUE(page.SetWebPage(browser));
    auto blank = shell->open(u"about:blank"_s);
    EXPECT_FALSE(page.SetWebPage(blank));
    EXPECT_EQ(page.GetWebItemN(-1), 2);
    EXPECT_EQ(page.GetWebItemN(0), 0);
    EXPECT_EQ(page.GetWebItemN(1), 0);
    bool error = false;
    EXPECT_EQ(page.GetItemStr(1, 1, error), u"DIV"_s);
}

TEST_F(PageOnDouble, NoticesNavigationLoadingAndClosing)
{
    CWebPageHV unbound(settings, ui);
    EXPECT_TRUE(unbound.CheckWebPage()); // two empty addresses
    EXPECT_EQ(unbound.GetTitle(), u"No Title"_s);
    EXPECT_EQ(unbound.GetURL(), u"No URL"_s);
    EXPECT_EQ(unbound.GetWebItemN(-1), 0);

    ASSERT_TRUE(page.SetWebPage(browser));
    EXPECT_TRUE(page.IsWebPageComplete());
    browser->navigate(u"http://b.test/"_s);
    EXPECT_FALSE(page.CheckWebPage());
    EXPECT_TRUE(page.IsWebPage());
    browser->state().busy = true;
    EXPECT_FALSE(page.IsWebPageComplete());
    browser->state().busy = false;
    browser->state().readyState = automation::ReadyState::Interactive;
    EXPECT_FALSE(page.IsWebPageComplete());
    browser->state().readyState = automation::ReadyState::Complete;
    EXPECT_TRUE(page.IsWebPageComplete());
    EXPECT_EQ(page.GetTitle(), u"http://b.test/"_s);

    browser->close();
    EXPECT_FALSE(page.CheckWebPage());
    EXPECT_FALSE(page.IsWebPage());
    EXPECT_EQ(page.GetIE_hWnd(), 0);
    EXPECT_TRUE(page.IsWebPageComplete());
    EXPECT_EQ(page.GetTitle(), u"No Title"_s);
    EXPECT_EQ(page.GetURL(), u"No URL"_s);
}

// Only an answer tells that the tab left the page: a browser that gives none
// may still show it.
TEST_F(PageOnDouble, APageCheckWithoutAnAnswerIsUnknownNotElsewhere)
{
    using Outcome = PageCheck::Outcome;
    ASSERT_TRUE(page.SetWebPage(browser));
    EXPECT_EQ(page.CheckPage().outcome, Outcome::SamePage);

    browser->leaveUnanswered(u"LocationURL"_s);
    const PageCheck unanswered = page.CheckPage();
    EXPECT_EQ(unanswered.outcome, Outcome::NoAnswer);
    ASSERT_TRUE(unanswered.failure.has_value());
    EXPECT_TRUE(unanswered.failure->unanswered());
    EXPECT_FALSE(page.CheckWebPage());
    // Any other failure of the same number is a tab that cannot tell its page.
    browser->failOn(u"LocationURL"_s, AutomationError::AutomationFailure);
    EXPECT_EQ(page.CheckPage().outcome, Outcome::Elsewhere);

    browser->clearFailure(u"LocationURL"_s);
    EXPECT_EQ(page.CheckPage().outcome, Outcome::SamePage);
    browser->navigate(u"http://b.test/"_s);
    EXPECT_EQ(page.CheckPage().outcome, Outcome::Elsewhere);
    browser->close();
    EXPECT_EQ(page.CheckPage().outcome, Outcome::Elsewhere);
}

TEST_F(PageOnDouble, CountsEachKindAndGivesZeroAboveSixteenBits)
{
    add({{u"tagName"_s, u"A"_s}, {u"href"_s, u"http://x/"_s}});
    add({{u"tagName"_s, u"IMG"_s}});
    add({{u"tagName"_s, u"FORM"_s}});
    add({{u"tagName"_s, u"FORM"_s}});
    add({{u"tagName"_s, u"IFRAME"_s}});
    ASSERT_TRUE(page.SetWebPage(browser));
    EXPECT_EQ(page.GetWebItemN(0), 5);
    EXPECT_EQ(page.GetWebItemN(1), 1);
    EXPECT_EQ(page.GetWebItemN(2), 1);
    EXPECT_EQ(page.GetWebItemN(3), 2);
    EXPECT_EQ(page.GetWebItemN(4), 1);
    EXPECT_EQ(page.GetWebItemN(-1), 5);
    EXPECT_EQ(page.GetWebItemN(7), 5);

    ASSERT_TRUE(page.SetItems(3)); // frames, while count 3 is forms
    EXPECT_EQ(page.GetWebItemN(-1), 1);
    EXPECT_EQ(page.GetWebItemN(3), 2);
    bool error = false;
    EXPECT_EQ(page.GetItemStr(0, 1, error), u"IFRAME"_s);

    // Counts are not cut to 16 bits: a large page lists every element.
    browser->page()->collectionDouble(CollectionKind::All)->reportLength(100000);
    EXPECT_EQ(page.GetWebItemN(0), 100000);
}

TEST_F(PageOnDouble, EachCodeReadsItsMember)
{
    const QStringList members{u"TagName"_s, u"Type"_s, u"Name"_s, u"Value"_s, u"alt"_s, u"href"_s,
                              u"innerText"_s, u"innerhtml"_s, u"id"_s, u"Text"_s, u"outerhtml"_s,
                              u"UniqueID"_s, u"Title"_s};
    QVariantMap all;
    for (const QString &member : members)
        all.insert(member, QString(member + u"!"_s));
    auto element = add(all);
    add({{u"tagName"_s, u"TD"_s}});
    add({{u"tagName"_s, u"INPUT"_s}, {u"value"_s, u""_s}});
    ASSERT_TRUE(page.SetWebPage(browser));

    const QList<qint32> codes{1, 2, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15};
    for (qsizetype i = 0; i < codes.size(); ++i) {
        bool error = true;
        EXPECT_EQ(page.GetItemStr(0, codes[i], error), QString(members[i] + u"!"_s));
        EXPECT_FALSE(error);
    }
    element->clearJournal();
    for (const qint32 nothing : {3, 11, 0, 16, -1}) {
        bool error = true;
        EXPECT_EQ(page.GetItemStr(0, nothing, error), QString());
        EXPECT_FALSE(error);
    }
    EXPECT_TRUE(element->journal().isEmpty());

    bool error = false;
    EXPECT_EQ(page.GetItemStr(1, 5, error), QString());
    EXPECT_TRUE(error); // a TD has no value
    EXPECT_EQ(page.GetItemStr(2, 5, error), QString());
    EXPECT_FALSE(error); // an empty value is still a value
    EXPECT_EQ(page.GetItemStr(3, 1, error), QString());
    EXPECT_TRUE(error); // one past the end
    EXPECT_EQ(ui.beeps, 0);
}

class ReadFailureTest : public PageOnDouble, public ::testing::WithParamInterface<qint32>
{
};

TEST_P(ReadFailureTest, PropertyAbsentOrObjectGoneIsUnavailableAndSilent)
{
    add({{u"tagName"_s, u"INPUT"_s}, {u"name"_s, u"n"_s}})->failOn(u"Name"_s, GetParam());
    ASSERT_TRUE(page.SetWebPage(browser));
    bool error = false;
    EXPECT_EQ(page.GetItemStr(0, 4, error), QString());
    EXPECT_TRUE(error);
    const QList<QList<ItemText>> rows = page.GetItemStrRows({0}, {4});
    EXPECT_TRUE(rows[0][0].unavailable());
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(UnavailableNumbers, ReadFailureTest, ::testing::Values(438, 70, 462, 91, 430));

TEST_F(PageOnDouble, AutomationErrorBeepsAndLeavesTheFlagAlone)
{
    add({{u"tagName"_s, u"INPUT"_s}, {u"name"_s, u"n"_s}})->failOn(u"Name"_s, AutomationError::AutomationFailure);
    ASSERT_TRUE(page.SetWebPage(browser));
    for (const bool before : {true, false}) {
        bool error = before;
        EXPECT_EQ(page.GetItemStr(0, 4, error), QString());
        EXPECT_EQ(error, before);
    }
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(PageOnDouble, OtherErrorBeepsAndShowsTheBoxOncePerRead)
{
    auto element = add({{u"tagName"_s, u"INPUT"_s}, {u"name"_s, u"n"_s}});
    element->failOn(u"Name"_s, 5, u"プロシージャの呼び出し、または引数が不正です。"_s);
    ASSERT_TRUE(page.SetWebPage(browser));
    bool error = true;
    EXPECT_EQ(page.GetItemStr(0, 4, error), QString());
    EXPECT_FALSE(error);
    ASSERT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_EQ(ui.messageBoxes[0].text,
              u"★☆Error No：5\nSource：Name\nDescription：プロシージャの呼び出し、または引数が不正です。"_s);
    EXPECT_EQ(ui.messageBoxes[0].title, u"Vorlane"_s);
    EXPECT_EQ(ui.messageBoxes[0].buttons, ui::MessageButtons::Ok);
    EXPECT_EQ(ui.beeps, 1);
    // The failing read is not tried again after the box.
    EXPECT_EQ(element->journal().count(u"Name"_s), 1);
}

TEST_F(PageOnDouble, TellsTheUserOnlyThroughTheServicesItWasGiven)
{
    add({{u"tagName"_s, u"INPUT"_s}, {u"name"_s, u"n"_s}})->failOn(u"Name"_s, 5, u"broken"_s);
    ASSERT_TRUE(page.SetWebPage(browser));
    const ui::RecordingUiServices installed; // now the program-wide services
    bool error = false;
    page.GetItemStr(0, 4, error);
    EXPECT_FALSE(page.SetItem_Value(5, u"x"_s));
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_EQ(installed.beeps, 0);
    EXPECT_TRUE(installed.messageBoxes.isEmpty());
}

TEST_F(PageOnDouble, PersistentFailureShowsOneBoxPerOperation)
{
    for (int i = 0; i < 4; ++i)
        add({{u"tagName"_s, u"INPUT"_s}, {u"name"_s, u"n"_s}})->failOn(u"Name"_s, 5, u"broken"_s);
    ASSERT_TRUE(page.SetWebPage(browser));
    page.SetFilter_Name(u"n"_s, 0);
    QList<ItemNo> found;
    EXPECT_EQ(page.SearchItem(found, true, false), 0);
    EXPECT_EQ(ui.beeps, 4);
    EXPECT_EQ(ui.messageBoxes.size(), 1);

    page.GetItemStrRows({0, 1, 2, 3}, {4});
    EXPECT_EQ(ui.beeps, 8);
    EXPECT_EQ(ui.messageBoxes.size(), 2);
}

TEST_F(PageOnDouble, RowsReadInBulkMatchSingleReads)
{
    add({{u"tagName"_s, u"INPUT"_s}, {u"type"_s, u"text"_s}, {u"value"_s, u"v"_s}, {u"id"_s, u"a"_s}});
    add({{u"tagName"_s, u"TD"_s}, {u"innerText"_s, u"cell"_s}});
    add({{u"tagName"_s, u"A"_s}, {u"href"_s, u"http://x/"_s}})->failOn(u"href"_s, AutomationError::AutomationFailure);
    add({{u"tagName"_s, u"B"_s}, {u"name"_s, u"b"_s}})->failOn(u"Name"_s, 5, u"odd"_s);
    for (int i = 0; i < 20; ++i)
        add({{u"tagName"_s, u"I"_s}, {u"id"_s, QString::number(i)}});
    ASSERT_TRUE(page.SetWebPage(browser));

    const QList<ItemNo> rows{0, 1, 2, 3, 22, 23, 24, 40};
    QList<qint32> codes(15);
    std::iota(codes.begin(), codes.end(), 1);
    const QList<QList<ItemText>> bulk = page.GetItemStrRows(rows, codes);
    const int bulkBeeps = ui.beeps;
    ASSERT_EQ(bulk.size(), rows.size());
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < codes.size(); ++c) {
            bool error = false;
            const QString text = page.GetItemStr(rows[r], codes[c], error);
            EXPECT_EQ(bulk[r][c].text, text) << rows[r] << " code " << codes[c];
            EXPECT_EQ(bulk[r][c].unavailable(), error) << rows[r] << " code " << codes[c];
        }
    }
    EXPECT_EQ(bulk[2][6].outcome, ItemText::Outcome::Beeped);
    EXPECT_EQ(bulk[3][3].outcome, ItemText::Outcome::Reported);
    EXPECT_EQ(ui.beeps, 2 * bulkBeeps);
    EXPECT_EQ(ui.messageBoxes.size(), 2);
    EXPECT_EQ(ui.messageBoxes[0].text, ui.messageBoxes[1].text);
}

TEST_F(PageOnDouble, ScatteredRowsAreOneBulkCallAndReadAsSingleReadsDo)
{
    for (int i = 0; i < 300; ++i)
        add({{u"tagName"_s, i % 7 ? u"P"_s : u"INPUT"_s}, {u"id"_s, QString::number(i)}});
    ASSERT_TRUE(page.SetWebPage(browser));
    auto all = browser->page()->collectionDouble(CollectionKind::All);

    const QList<ItemNo> rows{299, 0, 150, 17, 150, 18, 301, 64, -2};
    const QList<qint32> codes{1, 10, 5};
    all->clearJournal();
    const QList<QList<ItemText>> bulk = page.GetItemStrRows(rows, codes);
    EXPECT_EQ(all->journal().count(u"readMany"_s), 1);
    ASSERT_EQ(bulk.size(), rows.size());
    expectSingleReads(page, rows, codes, bulk);
    EXPECT_EQ(bulk[2][1].text, u"150"_s);
    EXPECT_EQ(bulk[3][0].text, u"P"_s);
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(PageOnDouble, RowsAtTheEndsOfTheItemNumbersReadAsSingleReadsDo)
{
    for (int i = 0; i < 3; ++i)
        add({{u"tagName"_s, u"P"_s}, {u"id"_s, QString::number(i)}});
    ASSERT_TRUE(page.SetWebPage(browser));

    constexpr ItemNo kLast = std::numeric_limits<ItemNo>::max();
    const QList<ItemNo> rows{std::numeric_limits<ItemNo>::min(), 0, 2, kLast - 1, kLast};
    const QList<qint32> codes{1, 10};
    const QList<QList<ItemText>> bulk = page.GetItemStrRows(rows, codes);
    ASSERT_EQ(bulk.size(), rows.size());
    expectSingleReads(page, rows, codes, bulk);
    EXPECT_EQ(bulk[2][0].text, u"P"_s);
}

TEST_F(PageOnDouble, BulkCallThatFailsWholeCountsForEachEntry)
{
    for (int i = 0; i < 3; ++i)
        add({{u"tagName"_s, u"INPUT"_s}});
    ASSERT_TRUE(page.SetWebPage(browser));
    page.SetFilter_TagName(0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
    auto all = browser->page()->collectionDouble(CollectionKind::All);
    QList<ItemNo> found;

    all->failOn(u"readMany"_s, AutomationError::ServerUnavailable);
    EXPECT_EQ(page.SearchItem(found, true, false), 0);
    EXPECT_EQ(ui.beeps, 0);

    all->failOn(u"readMany"_s, AutomationError::AutomationFailure);
    EXPECT_EQ(page.SearchItem(found, true, false), 0);
    EXPECT_EQ(ui.beeps, 3);

    all->clearFailure(u"readMany"_s);
    EXPECT_EQ(page.SearchItem(found, true, false), 3);
    EXPECT_EQ(found, (QList<ItemNo>{0, 0, 1, 2}));
}
