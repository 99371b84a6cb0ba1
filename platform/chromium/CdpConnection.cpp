#include "platform/chromium/CdpConnection.h"

#include "platform/chromium/DevToolsLog.h"

#include <QJsonDocument>
#include <QThread>
#include <QWebSocket>

#include <optional>

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {
const QString kSource = u"Chromium"_s;
}

CdpCommandError::CdpCommandError(const QString &method, QString message)
    : AutomationError(AutomationError::automationFailure(kSource, method + u": "_s + message))
    , m_protocolMessage(std::move(message))
{
}

struct CdpConnection::Pending
{
    QString method;
    QString sessionId;
    Callback callback;               // set for posted commands
    Failed failed;                   // may be set for posted commands
    bool done = false;               // set for waited commands, under the mutex
    QJsonObject result;
    std::optional<AutomationError> error; // the call could not be answered
    QString protocolError;                // Chromium answered with this error
};

// Owns the socket on the worker thread and forwards what it hears.
class SocketWorker : public QObject
{
public:
    explicit SocketWorker(CdpConnection *connection)
        : m_connection(connection)
    {
    }

    void open(const QUrl &url)
    {
        m_socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
        // Our helper keeps its answers to about a megabyte of text and a tab
        // list of thousands of tabs is a few; a far bigger message is not one
        // we asked for, and the socket closes rather than take it in.
        m_socket->setMaxAllowedIncomingMessageSize(64 * 1024 * 1024);
        m_socket->setMaxAllowedIncomingFrameSize(64 * 1024 * 1024);
        connect(m_socket, &QWebSocket::connected, this, [this] { m_connection->onConnected(); });
        connect(m_socket, &QWebSocket::disconnected, this,
                [this] { m_connection->onDisconnected(m_socket->errorString()); });
        connect(m_socket, &QWebSocket::textMessageReceived, this,
                [this](const QString &text) { m_connection->onMessage(text); });
        m_socket->open(url);
    }

    void send(const QString &text)
    {
        if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->sendTextMessage(text);
    }

private:
    CdpConnection *m_connection;
    QWebSocket *m_socket = nullptr;
};

CdpConnection::CdpConnection(QString label, EventHandler onEvent)
    : m_label(std::move(label))
    , m_onEvent(std::move(onEvent))
{
}

CdpConnection::~CdpConnection()
{
    if (!m_thread)
        return;
    {
        // Nothing is sent from now on; what a failed callback sends fails at once.
        std::lock_guard lock(m_mutex);
        m_state = State::Closed;
    }
    // The socket goes on its own thread while that thread still runs: a
    // delete queued behind quit() would never run.
    if (QThread::currentThread() == m_thread)
        delete m_worker;
    else
        QMetaObject::invokeMethod(m_worker, [worker = m_worker] { delete worker; }, Qt::BlockingQueuedConnection);
    m_worker = nullptr;
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
    failPending([](const Pending &) { return true; }, AutomationError::serverUnavailable(kSource));
}

void CdpConnection::open(const QUrl &url, std::chrono::milliseconds timeout)
{
    {
        std::lock_guard lock(m_mutex);
        Q_ASSERT(m_state == State::Idle);
        m_state = State::Opening;
    }
    m_thread = new QThread;
    m_thread->setObjectName(u"devtools "_s + m_label);
    m_worker = new SocketWorker(this);
    m_worker->moveToThread(m_thread);
    m_thread->start();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, url] { worker->open(url); }, Qt::QueuedConnection);

    std::unique_lock lock(m_mutex);
    if (!m_changed.wait_for(lock, timeout, [this] { return m_state != State::Opening; }))
        m_state = State::Closed;
    if (m_state != State::Open)
        throw AutomationError(AutomationError::ServerUnavailable, kSource,
                              u"no browser answers at "_s + m_label);
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

void CdpConnection::onDisconnected(const QString &why)
{
    qCDebug(lcDevTools) << "disconnected from" << m_label << why;
    {
        std::lock_guard lock(m_mutex);
        m_state = State::Closed;
    }
    failPending([](const Pending &) { return true; },
                AutomationError(AutomationError::ServerUnavailable, kSource, u"the browser at "_s + m_label + u" has gone"_s));
}

void CdpConnection::failPending(const std::function<bool(const Pending &)> &which, const AutomationError &error)
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
            throw AutomationError(AutomationError::ServerUnavailable, kSource,
                                  u"the browser at "_s + m_label + u" does not answer"_s);
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
    if (const std::optional<AutomationError> refused = refusal(method, sessionId))
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
    if (!pending->protocolError.isEmpty())
        throw CdpCommandError(pending->method, pending->protocolError);
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

AutomationError CdpConnection::giveUp(int id, const QString &method, const QString &sessionId,
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
            post(u"Browser.getVersion"_s, {}, {}, [](const QJsonObject &, const QString &) {});
        } catch (const AutomationError &) {
            // The socket closed meanwhile: its own failure says more.
        }
    }
    return AutomationError::automationFailure(kSource, method + u" gave no answer within "_s
                                                           + QString::number(timeout.count()) + u" ms"_s);
}

std::optional<AutomationError> CdpConnection::refusal(const QString &method, const QString &sessionId) const
{
    std::lock_guard lock(m_mutex);
    if (m_browserStalled)
        return AutomationError::automationFailure(kSource, method + u": the browser at "_s + m_label
                                                               + u" is not answering"_s);
    if (!sessionId.isEmpty() && m_unresponsive.count(sessionId) > 0)
        return AutomationError::automationFailure(kSource, method + u": the page is not answering"_s);
    return std::nullopt;
}

void CdpConnection::sessionClosed(const QString &sessionId)
{
    {
        std::lock_guard lock(m_mutex);
        m_unresponsive.erase(sessionId);
    }
    failPending([&](const Pending &p) { return p.sessionId == sessionId; },
                AutomationError(AutomationError::ServerUnavailable, kSource, u"the tab has closed"_s));
}

void CdpConnection::onMessage(const QString &text)
{
    qCDebug(lcDevTools).noquote() << "recv" << text.left(2000);
    const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
    const QString sessionId = message.value(u"sessionId"_s).toString();
    const auto idValue = message.value(u"id"_s);

    std::shared_ptr<Pending> pending;
    {
        std::lock_guard lock(m_mutex);
        m_browserStalled = false; // it answers again
        if (!sessionId.isEmpty())
            m_unresponsive.erase(sessionId);
        if (idValue.isDouble()) {
            const auto it = m_pending.find(idValue.toInt());
            if (it == m_pending.end())
                return;
            pending = it->second;
            m_pending.erase(it);
            const QJsonObject error = message.value(u"error"_s).toObject();
            if (!error.isEmpty())
                pending->protocolError = error.value(u"message"_s).toString(u"an error without a message"_s);
            else
                pending->result = message.value(u"result"_s).toObject();
            if (!pending->callback) {
                pending->done = true;
                m_changed.notify_all();
                return;
            }
        }
    }
    if (pending) {
        pending->callback(pending->result, pending->protocolError);
        return;
    }
    const QString method = message.value(u"method"_s).toString();
    const QJsonObject params = message.value(u"params"_s).toObject();
    if (method == u"Target.detachedFromTarget"_s)
        sessionClosed(params.value(u"sessionId"_s).toString());
    m_onEvent(method, params, sessionId);
}

} // namespace chromium
