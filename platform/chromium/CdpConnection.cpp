#include "platform/chromium/CdpConnection.h"

#include "platform/chromium/CdpMessage.h"
#include "platform/chromium/DevToolsLog.h"

#include <QJsonDocument>
#include <QEventLoop>

#include <pthread.h>

#include <optional>

namespace chromium {

using namespace Qt::StringLiterals;

struct CdpConnection::Pending
{
    QString method;
    QString sessionId;
    Callback callback;             // set for posted commands
    Failed failed;                 // may be set for posted commands
    bool done = false;             // set for waited commands, under the mutex
    QJsonObject result;
    std::optional<CdpError> error; // refused, or could not be answered
};

// Owns the transport and the event loop of the worker thread, and forwards
// what the transport hears.
class SocketWorker : public QObject, public CdpTransport::Listener
{
public:
    explicit SocketWorker(CdpConnection *connection)
        : m_connection(connection)
    {
    }

    void open(const CdpTransportFactory &transport, const QUrl &url)
    {
        m_transport = transport(*this);
        m_transport->open(url);
    }
    // A send that a callback queued as the connection ended may come after stop().
    void send(const QString &text)
    {
        if (m_transport)
            m_transport->send(text);
    }
    void run() { m_loop.exec(); }
    // The transport goes at once, on this thread; the loop ends with it.
    void stop()
    {
        m_transport.reset();
        m_loop.quit();
    }

    void connected() override { m_connection->onConnected(); }
    void received(const QString &text) override { m_connection->onMessage(text); }
    void closed(int code, const QString &reason) override { m_connection->onDisconnected(code, reason); }

private:
    CdpConnection *m_connection;
    QEventLoop m_loop;
    std::unique_ptr<CdpTransport> m_transport;
};

CdpConnection::CdpConnection(QString label, EventHandler onEvent, CdpTransportFactory transport,
                             ClosedHandler onClosed)
    : m_label(std::move(label))
    , m_onEvent(std::move(onEvent))
    , m_onClosed(std::move(onClosed))
    , m_transport(std::move(transport))
{
}

CdpConnection::~CdpConnection()
{
    if (!m_thread.joinable())
        return;
    // Callbacks hold no owner of a connection, so it never ends on its own thread.
    Q_ASSERT(std::this_thread::get_id() != m_thread.get_id());
    m_ending = true;
    {
        // Nothing is sent from now on; what a failed callback sends fails at once.
        std::lock_guard lock(m_mutex);
        m_state = State::Closed;
    }
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->stop(); }, Qt::QueuedConnection);
    // Joined, not merely finished: the thread's own clean-up, the TLS
    // library's among it, must be over before the process may exit.
    m_thread.join();
    m_worker = nullptr;
    failPending([](const Pending &) { return true; },
                CdpError(CdpError::Kind::BrowserUnreachable, u"the connection to "_s + m_label + u" has closed"_s));
}

void CdpConnection::open(const QUrl &url, std::chrono::milliseconds timeout)
{
    {
        std::lock_guard lock(m_mutex);
        Q_ASSERT(m_state == State::Idle);
        m_state = State::Opening;
    }
    // A std::thread, not a QThread: Qt detaches its threads, and only a join
    // waits for a thread's end.
    m_thread = std::thread([this, url, name = QString(u"devtools "_s + m_label).left(15).toUtf8()] {
        pthread_setname_np(pthread_self(), name.constData());
        // Made here, so that the worker, its loop and the transport live on this thread.
        SocketWorker worker(this);
        {
            std::lock_guard lock(m_mutex);
            m_worker = &worker;
        }
        m_changed.notify_all();
        worker.open(m_transport, url);
        worker.run();
    });

    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_worker != nullptr; });
    if (!m_changed.wait_for(lock, timeout, [this] { return m_state != State::Opening; }))
        m_state = State::Closed;
    if (m_state != State::Open)
        throw CdpError(CdpError::Kind::BrowserUnreachable, u"no browser answers at "_s + m_label);
    qCDebug(lcDevTools) << "connected to" << m_label;
}

bool CdpConnection::isOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_state == State::Open;
}

void CdpConnection::onConnected()
{
    std::lock_guard lock(m_mutex);
    if (m_state == State::Opening) // not after open() gave up
        m_state = State::Open;
    m_changed.notify_all();
}

void CdpConnection::onDisconnected(int code, const QString &reason)
{
    qCDebug(lcDevTools) << "disconnected from" << m_label << code << reason;
    {
        std::lock_guard lock(m_mutex);
        m_state = State::Closed;
    }
    failPending([](const Pending &) { return true; },
                CdpError(CdpError::Kind::BrowserUnreachable, u"the browser at "_s + m_label + u" has gone: "_s
                                                                 + reason + u" (close code "_s
                                                                 + QString::number(code) + u')'));
    if (m_onClosed && !m_ending)
        m_onClosed();
}

void CdpConnection::failPending(const std::function<bool(const Pending &)> &which, const CdpError &error)
{
    // Posted work that cannot go on is dropped, unless it asked to hear of it.
    QList<Failed> toTell;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_pending.begin(); it != m_pending.end();) {
            if (which(*it->second)) {
                it->second->error = error;
                it->second->done = true;
                if (it->second->failed)
                    toTell.append(std::move(it->second->failed));
                it = m_pending.erase(it);
            } else {
                ++it;
            }
        }
    }
    m_changed.notify_all();
    for (const Failed &failed : std::as_const(toTell))
        failed(error);
}

