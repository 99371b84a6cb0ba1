// The protocol connection against a browser played by the test: late,
// garbled, oversized and missing answers, detaches and closes mid-call.
#include "platform/automation/OperationBudget.h"
#include "platform/chromium/CdpConnection.h"
#include "platform/chromium/ChromiumEndpoint.h"
#include "tests/support/chromium/ScriptedBrowser.h"

#include <QJsonArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QWebSocket>
#include <QWebSocketServer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;
using chromium::CdpConnection;
using chromium::CdpError;
using testsupport::ScriptedBrowser;

namespace {

// Long enough that a call ends only by what the browser does.
constexpr std::chrono::milliseconds kLong{120000};
// A deadline meant to pass.
constexpr std::chrono::milliseconds kShort{50};

QString methodOf(const QJsonObject &command)
{
    return command.value(u"method"_s).toString();
}

// How a call failed; Kind is meaningless when it did not, or failed before
// a protocol message (kind unset).
struct Failure
{
    bool failed = false;
    std::optional<CdpError::Kind> kind;
    qint32 number = 0;
    QString description;
};

Failure failureOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const CdpError &e) {
        return {true, e.kind(), e.number(), e.detail()};
    } catch (const automation::AutomationError &e) {
        return {true, std::nullopt, e.number(), e.detail()};
    }
    return {};
}

// Answers every command with its own method, except those the test holds back.
void echo(ScriptedBrowser &browser, const QJsonObject &command)
{
    browser.reply(command, {{u"method"_s, methodOf(command)}});
}

class ConnectionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        connection = std::make_unique<CdpConnection>(
            u"scripted"_s,
            [this](const QString &method, const QJsonObject &, const QString &) {
                std::lock_guard lock(mutex);
                events.append(method);
            },
            browser.transport());
        connection->open(QUrl(u"ws://scripted/devtools/browser/1"_s), kLong);
    }
    void TearDown() override { connection.reset(); }

    QJsonObject answerOf(const QString &method, const QString &sessionId = {})
    {
        return connection->call(method, {}, sessionId, kLong);
    }

    ScriptedBrowser browser;
    std::unique_ptr<CdpConnection> connection; // ends before its browser
    std::mutex mutex;
    QStringList events;
};

TEST_F(ConnectionTest, AnAnswerAfterItsDeadlineIsDroppedAndHarmless)
{
    browser.setScript([](ScriptedBrowser &b, const QJsonObject &c) {
        if (methodOf(c) != u"Slow"_s)
            echo(b, c);
    });
    const Failure late = failureOf([&] { connection->call(u"Slow"_s, {}, u"S"_s, kShort); });
    EXPECT_EQ(late.kind, CdpError::Kind::DeadlinePassed);
    EXPECT_EQ(late.number, 440);
    // Until the page answers anything, its calls fail unsent.
    EXPECT_EQ(failureOf([&] { answerOf(u"Refused"_s, u"S"_s); }).kind, CdpError::Kind::DeadlinePassed);
    EXPECT_EQ(browser.commands().size(), 1);

    browser.reply(browser.commands().first(), {{u"method"_s, u"late"_s}});
    browser.flush();
    EXPECT_EQ(answerOf(u"Next"_s, u"S"_s).value(u"method"_s).toString(), u"Next"_s);
}

TEST_F(ConnectionTest, ADetachDuringACallFailsItAtOnceAndSparesOtherTabs)
{
    browser.setScript([](ScriptedBrowser &b, const QJsonObject &c) {
        if (methodOf(c) == u"Runtime.evaluate"_s && c.value(u"sessionId"_s) == u"S"_s)
            b.event(u"Target.detachedFromTarget"_s, {{u"sessionId"_s, u"S"_s}});
        else
            echo(b, c);
    });
    const Failure detached = failureOf([&] { answerOf(u"Runtime.evaluate"_s, u"S"_s); });
    EXPECT_EQ(detached.kind, CdpError::Kind::TabClosed);
    EXPECT_EQ(detached.number, 462);
    EXPECT_EQ(answerOf(u"Runtime.evaluate"_s, u"T"_s).value(u"method"_s).toString(), u"Runtime.evaluate"_s);
    std::lock_guard lock(mutex);
    EXPECT_EQ(events, QStringList{u"Target.detachedFromTarget"_s});
}

