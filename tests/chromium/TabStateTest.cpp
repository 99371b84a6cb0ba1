// Ready states mirrored from page events, and tabs that stop answering.
#include "tests/support/chromium/ChromiumFixture.h"

#include <QElapsedTimer>
#include <QThread>

#include <csignal>
#include <functional>

using namespace Qt::StringLiterals;
using automation::AutomationError;
using testsupport::ChromiumTest;
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
using ShortDeadline = Deadline<600>;
// Long enough that a test ends only by what it waits for.
using LongDeadline = Deadline<120000>;

// Milliseconds a call took, and whether it failed with an automation error.
struct Timed
{
    qint64 ms;
    qint32 error;
};

Timed timed(const std::function<void()> &call)
{
    QElapsedTimer timer;
    timer.start();
    qint32 error = 0;
    try {
        call();
    } catch (const AutomationError &e) {
        error = e.number();
    }
    return {timer.elapsed(), error};
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
    auto hung = openPage(u"/hang.html"_s, u"<title>hang</title><p id=p>x</p><script>setTimeout(() => { for (;;) {} }, 200)</script>"_s);
    auto document = hung->document();
    QThread::msleep(400);

    const Timed first = timed([&] { document->getElementById(u"p"_s); });
    EXPECT_EQ(first.error, AutomationError::AutomationFailure);
    EXPECT_LT(first.ms, 1500);
    const Timed again = timed([&] { document->getElementById(u"p"_s); });
    EXPECT_EQ(again.error, AutomationError::AutomationFailure);
    EXPECT_LT(again.ms, 100);
    const Timed fresh = timed([&] { hung->document()->getElementById(u"p"_s); });
    EXPECT_LT(fresh.ms, 100);

    const Timed list = timed([&] { readList(*shell); });
    EXPECT_EQ(list.error, 0);
    EXPECT_LT(list.ms, 200);
    EXPECT_EQ(hung->locationName(), u"hang"_s);
    QVariant text;
    const Timed elsewhere = timed([&] { text = elementById(other->document(), u"p"_s)->get(u"innerText"_s); });
    EXPECT_EQ(elsewhere.error, 0);
    EXPECT_EQ(text.toString(), u"fine"_s);
    EXPECT_LT(elsewhere.ms, 200);
    hung->quit();
}

TEST_F(ShortDeadline, OpenDialogFailsAtOnceAndIsLeftAlone)
{
    auto page = openPage(u"/alert.html"_s, u"<title>alert</title><p id=p>x</p><script>setTimeout(() => alert('hi'), 100)</script>"_s);
    auto document = page->document();
    QThread::msleep(400);
    const Timed call = timed([&] { document->getElementById(u"p"_s); });
    EXPECT_EQ(call.error, AutomationError::AutomationFailure);
    EXPECT_LT(call.ms, 100);
    const Timed list = timed([&] { readList(*shell); });
    EXPECT_EQ(list.error, 0);
    EXPECT_LT(list.ms, 200);
    page->quit();
}

// A bulk read sent to a page that never answers does not hold up its caller,
// and ends as soon as its tab closes, not at its deadline.
TEST_F(LongDeadline, AReadOutIsNotWaitedForAndEndsWithItsTab)
{
    auto page = openPage(u"/busy.html"_s,
                         u"<title>busy</title><p id=p>x</p>"
                         "<script>addEventListener('load', () => setTimeout(() => { for (;;); }, 0))</script>"_s);
    auto all = page->document()->collection(automation::CollectionKind::All);
    const automation::PendingReadPtr read = all->startReadMany({u"id"_s}, 0, 3);
    EXPECT_FALSE(read->ready(std::chrono::milliseconds(0)));
    EXPECT_EQ(page->locationName(), u"busy"_s);
    page->quit();
    const Timed taken = timed([&] { read->take(); });
    EXPECT_EQ(taken.error, AutomationError::ServerUnavailable);
}

namespace {

// The shared browser stopped as a swapping machine or a debugger stops it,
// and let go again whatever the test does.
class StoppedBrowser
{
public:
    StoppedBrowser()
        : m_pid(pid_t(testsupport::ChromiumEnvironment::instance().chromium().pid()))
    {
        ::kill(m_pid, SIGSTOP);
    }
    ~StoppedBrowser() { resume(); }
    void resume() { ::kill(m_pid, SIGCONT); }

private:
    pid_t m_pid;
};

QString failureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AutomationError &e) {
        return e.description();
    }
    return {};
}

} // namespace

// A browser that stops answering is known as such: after the call that met
// its deadline, calls fail without being sent, and the browser is used again
// as soon as it answers.
TEST_F(ShortDeadline, AStoppedBrowserIsNotWaitedOnAgainAndIsUsedOnceItAnswers)
{
    auto page = openPage(u"/stopped.html"_s, u"<title>stopped</title><p id=p>x</p>"_s);
    auto document = page->document();
    ASSERT_NO_THROW(readList(*shell));

    StoppedBrowser stopped;
    QThread::msleep(50); // past the age at which the last tab list still answers
    EXPECT_TRUE(failureOf([&] { readList(*shell); }).contains(u"gave no answer"_s));
    QThread::msleep(50);
    EXPECT_TRUE(failureOf([&] { readList(*shell); }).contains(u"is not answering"_s));
    EXPECT_TRUE(failureOf([&] { document->getElementById(u"p"_s); }).contains(u"is not answering"_s));

    stopped.resume();
    EXPECT_TRUE(eventually([&] { return failureOf([&] { readList(*shell); }).isEmpty(); }, 20000));
    EXPECT_EQ(automation::automationText(elementById(document, u"p"_s)->get(u"innerText"_s)), u"x"_s);
    page->quit();
}
