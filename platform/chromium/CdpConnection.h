#pragma once

#include "platform/chromium/CdpError.h"
#include "platform/chromium/CdpTransport.h"

#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <unordered_map>

namespace chromium {

class SocketWorker;

// One browser-level DevTools WebSocket with flattened tab sessions.
//
// The socket lives on a worker thread with its own event loop, so that a
// synchronous call blocks the caller on a condition variable and never runs
// the caller's event loop: no timer or event of the program can enter while
// a call waits. Every call has a deadline. A session whose call ran past its
// deadline fails later calls at once until anything arrives from it again,
// and a closed session or socket fails all its pending calls at once.
class CdpConnection
{
public:
    using EventHandler = std::function<void(const QString &method, const QJsonObject &params, const QString &sessionId)>;
    using Callback = std::function<void(const QJsonObject &result)>;
    using Failed = std::function<void(const CdpError &error)>;
    using ClosedHandler = std::function<void()>;

    // label names the endpoint in messages; events are delivered on the
    // worker thread, and so is onClosed, once the browser's socket has closed
    // and every pending call has failed.
    CdpConnection(QString label, EventHandler onEvent, CdpTransportFactory transport, ClosedHandler onClosed = {});
    ~CdpConnection();
    CdpConnection(const CdpConnection &) = delete;
    CdpConnection &operator=(const CdpConnection &) = delete;

    // Throws CdpError (BrowserUnreachable) when the socket cannot open.
    void open(const QUrl &url, std::chrono::milliseconds timeout);
    bool isOpen() const;

    // No default deadline: callers pass ChromiumOptions::callTimeout, so that
    // it is set in one place.
    QJsonObject call(const QString &method, const QJsonObject &params, const QString &sessionId,
                     std::chrono::milliseconds timeout);
    // Sends without waiting and returns the command's id; done runs on the
    // worker thread with the answer. A command that is refused or cannot be
    // answered (the socket or the session closed) runs failed instead, when
    // given, on whichever thread found it out. Throws when the socket is
    // closed.
    int post(const QString &method, const QJsonObject &params, const QString &sessionId, Callback done,
             Failed failed = {});
    // Stops waiting for a command whose deadline passed: its late answer is
    // dropped and its session fails later calls at once until it answers
    // again. Returns the error that tells so.
    CdpError giveUp(int id, const QString &method, const QString &sessionId,
                                       std::chrono::milliseconds timeout);

    // The failure a call of method to that session (empty: the browser
    // itself) meets at once, without being sent: the browser or the page let
    // an earlier call run past its deadline and has not answered since.
    std::optional<CdpError> refusal(const QString &method, const QString &sessionId) const;
    // Fails every pending call of the session at once.
    void sessionClosed(const QString &sessionId);
    // Fails the session's pending script evaluations at once with error.
    void interruptScripts(const QString &sessionId, const CdpError &error);

private:
    friend class SocketWorker;
    struct Pending;

    void onConnected();
    void onDisconnected(int code, const QString &reason);
    void onMessage(const QString &text);
    int enqueue(const QString &method, const QJsonObject &params, const QString &sessionId, std::shared_ptr<Pending> pending);
    // Fails the pending commands that match; takes the lock itself, so that
    // the failed callbacks run without it.
    void failPending(const std::function<bool(const Pending &)> &which, const CdpError &error);

    const QString m_label;
    const EventHandler m_onEvent;
    const ClosedHandler m_onClosed;
    const CdpTransportFactory m_transport;
    // Set as the connection goes: what still arrives is dropped unread, so
    // that a flood of messages cannot hold up the end.
    std::atomic<bool> m_ending = false;
    std::thread m_thread;
    SocketWorker *m_worker = nullptr; // lives on m_thread

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    enum class State { Idle, Opening, Open, Closed } m_state = State::Idle;
    int m_nextId = 1;
    std::unordered_map<int, std::shared_ptr<Pending>> m_pending;
    std::set<QString> m_unresponsive;
    bool m_browserStalled = false;
};

} // namespace chromium
