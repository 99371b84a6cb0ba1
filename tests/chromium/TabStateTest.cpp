// Ready states mirrored from page events, and tabs that stop answering.
#include "tests/support/chromium/ChromiumFixture.h"

#include <QThread>

#include <functional>

using namespace Qt::StringLiterals;
using automation::AutomationError;
using testsupport::ChromiumTest;
using testsupport::StoppedBrowser;
using testsupport::elementById;
using testsupport::eventually;

namespace {

template<int DeadlineMs>
class Deadline : public ChromiumTest
{
protected:
    chromium::ChromiumOptions options() const override
    {
        chromium::ChromiumOptions o;
        o.callTimeout = std::chrono::milliseconds(DeadlineMs);
        return o;
    }
};
// Short enough to keep the tests quick, long enough for a loaded machine to set up a tab.
using ShortDeadline = Deadline<1500>;
// Long enough that a test ends only by what it waits for.
using LongDeadline = Deadline<120000>;

// How a call failed: its error number and description; 0 when it did not.
// "gave no answer" tells a call that waited out its deadline, "not
// answering" one that was refused at once without being sent.
struct Failure
{
    qint32 number = 0;
    QString description;
};

Failure failureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AutomationError &e) {
        return {e.number(), e.detail()};
    }
    return {};
}

// What one refresh of the browser list reads from every tab.
void readList(automation::ShellWindows &shell)
{
    for (qint32 i = 0; i < shell.count(); ++i) {
        auto browser = shell.item(i);
        browser->typeName();
        browser->locationURL();
        browser->locationName();
        browser->readyState();
        browser->hwnd();
    }
}

} // namespace

TEST_F(ChromiumTest, ReadyStateFollowsLoading)
{
    auto browser = shell->createBrowser();
    browser->navigate(server().url(u"/slow?ms=1500"_s));
    // Loading from the moment the navigation was asked for.
    EXPECT_EQ(browser->readyState(), automation::ReadyState::Loading);
    EXPECT_TRUE(browser->busy());
    QThread::msleep(500);
    EXPECT_EQ(browser->readyState(), automation::ReadyState::Loading);
    EXPECT_TRUE(browser->busy());
    ASSERT_TRUE(eventually([&] { return browser->readyState() == automation::ReadyState::Complete; }, 5000));
    EXPECT_TRUE(eventually([&] { return !browser->busy(); }));
}

TEST_F(ShortDeadline, EndlessScriptFailsFastAndSpareOtherTabs)
{
    // Another site, so that Chromium gives it a renderer of its own.
    server().setPage(u"/other.html"_s, u"<title>other</title><p id=p>fine</p>"_s);
    auto other = openUrl(u"http://localhost:"_s + QString::number(server().port()) + u"/other.html"_s);
    auto hung = openPage(u"/hang.html"_s, u"<title>hang</title><p id=p>x</p>"
                                          "<button id=b onclick='setTimeout(() => { for (;;) {} })'>hang</button>"_s);
    auto document = hung->document();
    elementById(document, u"b"_s)->invoke(u"click"_s);

    const Failure first = failureOf([&] { document->getElementById(u"p"_s); });
    EXPECT_EQ(first.number, AutomationError::AutomationFailure);
    EXPECT_TRUE(first.description.contains(u"gave no answer"_s)) << first.description.toStdString();
    for (const auto &call : {std::function<void()>([&] { document->getElementById(u"p"_s); }),
                             std::function<void()>([&] { hung->document()->getElementById(u"p"_s); })}) {
        const Failure again = failureOf(call);
        EXPECT_EQ(again.number, AutomationError::AutomationFailure);
        EXPECT_TRUE(again.description.contains(u"not answering"_s)) << again.description.toStdString();
    }

    EXPECT_EQ(failureOf([&] { readList(*shell); }).number, 0);
    EXPECT_EQ(hung->locationName(), u"hang"_s);
    QVariant text;
    EXPECT_EQ(failureOf([&] { text = elementById(other->document(), u"p"_s)->get(u"innerText"_s); }).number, 0);
    EXPECT_EQ(text.toString(), u"fine"_s);
    hung->quit();
}

TEST_F(ShortDeadline, OpenDialogFailsAtOnceAndIsLeftAlone)
{
    auto page = openPage(u"/alert.html"_s, u"<title>alert</title><p id=p>x</p>"
                                           "<button id=b onclick='setTimeout(() => alert(\"hi\"))'>alert</button>"_s);
    auto document = page->document();
    elementById(document, u"b"_s)->invoke(u"click"_s);
    // Once the tab has heard of the dialog, calls fail without being sent.
    Failure call;
    ASSERT_TRUE(eventually([&] {
        call = failureOf([&] { document->getElementById(u"p"_s); });
        return call.description.contains(u"dialog"_s);
    }));
    EXPECT_EQ(call.number, AutomationError::AutomationFailure);
    EXPECT_EQ(failureOf([&] { readList(*shell); }).number, 0);
    page->quit();
}

// A bulk read sent to a page that never answers does not hold up its caller,
// and ends as soon as its tab closes, not at its deadline.
TEST_F(LongDeadline, AReadOutIsNotWaitedForAndEndsWithItsTab)
{
    auto page = openPage(u"/busy.html"_s, u"<title>busy</title><p id=p>x</p>"
                                          "<button id=b onclick='setTimeout(() => { for (;;) {} })'>busy</button>"_s);
    auto document = page->document();
    elementById(document, u"b"_s)->invoke(u"click"_s);
    auto all = document->collection(automation::CollectionKind::All);
    const automation::PendingReadPtr read = all->startReadMany({u"id"_s}, 0, 3);
    EXPECT_FALSE(read->ready(std::chrono::milliseconds(0)));
    EXPECT_EQ(page->locationName(), u"busy"_s);
    page->quit();
    EXPECT_EQ(failureOf([&] { read->take(); }).number, AutomationError::ServerUnavailable);
}

// A browser that stops answering is known as such: after the call that met
// its deadline, calls fail without being sent, and the browser is used again
// as soon as it answers.
TEST_F(ShortDeadline, AStoppedBrowserIsNotWaitedOnAgainAndIsUsedOnceItAnswers)
{
    auto page = openPage(u"/stopped.html"_s, u"<title>stopped</title><p id=p>x</p>"_s);
    auto document = page->document();
    ASSERT_NO_THROW(readList(*shell));

    StoppedBrowser stopped;
    // Past the age at which the last tab list still answers.
    const auto listAge = chromium::ChromiumOptions().listMaxAge + std::chrono::milliseconds(50);
    QThread::msleep(quint64(listAge.count()));
    EXPECT_TRUE(failureOf([&] { readList(*shell); }).description.contains(u"gave no answer"_s));
    QThread::msleep(quint64(listAge.count()));
    EXPECT_TRUE(failureOf([&] { readList(*shell); }).description.contains(u"is not answering"_s));
    EXPECT_TRUE(failureOf([&] { document->getElementById(u"p"_s); }).description.contains(u"is not answering"_s));

    stopped.resume();
    EXPECT_TRUE(eventually([&] { return failureOf([&] { readList(*shell); }).number == 0; }, 20000));
    EXPECT_EQ(automation::automationText(elementById(document, u"p"_s)->get(u"innerText"_s)), u"x"_s);
    page->quit();
}
