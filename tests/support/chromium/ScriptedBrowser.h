#pragma once

#include "platform/chromium/CdpTransport.h"

#include <QJsonObject>
#include <QList>
#include <QObject>

#include <functional>
#include <mutex>

namespace testsupport {

class ScriptedTransport;

// The browser at the far end of a connection, played by a test: it hears
// every command sent, answers as the test's script says, and can send
// anything or close. What it sends reaches the connection on its own thread,
// in order, as a socket's messages would.
class ScriptedBrowser
{
public:
    // Runs on the connection's thread for every command sent.
    using Script = std::function<void(ScriptedBrowser &browser, const QJsonObject &command)>;

    explicit ScriptedBrowser(Script script = {});
    ~ScriptedBrowser();

    chromium::CdpTransportFactory transport();
    void setScript(Script script);
    // Connections opened from now on are refused.
    void refuseConnections();

    void send(const QString &text);
    void reply(const QJsonObject &command, const QJsonObject &result);
    void refuse(const QJsonObject &command, const QString &message);
    void event(const QString &method, const QJsonObject &params, const QString &sessionId = {});
    void close(int code, const QString &reason);
    // Returns once everything sent so far has been heard.
    void flush();

    QList<QJsonObject> commands() const;

private:
    friend class ScriptedTransport;
    void opened(ScriptedTransport *transport);
    void gone(ScriptedTransport *transport);
    void heard(const QJsonObject &command);
    void toConnection(std::function<void(chromium::CdpTransport::Listener &)> what);

    mutable std::mutex m_mutex;
    Script m_script;
    bool m_refuse = false;
    ScriptedTransport *m_transport = nullptr;
    QList<QJsonObject> m_commands;
};

} // namespace testsupport
