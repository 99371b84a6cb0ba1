#include "platform/chromium/CdpTransport.h"

#include <QWebSocket>

namespace chromium {

namespace {

class WebSocketTransport final : public CdpTransport
{
public:
    WebSocketTransport(Listener &listener, qint64 maxMessageSize)
    {
        m_socket.setMaxAllowedIncomingMessageSize(maxMessageSize);
        m_socket.setMaxAllowedIncomingFrameSize(maxMessageSize);
        QObject::connect(&m_socket, &QWebSocket::connected, [&listener] { listener.connected(); });
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived,
                         [&listener](const QString &text) { listener.received(text); });
        QObject::connect(&m_socket, &QWebSocket::disconnected, [this, &listener] {
            // A socket that never opened or broke off has no close frame:
            // its error says what happened.
            const QString reason = m_socket.closeReason().isEmpty() ? m_socket.errorString() : m_socket.closeReason();
            listener.closed(m_socket.closeCode(), reason);
        });
    }

    ~WebSocketTransport() override
    {
        // Nobody listens any more.
        m_socket.disconnect();
        m_socket.abort();
    }

    void open(const QUrl &url) override { m_socket.open(url); }

    void send(const QString &text) override
    {
        if (m_socket.state() == QAbstractSocket::ConnectedState)
            m_socket.sendTextMessage(text);
    }

private:
    QWebSocket m_socket;
};

} // namespace

CdpTransportFactory webSocketTransport(qint64 maxMessageSize)
{
    return [maxMessageSize](CdpTransport::Listener &listener) -> std::unique_ptr<CdpTransport> {
        return std::make_unique<WebSocketTransport>(listener, maxMessageSize);
    };
}

} // namespace chromium
