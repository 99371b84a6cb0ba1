#include "tests/support/chromium/ScriptedBrowser.h"

#include <QJsonDocument>
#include <QThread>

namespace testsupport {

using namespace Qt::StringLiterals;
using chromium::CdpTransport;

class ScriptedTransport final : public CdpTransport
{
public:
    ScriptedTransport(ScriptedBrowser &browser, Listener &listener)
        : m_browser(browser)
        , m_listener(listener)
    {
    }
    ~ScriptedTransport() override { m_browser.gone(this); }

    void open(const QUrl &) override
    {
        bool refuse = false;
        {
            std::lock_guard lock(m_browser.m_mutex);
            refuse = m_browser.m_refuse;
        }
        if (refuse)
            return m_listener.closed(1006, u"Connection refused"_s);
        m_open = true;
        m_browser.opened(this);
        m_listener.connected();
    }

    void send(const QString &text) override
    {
        if (m_open)
            m_browser.heard(QJsonDocument::fromJson(text.toUtf8()).object());
    }

    // On the connection's thread, after what was queued before.
    void later(std::function<void(Listener &)> what)
    {
        QMetaObject::invokeMethod(&m_context, [this, what = std::move(what)] {
            if (m_open)
                what(m_listener);
        });
    }
    void closed() { m_open = false; }
    QObject &context() { return m_context; }

private:
    ScriptedBrowser &m_browser;
    Listener &m_listener;
    QObject m_context; // lives on the connection's thread, as the transport is made there
    bool m_open = false;
};

ScriptedBrowser::ScriptedBrowser(Script script)
    : m_script(std::move(script))
{
}

ScriptedBrowser::~ScriptedBrowser()
{
    std::lock_guard lock(m_mutex);
    Q_ASSERT_X(!m_transport, "ScriptedBrowser", "a connection outlives its browser");
}

chromium::CdpTransportFactory ScriptedBrowser::transport()
{
    return [this](CdpTransport::Listener &listener) -> std::unique_ptr<CdpTransport> {
        return std::make_unique<ScriptedTransport>(*this, listener);
    };
}

void ScriptedBrowser::setScript(Script script)
{
    std::lock_guard lock(m_mutex);
    m_script = std::move(script);
}

void ScriptedBrowser::refuseConnections()
{
    std::lock_guard lock(m_mutex);
    m_refuse = true;
}

void ScriptedBrowser::opened(ScriptedTransport *transport)
{
    std::lock_guard lock(m_mutex);
    m_transport = transport;
}

void ScriptedBrowser::gone(ScriptedTransport *transport)
{
    std::lock_guard lock(m_mutex);
    if (m_transport == transport)
        m_transport = nullptr;
}

void ScriptedBrowser::heard(const QJsonObject &command)
{
    Script script;
    {
        std::lock_guard lock(m_mutex);
        m_commands.append(command);
        script = m_script;
    }
    if (script)
        script(*this, command);
}

QList<QJsonObject> ScriptedBrowser::commands() const
{
    std::lock_guard lock(m_mutex);
    return m_commands;
}

void ScriptedBrowser::toConnection(std::function<void(CdpTransport::Listener &)> what)
{
    std::lock_guard lock(m_mutex);
    if (m_transport)
        m_transport->later(std::move(what));
}

void ScriptedBrowser::send(const QString &text)
{
    toConnection([text](CdpTransport::Listener &listener) { listener.received(text); });
}

namespace {
QString compact(const QJsonObject &message)
{
    return QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
}
} // namespace

void ScriptedBrowser::reply(const QJsonObject &command, const QJsonObject &result)
{
    QJsonObject message{{u"id"_s, command.value(u"id"_s)}, {u"result"_s, result}};
    if (command.contains(u"sessionId"_s))
        message.insert(u"sessionId"_s, command.value(u"sessionId"_s));
    send(compact(message));
}

void ScriptedBrowser::refuse(const QJsonObject &command, const QString &text)
{
    QJsonObject message{{u"id"_s, command.value(u"id"_s)},
                        {u"error"_s, QJsonObject{{u"code"_s, -32000}, {u"message"_s, text}}}};
    if (command.contains(u"sessionId"_s))
        message.insert(u"sessionId"_s, command.value(u"sessionId"_s));
    send(compact(message));
}

void ScriptedBrowser::event(const QString &method, const QJsonObject &params, const QString &sessionId)
{
    QJsonObject message{{u"method"_s, method}, {u"params"_s, params}};
    if (!sessionId.isEmpty())
        message.insert(u"sessionId"_s, sessionId);
    send(compact(message));
}

void ScriptedBrowser::close(int code, const QString &reason)
{
    std::lock_guard lock(m_mutex);
    if (!m_transport)
        return;
    ScriptedTransport *transport = m_transport;
    transport->later([transport, code, reason](CdpTransport::Listener &listener) {
        transport->closed();
        listener.closed(code, reason);
    });
}

void ScriptedBrowser::flush()
{
    QObject *context = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (m_transport)
            context = &m_transport->context();
    }
    if (context && context->thread() != QThread::currentThread())
        QMetaObject::invokeMethod(context, [] {}, Qt::BlockingQueuedConnection);
}

} // namespace testsupport
