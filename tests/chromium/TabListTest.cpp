// The tab collection of a real Chromium: order, handles, closed tabs,
// browsers that do not answer.
#include "tests/support/ErrorNumber.h"
#include "tests/support/chromium/ChromiumFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QUrl>
#include <QSet>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using automation::AutomationError;
using testsupport::errorNumber;
using testsupport::ChromiumTest;
using testsupport::eventually;

namespace {

QList<qint32> handles(automation::ShellWindows &shell)
{
    QList<qint32> list;
    for (qint32 i = 0; i < shell.count(); ++i)
        list.append(shell.item(i)->hwnd());
    return list;
}

} // namespace

TEST_F(ChromiumTest, TabsKeepTheirOrderAndHandles)
{
    auto first = openPage(u"/one.html"_s, u"<title>一番目</title>"_s);
    QTemporaryDir dir;
    const QString file = dir.filePath(u"local.html"_s);
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<title>local</title>");
    out.close();
    auto local = openUrl(QUrl::fromLocalFile(file).toString());
    auto second = openPage(u"/two.html"_s, u"<title>二番目</title>"_s);

    const QList<qint32> before = handles(*shell);
    EXPECT_EQ(before, (QList<qint32>{first->hwnd(), local->hwnd(), second->hwnd()}));
    EXPECT_EQ(QSet<qint32>(before.cbegin(), before.cend()).size(), 3);
    for (qint32 handle : before)
        EXPECT_NE(handle, 0);

    EXPECT_EQ(first->locationName(), u"一番目"_s);
    EXPECT_TRUE(local->locationURL().startsWith(u"file:"_s));
    EXPECT_EQ(shell->item(-1), nullptr);
    EXPECT_EQ(shell->item(3), nullptr);

    // A closed tab leaves the list, its handle is not reused, and the others
    // keep theirs.
    const qint32 closedHandle = first->hwnd();
    first->quit();
    ASSERT_TRUE(eventually([&] { return shell->count() == 2; }));
    EXPECT_EQ(handles(*shell), (QList<qint32>{before[1], before[2]}));
    auto third = openPage(u"/three.html"_s, u"<title>3</title>"_s);
    EXPECT_GT(third->hwnd(), before[2]);
    EXPECT_NE(third->hwnd(), closedHandle);
}

TEST_F(ChromiumTest, ClosedTabFailsAsGone)
{
    auto page = openPage(u"/gone.html"_s, u"<title>gone</title><p id=p>x</p>"_s);
    auto document = page->document();
    auto element = document->getElementById(u"p"_s);
    page->quit();
    ASSERT_TRUE(eventually([&] { return errorNumber([&] { page->typeName(); }) != 0; }));
    EXPECT_EQ(errorNumber([&] { page->typeName(); }), AutomationError::ServerUnavailable);
    EXPECT_EQ(errorNumber([&] { page->locationURL(); }), AutomationError::ServerUnavailable);
    EXPECT_EQ(errorNumber([&] { page->hwnd(); }), AutomationError::ServerUnavailable);
    EXPECT_EQ(errorNumber([&] { page->readyState(); }), AutomationError::ServerUnavailable);
    EXPECT_EQ(errorNumber([&] { element->get(u"id"_s); }), AutomationError::ServerUnavailable);
    // Chromium's own refusal is classified, not passed on as a protocol failure.
    ASSERT_TRUE(eventually([&] { return errorNumber([&] { page->quit(); }) == AutomationError::ServerUnavailable; }));
}

TEST_F(ChromiumTest, BrowserThatDoesNotAnswer)
{
    QTcpServer unused; // a free port that nothing listens on once closed
    ASSERT_TRUE(unused.listen(QHostAddress::LocalHost, 0));
    const quint16 port = unused.serverPort();
    unused.close();
    chromium::ChromiumShellWindows nobody({{u"127.0.0.1"_s, port}});
    QElapsedTimer timer;
    timer.start();
    try {
        nobody.count();
        FAIL() << "no error";
    } catch (const AutomationError &e) {
        EXPECT_EQ(e.number(), AutomationError::ServerUnavailable);
        EXPECT_TRUE(e.detail().contains(QString::number(port)));
    }
    EXPECT_LT(timer.elapsed(), 1000);

    // Several endpoints are one collection; one that does not answer is left out.
    chromium::ChromiumShellWindows both({{u"127.0.0.1"_s, port},
                                         testsupport::ChromiumEnvironment::instance().chromium().endpoint()});
    EXPECT_EQ(both.count(), shell->count());
}

TEST(DevToolsEndpoint, OnlyLoopbackHttpEndpoints)
{
    EXPECT_EQ(chromium::parseEndpoint(u"http://127.0.0.1:9333"_s).port, 9333);
    EXPECT_EQ(chromium::parseEndpoint(u" http://localhost:9222 "_s).host, u"localhost"_s);
    EXPECT_EQ(chromium::parseEndpoint(u"http://[::1]:9222"_s).host, u"::1"_s);
    for (const QString &bad : {u"http://192.168.1.5:9222"_s, u"http://example.org:9222"_s, u"ws://127.0.0.1:9222"_s,
                               u"127.0.0.1:9222"_s, u"http://127.0.0.1"_s})
        EXPECT_THROW(chromium::parseEndpoint(bad), AutomationError) << bad.toStdString();
}