TEST_F(ConnectionTest, AClosingSocketFailsEveryPendingCallWithItsReason)
{
    browser.setScript([](ScriptedBrowser &b, const QJsonObject &c) {
        if (methodOf(c) == u"Last"_s)
            b.close(1001, u"going away"_s);
    });
    std::mutex failedMutex;
    QStringList failedPosts;
    for (const QString &method : {u"First"_s, u"Second"_s}) {
        connection->post(method, {}, {}, [](const QJsonObject &) {}, [&, method](const CdpError &e) {
            std::lock_guard lock(failedMutex);
            failedPosts.append(method + u' ' + e.detail());
        });
    }
    const Failure closed = failureOf([&] { answerOf(u"Last"_s); });
    EXPECT_EQ(closed.kind, CdpError::Kind::BrowserUnreachable);
    EXPECT_EQ(closed.number, 462);
    EXPECT_TRUE(closed.description.contains(u"going away (close code 1001)"_s)) << closed.description.toStdString();
    EXPECT_FALSE(connection->isOpen());
    EXPECT_EQ(failureOf([&] { answerOf(u"After"_s); }).kind, CdpError::Kind::BrowserUnreachable);

    connection.reset(); // its thread has run every callback
    failedPosts.sort();
    ASSERT_EQ(failedPosts.size(), 2);
    EXPECT_TRUE(failedPosts[0].startsWith(u"First "_s) && failedPosts[0].contains(u"going away"_s));
    EXPECT_TRUE(failedPosts[1].startsWith(u"Second "_s) && failedPosts[1].contains(u"going away"_s));
}

TEST_F(ConnectionTest, GarbledAnswersFailAtOnceAndTheConnectionGoesOn)
{
    // What the browser sends instead of the answer to "Garbled", by the id it was given.
    const QList<std::function<QString(int)>> garbles{
        [](int id) { return u"{\"id\":%1,\"result\":{\"a\":"_s.arg(id); }, // cut short
        [](int) { return u"\u0001\u0002 not JSON"_s; },
        [](int) { return u"[1,2,3]"_s; },
        [](int id) { return u"{\"id\":\"%1\",\"result\":{}}"_s.arg(id); }, // id as text
        [](int id) { return u"{\"id\":%1.5,\"result\":{}}"_s.arg(id); },
        [](int id) { return u"{\"id\":%1}"_s.arg(id); }, // neither result nor error
        [](int id) { return u"{\"id\":%1,\"result\":[]}"_s.arg(id); },
        [](int) { return u"{\"method\":7}"_s; },
    };
    for (qsizetype i = 0; i < garbles.size(); ++i) {
        SCOPED_TRACE(i);
        browser.setScript([&](ScriptedBrowser &b, const QJsonObject &c) {
            if (methodOf(c) == u"Garbled"_s)
                b.send(garbles[i](c.value(u"id"_s).toInt()));
            else
                echo(b, c);
        });
        const Failure garbled = failureOf([&] { answerOf(u"Garbled"_s); });
        EXPECT_EQ(garbled.kind, CdpError::Kind::Garbled);
        EXPECT_EQ(garbled.number, 440);
        EXPECT_EQ(answerOf(u"Fine"_s).value(u"method"_s).toString(), u"Fine"_s);
    }
    EXPECT_TRUE(connection->isOpen());
}

TEST_F(ConnectionTest, RefusalsAreTypedWhereTheyArrive)
{
    const QList<std::pair<QString, CdpError::Kind>> refusals{
        {u"No target with given id found"_s, CdpError::Kind::TabClosed},
        {u"Session with given id not found."_s, CdpError::Kind::TabClosed},
        {u"Cannot find context with specified id"_s, CdpError::Kind::ContextGone},
        {u"Execution context was destroyed."_s, CdpError::Kind::ContextGone},
        {u"Inspected target navigated or closed"_s, CdpError::Kind::ContextGone},
        {u"Invalid parameters"_s, CdpError::Kind::Rejected},
    };
    for (const auto &[message, kind] : refusals) {
        SCOPED_TRACE(message.toStdString());
        browser.setScript([message](ScriptedBrowser &b, const QJsonObject &c) { b.refuse(c, message); });
        const Failure refused = failureOf([&] { answerOf(u"Refused"_s, u"S"_s); });
        EXPECT_EQ(refused.kind, kind);
        EXPECT_EQ(refused.number, kind == CdpError::Kind::TabClosed       ? 462
                                  : kind == CdpError::Kind::ContextGone ? 70
                                                                        : 440);
    }
}

