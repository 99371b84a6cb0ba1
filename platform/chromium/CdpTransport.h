#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

namespace chromium {

// The socket under a CdpConnection: sends text messages and hears them,
// and tells when it closed and why. A transport is made, used and deleted
// on the connection's worker thread, and calls its listener there.
class CdpTransport
{
public:
    class Listener
    {
    public:
        virtual void connected() = 0;
        virtual void received(const QString &text) = 0;
        // Also when open() did not get through.
        virtual void closed(int code, const QString &reason) = 0;

    protected:
        ~Listener() = default;
    };

    virtual ~CdpTransport() = default;
    virtual void open(const QUrl &url) = 0;
    // Dropped when the transport is not open: the connection fails the
    // command when it hears of the close.
    virtual void send(const QString &text) = 0;
};

using CdpTransportFactory = std::function<std::unique_ptr<CdpTransport>(CdpTransport::Listener &listener)>;

// A WebSocket that closes rather than take a message over maxMessageSize.
CdpTransportFactory webSocketTransport(qint64 maxMessageSize);

} // namespace chromium
