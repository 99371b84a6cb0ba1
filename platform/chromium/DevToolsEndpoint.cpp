#include "platform/chromium/DevToolsEndpoint.h"

#include "platform/automation/AutomationError.h"
#include "platform/chromium/CdpError.h"
#include "platform/chromium/RunningBrowsers.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpSocket>

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

// Connecting on loopback is answered at once, yes or no; this only bounds a
// machine too loaded to answer.
constexpr std::chrono::milliseconds kProbeTimeout{250};

bool isLoopbackHost(const QString &host)
{
    if (host.compare(u"localhost"_s, Qt::CaseInsensitive) == 0)
        return true;
    QHostAddress address;
    return address.setAddress(host) && address.isLoopback();
}

// The body of a small HTTP GET, read with blocking socket waits so that no
// event loop runs meanwhile.
// Chromium's /json/version is about half a kilobyte; anything far longer is
// not a browser, and is not read into memory.
constexpr qsizetype kMaxHttpAnswer = 64 * 1024;

QByteArray httpGet(const DevToolsEndpoint &endpoint, const QByteArray &path, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    QTcpSocket socket;
    socket.connectToHost(endpoint.host, endpoint.port);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        throw AutomationError::serverUnavailable(errorSource(), u"no browser answers at "_s + endpoint.display());
    socket.write("GET " + path + " HTTP/1.1\r\nConnection: close\r\nHost: " + endpoint.host.toLatin1() + ':'
                 + QByteArray::number(endpoint.port) + "\r\n\r\n");
    QByteArray response;
    qsizetype bodyStart = -1;
    qsizetype expected = -1;
    while (!deadline.hasExpired()) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            break; // closed, or the deadline passed
        response += socket.read(kMaxHttpAnswer + 1 - response.size());
        if (response.size() > kMaxHttpAnswer)
            throw AutomationError::serverUnavailable(errorSource(), u"the answer at "_s + endpoint.display() + u" is too long for a DevTools endpoint"_s);
        if (bodyStart < 0 && (bodyStart = response.indexOf("\r\n\r\n")) >= 0) {
            bodyStart += 4;
            for (const QByteArray &line : response.left(bodyStart).split('\n')) {
                if (line.toLower().startsWith("content-length:"))
                    expected = line.mid(15).trimmed().toLongLong();
            }
        }
        if (bodyStart >= 0 && expected >= 0 && response.size() - bodyStart >= expected)
            break;
    }
    if (!response.startsWith("HTTP/1.") || !response.contains(" 200 ") || bodyStart < 0)
        throw AutomationError::serverUnavailable(errorSource(), u"no DevTools endpoint answers at "_s + endpoint.display());
    return response.mid(bodyStart);
}

} // namespace

QString DevToolsEndpoint::display() const
{
    const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
    return (browserPath.isEmpty() ? u"http://"_s : u"ws://"_s) + shownHost + u':' + QString::number(port);
}

DevToolsEndpoint parseEndpoint(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const bool http = url.scheme() == u"http"_s;
    const bool socket = url.scheme() == u"ws"_s;
    if (!url.isValid() || !(http || socket) || url.host().isEmpty() || url.port() <= 0)
        throw AutomationError::automationFailure(
            errorSource(), u"not an http://host:port or ws://host:port/devtools/browser/ID endpoint: "_s + text);
    // A page's socket would give us one tab, not the browser's list of them.
    static const QRegularExpression browserPath(u"^/devtools/browser/[^/]+$"_s);
    if (socket && !browserPath.match(url.path()).hasMatch())
        throw AutomationError::automationFailure(errorSource(), u"not a browser's WebSocket address: "_s + text);
    if (!isLoopbackHost(url.host()))
        throw AutomationError::automationFailure(errorSource(), u"endpoint is not on loopback: "_s + text);
    return {url.host(), quint16(url.port()), socket ? url.path() : QString()};
}

QList<DevToolsEndpoint> parseEndpointList(const QString &text)
{
    QList<DevToolsEndpoint> endpoints;
    for (const QString &part : text.split(u',')) {
        if (!part.trimmed().isEmpty())
            endpoints.append(parseEndpoint(part));
    }
    return endpoints;
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
    const std::optional<ActivePort> record = readActivePortFile(profileDir);
    return record ? record->port : 0;
}

QList<DevToolsEndpoint> configuredEndpoints()
{
    const QString configured = qEnvironmentVariable("VORLANE_DEVTOOLS");
    if (!configured.trimmed().isEmpty())
        return parseEndpointList(configured);
    const quint16 recorded = readDevToolsActivePort(vorlaneProfileDir());
    QList<DevToolsEndpoint> endpoints{{u"127.0.0.1"_s, recorded ? recorded : quint16(9222)}};
    endpoints += runningUserBrowsers(endpoints, kProbeTimeout);
    return endpoints;
}

QUrl browserSocketUrl(const DevToolsEndpoint &endpoint, std::chrono::milliseconds timeout)
{
    QString path = endpoint.browserPath;
    if (path.isEmpty()) {
        const QJsonObject version = QJsonDocument::fromJson(httpGet(endpoint, "/json/version", timeout)).object();
        const QUrl advertised(version.value(u"webSocketDebuggerUrl"_s).toString());
        if (!advertised.isValid() || !advertised.path().startsWith(u"/devtools/browser/"_s))
            throw AutomationError::serverUnavailable(errorSource(), u"no DevTools browser socket at "_s + endpoint.display());
        path = advertised.path();
    }
    QUrl url;
    url.setScheme(u"ws"_s);
    url.setHost(endpoint.host);
    url.setPort(endpoint.port);
    url.setPath(path);
    return url;
}

bool answers(const DevToolsEndpoint &endpoint, std::chrono::milliseconds timeout)
{
    try {
        httpGet(endpoint, "/json/version", timeout);
        return true;
    } catch (const AutomationError &) {
        return false;
    }
}

} // namespace chromium
