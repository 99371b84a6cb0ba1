#include "platform/chromium/DevToolsEndpoint.h"

#include "platform/automation/AutomationError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTcpSocket>

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

const QString kSource = u"Chromium"_s;

bool isLoopbackHost(const QString &host)
{
    if (host.compare(u"localhost"_s, Qt::CaseInsensitive) == 0)
        return true;
    QHostAddress address;
    return address.setAddress(host) && address.isLoopback();
}

// The body of a small HTTP/1.0 GET, read with blocking socket waits so that no
// event loop runs meanwhile.
QByteArray httpGet(const DevToolsEndpoint &endpoint, const QByteArray &path, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    QTcpSocket socket;
    socket.connectToHost(endpoint.host, endpoint.port);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        throw AutomationError(AutomationError::ServerUnavailable, kSource,
                              u"no browser answers at "_s + endpoint.display());
    socket.write("GET " + path + " HTTP/1.0\r\nHost: " + endpoint.host.toLatin1() + ':'
                 + QByteArray::number(endpoint.port) + "\r\n\r\n");
    QByteArray response;
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        if (socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            response += socket.readAll();
    }
    response += socket.readAll();
    const qsizetype bodyStart = response.indexOf("\r\n\r\n");
    if (!response.startsWith("HTTP/1.") || !response.contains(" 200 ") || bodyStart < 0)
        throw AutomationError(AutomationError::ServerUnavailable, kSource,
                              u"no DevTools endpoint answers at "_s + endpoint.display());
    return response.mid(bodyStart + 4);
}

} // namespace

QString DevToolsEndpoint::display() const
{
    return u"http://"_s + host + u':' + QString::number(port);
}

DevToolsEndpoint parseEndpoint(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != u"http"_s || url.host().isEmpty() || url.port() <= 0)
        throw AutomationError::automationFailure(kSource, u"not an http://host:port endpoint: "_s + text);
    if (!isLoopbackHost(url.host()))
        throw AutomationError::automationFailure(kSource, u"endpoint is not on loopback: "_s + text);
    return {url.host(), quint16(url.port())};
}

QString vorlaneProfileDir()
{
    const QString configured = qEnvironmentVariable("VORLANE_PROFILE_DIR");
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Vorlane/chromium-profile"_s;
}

quint16 readDevToolsActivePort(const QString &profileDir)
{
    QFile file(QDir(profileDir).filePath(u"DevToolsActivePort"_s));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    bool ok = false;
    const uint port = file.readLine().trimmed().toUInt(&ok);
    return ok && port > 0 && port < 65536 ? quint16(port) : 0;
}

QList<DevToolsEndpoint> configuredEndpoints()
{
    const QString configured = qEnvironmentVariable("VORLANE_DEVTOOLS");
    QList<DevToolsEndpoint> endpoints;
    if (!configured.trimmed().isEmpty()) {
        for (const QString &part : configured.split(u',', Qt::SkipEmptyParts))
            endpoints.append(parseEndpoint(part));
        return endpoints;
    }
    const quint16 recorded = readDevToolsActivePort(vorlaneProfileDir());
    endpoints.append({u"127.0.0.1"_s, recorded ? recorded : quint16(9222)});
    return endpoints;
}

QUrl browserSocketUrl(const DevToolsEndpoint &endpoint, std::chrono::milliseconds timeout)
{
    const QJsonObject version = QJsonDocument::fromJson(httpGet(endpoint, "/json/version", timeout)).object();
    const QUrl advertised(version.value(u"webSocketDebuggerUrl"_s).toString());
    if (!advertised.isValid() || !advertised.path().startsWith(u"/devtools/browser/"_s))
        throw AutomationError(AutomationError::ServerUnavailable, kSource,
                              u"no DevTools browser socket at "_s + endpoint.display());
    QUrl url;
    url.setScheme(u"ws"_s);
    url.setHost(endpoint.host);
    url.setPort(endpoint.port);
    url.setPath(advertised.path());
    return url;
}

} // namespace chromium
