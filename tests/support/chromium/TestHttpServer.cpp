#include "tests/support/chromium/TestHttpServer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>


namespace testsupport {

using namespace Qt::StringLiterals;

namespace {

QByteArray header(const char *status, const QByteArray &type, qsizetype length = -1)
{
    QByteArray h = "HTTP/1.1 " + QByteArray(status) + "\r\nContent-Type: " + type + "\r\nConnection: close\r\n";
    if (length >= 0)
        h += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return h + "Cache-Control: no-store\r\n\r\n";
}

} // namespace

class HttpConnectionHandler : public QObject
{
public:
    HttpConnectionHandler(TestHttpServer *server, QTcpSocket *socket)
        : QObject(socket)
        , m_server(server)
        , m_socket(socket)
    {
        connect(socket, &QTcpSocket::readyRead, this, [this] { onReadyRead(); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    void onReadyRead()
    {
        m_request += m_socket->readAll();
        if (m_request.startsWith('\x16')) { // a TLS hello: https is not served here
            m_socket->abort();
            return;
        }
        if (!m_request.contains("\r\n\r\n") || m_answered)
            return;
        m_answered = true;
        const QList<QByteArray> line = m_request.left(m_request.indexOf("\r\n")).split(' ');
        const QUrl url(QString::fromLatin1(line.value(1)));
        if (url.path() == u"/slow"_s) {
            const int ms = QUrlQuery(url).queryItemValue(u"ms"_s).toInt();
            m_socket->write(header("200 OK", "text/html; charset=utf-8"));
            m_socket->write("<!doctype html><html><head><title>slow</title></head><body><p>start</p>");
            m_socket->flush();
            QTimer::singleShot(ms, this, [this] {
                m_socket->write("<p>end</p></body></html>");
                m_socket->disconnectFromHost();
            });
            return;
        }
        const QByteArray body = m_server->page(url.path());
        if (body.isNull())
            m_socket->write(header("404 Not Found", "text/plain", 9) + "not found");
        else
            m_socket->write(header("200 OK", "text/html; charset=utf-8", body.size()) + body);
        m_socket->disconnectFromHost();
    }

    TestHttpServer *m_server;
    QTcpSocket *m_socket;
    QByteArray m_request;
    bool m_answered = false;
};

TestHttpServer::TestHttpServer()
    : m_anchor(new QObject)
{
    m_anchor->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(m_anchor, [this] {
        m_server = new QTcpServer(m_anchor);
        QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] {
            while (QTcpSocket *socket = m_server->nextPendingConnection())
                new HttpConnectionHandler(this, socket);
        });
        m_server->listen(QHostAddress::LocalHost, 0);
        m_port = m_server->serverPort();
    }, Qt::BlockingQueuedConnection);
}

TestHttpServer::~TestHttpServer()
{
    QMetaObject::invokeMethod(m_anchor, [this] { delete m_anchor; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void TestHttpServer::setPage(const QString &path, const QString &html)
{
    std::lock_guard lock(m_mutex);
    m_pages.insert(path, html.toUtf8());
}

QByteArray TestHttpServer::page(const QString &path) const
{
    std::lock_guard lock(m_mutex);
    return m_pages.value(path, QByteArray());
}

QString TestHttpServer::url(const QString &path) const
{
    return u"http://127.0.0.1:"_s + QString::number(m_port) + path;
}

} // namespace testsupport
