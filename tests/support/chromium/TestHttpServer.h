#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QThread>

#include <mutex>

class QTcpServer;

namespace testsupport {

// A loopback HTTP server on its own thread, so that it answers Chromium while
// the test's thread is blocked in a synchronous call.
//
// Pages are set by path. "/slow?ms=N" sends the start of a page at once and
// its end N milliseconds later, so that the page stays loading meanwhile.
class TestHttpServer
{
public:
    TestHttpServer();
    ~TestHttpServer();

    void setPage(const QString &path, const QString &html);
    QString url(const QString &path) const;
    quint16 port() const { return m_port; }

private:
    friend class HttpConnectionHandler;
    QByteArray page(const QString &path) const;

    QThread m_thread;
    QObject *m_anchor; // lives on m_thread and owns the server
    QTcpServer *m_server = nullptr;
    quint16 m_port = 0;
    mutable std::mutex m_mutex;
    QHash<QString, QByteArray> m_pages;
};

} // namespace testsupport