TEST_F(ConnectionTest, AFloodOfEventsDelaysNoAnswerForLong)
{
    constexpr int kFlood = 100000;
    browser.setScript([](ScriptedBrowser &b, const QJsonObject &c) {
        for (int i = 0; i < kFlood; ++i)
            b.event(u"Page.frameNavigated"_s, {}, u"gone"_s);
        echo(b, c);
    });
    EXPECT_EQ(answerOf(u"Behind"_s).value(u"method"_s).toString(), u"Behind"_s);
    std::lock_guard lock(mutex);
    EXPECT_EQ(events.size(), kFlood);
}

TEST_F(ConnectionTest, ItsEndWaitsUntilItsThreadHasCleanedUp)
{
    // Libraries keep per-thread state (the TLS library's, for one) that is
    // freed after the thread's own code has returned; a process that exits
    // meanwhile frees it a second time.
    static std::atomic<bool> cleanedUp = false;
    struct SlowPerThreadState
    {
        ~SlowPerThreadState()
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            cleanedUp = true;
        }
    };
    browser.setScript([](ScriptedBrowser &b, const QJsonObject &c) {
        thread_local SlowPerThreadState state;
        echo(b, c);
    });
    answerOf(u"Touch"_s);
    connection.reset();
    EXPECT_TRUE(cleanedUp);
}

TEST(ConnectionOpenTest, ARefusedConnectionFailsToOpen)
{
    ScriptedBrowser browser;
    browser.refuseConnections();
    CdpConnection connection(u"scripted"_s, [](const QString &, const QJsonObject &, const QString &) {},
                             browser.transport());
    const Failure refused = failureOf([&] { connection.open(QUrl(u"ws://scripted/"_s), kLong); });
    EXPECT_EQ(refused.kind, CdpError::Kind::BrowserUnreachable);
    EXPECT_FALSE(connection.isOpen());
}