int CdpConnection::enqueue(const QString &method, const QJsonObject &params, const QString &sessionId,
                           std::shared_ptr<Pending> pending)
{
    QJsonObject message{{u"method"_s, method}, {u"params"_s, params}};
    if (!sessionId.isEmpty())
        message.insert(u"sessionId"_s, sessionId);
    int id = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Open)
            throw CdpError(CdpError::Kind::BrowserUnreachable, u"the browser at "_s + m_label + u" does not answer"_s);
        id = m_nextId++;
        m_pending.emplace(id, std::move(pending));
    }
    message.insert(u"id"_s, id);
    const QString text = QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
    qCDebug(lcDevTools).noquote() << "send" << text.left(2000);
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, text] { worker->send(text); }, Qt::QueuedConnection);
    return id;
}

QJsonObject CdpConnection::call(const QString &method, const QJsonObject &params, const QString &sessionId,
                                std::chrono::milliseconds timeout)
{
    if (const std::optional<CdpError> refused = refusal(method, sessionId))
        throw *refused;

    auto pending = std::make_shared<Pending>();
    pending->method = method;
    pending->sessionId = sessionId;
    const int id = enqueue(method, params, sessionId, pending);

    std::unique_lock lock(m_mutex);
    if (!m_changed.wait_for(lock, timeout, [&] { return pending->done; })) {
        lock.unlock();
        throw giveUp(id, method, sessionId, timeout);
    }
    if (pending->error)
        throw *pending->error;
    return pending->result;
}

int CdpConnection::post(const QString &method, const QJsonObject &params, const QString &sessionId, Callback done,
                       Failed failed)
{
    auto pending = std::make_shared<Pending>();
    pending->method = method;
    pending->sessionId = sessionId;
    pending->callback = std::move(done);
    pending->failed = std::move(failed);
    return enqueue(method, params, sessionId, std::move(pending));
}

CdpError CdpConnection::giveUp(int id, const QString &method, const QString &sessionId,
                               std::chrono::milliseconds timeout)
{
    bool stalledNow = false;
    {
        std::lock_guard lock(m_mutex);
        m_pending.erase(id); // a late answer is dropped
        if (!sessionId.isEmpty()) {
            m_unresponsive.insert(sessionId);
        } else {
            stalledNow = !m_browserStalled;
            m_browserStalled = true;
        }
    }
    // Anything that arrives ends the stall; this asks for something that
    // will, should the browser answer nothing else.
    if (stalledNow) {
        try {
            post(u"Browser.getVersion"_s, {}, {}, [](const QJsonObject &) {});
        } catch (const CdpError &) {
            // The socket closed meanwhile: its own failure says more.
        }
    }
    return {CdpError::Kind::DeadlinePassed,
            method + u" gave no answer within "_s + QString::number(timeout.count()) + u" ms"_s};
}

std::optional<CdpError> CdpConnection::refusal(const QString &method, const QString &sessionId) const
{
    std::lock_guard lock(m_mutex);
    if (m_browserStalled)
        return CdpError(CdpError::Kind::DeadlinePassed,
                        method + u": the browser at "_s + m_label + u" is not answering"_s);
    if (!sessionId.isEmpty() && m_unresponsive.count(sessionId) > 0)
        return CdpError(CdpError::Kind::DeadlinePassed, method + u": the page is not answering"_s);
    return std::nullopt;
}

void CdpConnection::sessionClosed(const QString &sessionId)
{
    {
        std::lock_guard lock(m_mutex);
        m_unresponsive.erase(sessionId);
    }
    failPending([&](const Pending &p) { return p.sessionId == sessionId; },
                CdpError(CdpError::Kind::TabClosed, u"the tab has closed"_s));
}

void CdpConnection::interruptScripts(const QString &sessionId, const CdpError &error)
{
    failPending([&](const Pending &p) { return p.sessionId == sessionId && p.method == u"Runtime.evaluate"_s; },
                error);
}

void CdpConnection::onMessage(const QString &text)
{
    if (m_ending)
        return;
    qCDebug(lcDevTools).noquote() << "recv" << text.left(2000);
    CdpMessage message = decodeCdpMessage(text);

    std::shared_ptr<Pending> pending;
    {
        std::lock_guard lock(m_mutex);
        m_browserStalled = false; // it answers again
        if (!message.sessionId.isEmpty())
            m_unresponsive.erase(message.sessionId);
        if (message.id != 0) {
            const auto it = m_pending.find(message.id);
            if (it == m_pending.end())
                return; // its caller gave up on it
            pending = it->second;
            m_pending.erase(it);
            if (message.kind == CdpMessage::Kind::Garbled)
                pending->error = CdpError(CdpError::Kind::Garbled, pending->method + u": "_s + message.problem);
            else if (message.refusal)
                pending->error = CdpError::fromProtocol(pending->method, *message.refusal);
            else
                pending->result = std::move(message.result);
            if (!pending->callback) {
                pending->done = true;
                m_changed.notify_all();
                return;
            }
        }
    }
    if (pending) {
        if (!pending->error)
            pending->callback(pending->result);
        else if (pending->failed)
            pending->failed(*pending->error);
        return;
    }
    if (message.kind == CdpMessage::Kind::Garbled) {
        // It may have been the answer to any of them: none would come.
        qCWarning(lcDevTools).noquote() << "from" << m_label << message.problem;
        failPending([](const Pending &) { return true; },
                    CdpError(CdpError::Kind::Garbled, u"the browser at "_s + m_label + u" sent "_s + message.problem));
        return;
    }
    if (message.method == u"Target.detachedFromTarget"_s)
        sessionClosed(message.params.value(u"sessionId"_s).toString());
    m_onEvent(message.method, message.params, message.sessionId);
}

} // namespace chromium