// A WebSocket server on its own thread that answers every message with a
// text of the given size.
class OversizedServer
{
public:
    explicit OversizedServer(qsizetype answerSize)
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            &m_context,
            [this, answerSize] {
                m_server = new QWebSocketServer(u"oversized"_s, QWebSocketServer::NonSecureMode, &m_context);
                m_server->listen(QHostAddress::LocalHost);
                m_port = m_server->serverPort();
                QObject::connect(m_server, &QWebSocketServer::newConnection, &m_context, [this, answerSize] {
                    QWebSocket *socket = m_server->nextPendingConnection();
                    socket->setParent(m_server); // the caller owns it; it goes with the server
                    QObject::connect(socket, &QWebSocket::textMessageReceived, socket,
                                     [socket, answerSize] { socket->sendTextMessage(QString(answerSize, u'x')); });
                });
            },
            Qt::BlockingQueuedConnection);
    }
    ~OversizedServer()
    {
        QMetaObject::invokeMethod(&m_context, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    QUrl url() const { return QUrl(u"ws://127.0.0.1:%1/devtools/browser/1"_s.arg(m_port)); }

private:
    QThread m_thread;
    QObject m_context;
    QWebSocketServer *m_server = nullptr;
    quint16 m_port = 0;
};

TEST(WebSocketTransportTest, AnOversizedMessageClosesTheSocketAndFailsTheCall)
{
    OversizedServer server(64 * 1024);
    CdpConnection connection(u"oversized"_s, [](const QString &, const QJsonObject &, const QString &) {},
                             chromium::webSocketTransport(1024));
    connection.open(server.url(), kLong);
    const Failure tooBig = failureOf([&] { connection.call(u"Big"_s, {}, {}, kLong); });
    EXPECT_EQ(tooBig.kind, CdpError::Kind::BrowserUnreachable);
    EXPECT_EQ(tooBig.number, 462);
    EXPECT_FALSE(connection.isOpen());
}

// A DevTools port that takes connections and, until told to answer, says
// nothing: a stopped browser. Once answering, it gives every request an
// address that no WebSocket can open.
class SilentServer
{
public:
    SilentServer()
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            &m_context,
            [this] {
                m_server = new QTcpServer(&m_context);
                m_server->listen(QHostAddress::LocalHost);
                m_port = m_server->serverPort();
                QObject::connect(m_server, &QTcpServer::newConnection, &m_context, [this] {
                    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
                        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                            if (m_answering)
                                answer(*socket);
                        });
                    }
                });
            },
            Qt::BlockingQueuedConnection);
    }
    ~SilentServer()
    {
        QMetaObject::invokeMethod(&m_context, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    chromium::DevToolsEndpoint endpoint() const
    {
        return chromium::parseEndpoint(u"http://127.0.0.1:%1"_s.arg(m_port));
    }
    void startAnswering() { m_answering = true; }

private:
    void answer(QTcpSocket &socket) const
    {
        socket.readAll();
        const QByteArray body = "{\"webSocketDebuggerUrl\": \"ws://127.0.0.1:" + QByteArray::number(m_port)
                                + "/devtools/browser/x\"}";
        socket.write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket.disconnectFromHost();
    }

    QThread m_thread;
    QObject m_context;
    QTcpServer *m_server = nullptr;
    quint16 m_port = 0;
    std::atomic<bool> m_answering = false;
};

// A new endpoint for every try, as the main window makes a new gateway
// after a failure: the port that let one connection attempt run out its
// deadline is refused at once from then on, until it answers again.
TEST(UnansweringEndpointTest, APortThatNeverAnswersIsWaitedOnOnlyOnceUntilItAnswers)
{
    SilentServer server;
    chromium::ChromiumOptions options;
    options.callTimeout = std::chrono::milliseconds(300);
    const auto tryToList = [&] {
        chromium::ChromiumEndpoint endpoint(server.endpoint(), options);
        return failureOf([&] { endpoint.tabs(); });
    };

    const Failure first = tryToList();
    EXPECT_EQ(first.number, 462);
    EXPECT_FALSE(first.description.contains(u"not answering"_s)) << first.description.toStdString();
    for (int i = 0; i < 3; ++i) {
        const Failure again = tryToList();
        EXPECT_EQ(again.kind, CdpError::Kind::DeadlinePassed);
        EXPECT_TRUE(again.description.contains(u"is not answering"_s)) << again.description.toStdString();
    }

    server.startAnswering();
    Failure later;
    for (int i = 0; i < 600 && (later = tryToList()).description.contains(u"not answering"_s); ++i)
        QThread::msleep(100);
    // Tried again: it answers, though no WebSocket opens there.
    EXPECT_FALSE(later.description.contains(u"not answering"_s));
    EXPECT_EQ(later.number, 462);
}

// What Chromium says when our world is made in the page tab "T".
QJsonObject ourWorldCreated(int id)
{
    return {{u"context"_s, QJsonObject{{u"id"_s, id},
                                       {u"uniqueId"_s, QString(u"u"_s + QString::number(id))},
                                       {u"name"_s, chromium::pageHelperWorld()},
                                       {u"auxData"_s, QJsonObject{{u"frameId"_s, u"T"_s}}}}}};
}

// A browser with one page tab, set up as Chromium answers the set-up.
void oneTabBrowser(ScriptedBrowser &b, const QJsonObject &c, const QJsonArray &targets)
{
    const QString method = methodOf(c);
    if (method == u"Target.getTargets"_s)
        b.reply(c, {{u"targetInfos"_s, targets}});
    else if (method == u"Target.attachToTarget"_s)
        b.reply(c, {{u"sessionId"_s, u"S"_s}});
    else if (method == u"Page.setLifecycleEventsEnabled"_s) {
        // The lifecycle so far comes before the answer.
        for (const QString &name : {u"init"_s, u"DOMContentLoaded"_s, u"load"_s})
            b.event(u"Page.lifecycleEvent"_s, {{u"frameId"_s, u"T"_s}, {u"name"_s, name}}, u"S"_s);
        b.reply(c, {});
    } else if (method == u"Page.createIsolatedWorld"_s) {
        b.event(u"Runtime.executionContextCreated"_s, ourWorldCreated(7), u"S"_s);
        b.reply(c, {{u"executionContextId"_s, 7}});
    } else {
        b.reply(c, {});
    }
}

chromium::ChromiumOptions scriptedOptions(ScriptedBrowser &browser, std::chrono::milliseconds callTimeout)
{
    chromium::ChromiumOptions options;
    options.callTimeout = callTimeout;
    options.transport = browser.transport();
    return options;
}

const chromium::DevToolsEndpoint kScriptedEndpoint =
    chromium::parseEndpoint(u"ws://127.0.0.1:9/devtools/browser/1"_s);

qsizetype countSent(const ScriptedBrowser &browser, const QString &method)
{
    const QList<QJsonObject> sent = browser.commands();
    return std::count_if(sent.begin(), sent.end(), [&](const QJsonObject &c) { return methodOf(c) == method; });
}

// Listing tabs makes no script context in them: a tab's world is made once,
// when its document is first asked for.
TEST(ScriptedEndpointTest, ATabsStateComesWithItsSetUpAndItsWorldWithItsFirstDocument)
{
    const QJsonArray targets{QJsonObject{{u"targetId"_s, u"T"_s}, {u"type"_s, u"page"_s},
                                         {u"url"_s, u"http://example.test/"_s}, {u"title"_s, u"t"_s}}};
    ScriptedBrowser browser([&](ScriptedBrowser &b, const QJsonObject &c) { oneTabBrowser(b, c, targets); });
    chromium::ChromiumEndpoint endpoint(kScriptedEndpoint, scriptedOptions(browser, kLong));

    const QList<chromium::TabPtr> tabs = endpoint.tabs();
    ASSERT_EQ(tabs.size(), 1);
    const chromium::ChromiumTab::Snapshot state = endpoint.settledTab(*tabs.first());
    EXPECT_EQ(state.readyState, automation::ReadyState::Complete);
    EXPECT_FALSE(state.busy);
    EXPECT_EQ(countSent(browser, u"Runtime.enable"_s) + countSent(browser, u"Page.createIsolatedWorld"_s), 0);

    EXPECT_EQ(endpoint.documentContext(*tabs.first()), u"u7"_s);
    EXPECT_EQ(endpoint.documentContext(*tabs.first()), u"u7"_s);
    EXPECT_EQ(countSent(browser, u"Page.createIsolatedWorld"_s), 1);
    EXPECT_EQ(countSent(browser, u"Page.addScriptToEvaluateOnNewDocument"_s), 1);
}

TEST(ScriptedEndpointTest, EventsForATabThatHasGoneAreIgnored)
{
    std::mutex mutex;
    QJsonArray targets{QJsonObject{{u"targetId"_s, u"T"_s}, {u"type"_s, u"page"_s},
                                   {u"url"_s, u"http://example.test/"_s}, {u"title"_s, u"t"_s}}};
    ScriptedBrowser browser([&](ScriptedBrowser &b, const QJsonObject &c) {
        std::lock_guard lock(mutex);
        oneTabBrowser(b, c, targets);
    });
    chromium::ChromiumEndpoint endpoint(kScriptedEndpoint, scriptedOptions(browser, kLong));

    const QList<chromium::TabPtr> tabs = endpoint.tabs();
    ASSERT_EQ(tabs.size(), 1);
    const chromium::TabPtr tab = tabs.first();
    ASSERT_EQ(endpoint.settledTab(*tab).setup, chromium::ChromiumTab::Setup::Ready);

    {
        std::lock_guard lock(mutex);
        targets = {};
    }
    browser.event(u"Target.detachedFromTarget"_s, {{u"sessionId"_s, u"S"_s}, {u"targetId"_s, u"T"_s}});
    browser.event(u"Target.targetDestroyed"_s, {{u"targetId"_s, u"T"_s}});
    // What a page would say next, had it not gone.
    browser.event(u"Runtime.executionContextCreated"_s, ourWorldCreated(8), u"S"_s);
    browser.event(u"Page.lifecycleEvent"_s, {{u"frameId"_s, u"T"_s}, {u"name"_s, u"load"_s}}, u"S"_s);
    browser.flush();

    EXPECT_TRUE(tab->snapshot().gone);
    EXPECT_TRUE(tab->snapshot().documentContext.isEmpty());
    const qsizetype sent = browser.commands().size();
    EXPECT_EQ(failureOf([&] { endpoint.sessionCall(*tab, u"Runtime.evaluate"_s); }).kind,
              CdpError::Kind::TabClosed);
    EXPECT_EQ(browser.commands().size(), sent);
    EXPECT_TRUE(endpoint.tabs().isEmpty());
}

// The budgets' time, moved by the test alone.
class BudgetClock
{
public:
    BudgetClock() { automation::OperationBudget::setClock([] { return sNow; }); }
    ~BudgetClock() { automation::OperationBudget::setClock(nullptr); }
    void advance(std::chrono::milliseconds by) { sNow += by; }

private:
    static inline automation::OperationBudget::Clock::time_point sNow{};
};

TEST(OperationBudgetTest, TheOutermostBudgetHoldsItsShareOfDeadlinesFromItsFirstWait)
{
    using automation::OperationBudget;
    using std::chrono::milliseconds;
    BudgetClock clock;
    EXPECT_EQ(OperationBudget::limit(milliseconds(500)), milliseconds(500));
    EXPECT_FALSE(OperationBudget::deadline(milliseconds(500)));
    {
        const OperationBudget outer(2);
        clock.advance(milliseconds(20)); // not counted: no wait has begun
        EXPECT_EQ(OperationBudget::limit(milliseconds(500)), milliseconds(500));
        clock.advance(milliseconds(700));
        // Two deadlines of 500 ms in all, from the first wait.
        EXPECT_EQ(OperationBudget::limit(milliseconds(500)), milliseconds(300));
        {
            // A nested budget neither starts a clock of its own nor stretches
            // the outer one by its share.
            const OperationBudget inner(4);
            EXPECT_EQ(OperationBudget::limit(milliseconds(500)), milliseconds(300));
            const std::optional<QDeadlineTimer> end = OperationBudget::deadline(milliseconds(500));
            ASSERT_TRUE(end);
            EXPECT_LE(end->remainingTime(), 300);
        }
        // Nor does its end end the outer one.
        EXPECT_EQ(OperationBudget::limit(milliseconds(500)), milliseconds(300));
        clock.advance(milliseconds(300));
        EXPECT_EQ(OperationBudget::limit(milliseconds(500)), milliseconds(0));
    }
    EXPECT_EQ(OperationBudget::limit(milliseconds(500)), milliseconds(500));
}

TEST(ScriptedEndpointTest, WaitsOfOneOperationShareOneDeadline)
{
    // A tab whose set-up the browser never answers.
    QJsonArray targets{QJsonObject{{u"targetId"_s, u"T"_s}, {u"type"_s, u"page"_s},
                                   {u"url"_s, u"http://example.test/"_s}, {u"title"_s, u"t"_s}}};
    ScriptedBrowser browser([&](ScriptedBrowser &b, const QJsonObject &c) {
        if (methodOf(c) != u"Target.attachToTarget"_s)
            oneTabBrowser(b, c, targets);
    });
    // Long enough for the answers a loaded machine gives.
    chromium::ChromiumEndpoint endpoint(kScriptedEndpoint, scriptedOptions(browser, std::chrono::milliseconds(1500)));
    const QList<chromium::TabPtr> tabs = endpoint.tabs();
    ASSERT_EQ(tabs.size(), 1);

    {
        const automation::OperationBudget budget;
        const Failure setUp = failureOf([&] { endpoint.settledTab(*tabs.first()); });
        EXPECT_EQ(setUp.kind, CdpError::Kind::DeadlinePassed);
        const qsizetype sent = browser.commands().size();
        // Another call of the same operation would wait a deadline more.
        const Failure next = failureOf([&] { endpoint.browserCall(u"Browser.getVersion"_s); });
        EXPECT_EQ(next.kind, CdpError::Kind::DeadlinePassed);
        EXPECT_TRUE(next.description.contains(u"ran out of time"_s)) << next.description.toStdString();
        EXPECT_EQ(browser.commands().size(), sent);
    }
    EXPECT_NO_THROW(endpoint.browserCall(u"Browser.getVersion"_s));
}

} // namespace
