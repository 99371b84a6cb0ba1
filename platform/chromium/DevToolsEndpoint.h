#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <chrono>

namespace chromium {

// One browser's remote-debugging address, always on loopback.
struct DevToolsEndpoint
{
    QString host;
    quint16 port = 0;
    // Set when given as the browser's WebSocket address: its path, used as is.
    QString browserPath{};

    // "http://127.0.0.1:9222", "http://[::1]:9222" or "ws://127.0.0.1:9222",
    // for messages: never the socket's path.
    QString display() const;
};

// The endpoints to walk, in order: VORLANE_DEVTOOLS (comma-separated
// http://host:port), else the browser that Vorlane's own profile records,
// else http://127.0.0.1:9222, followed by the user's own Chromium-family
// browsers that run with remote debugging (runningUserBrowsers). Hosts that
// are not loopback are refused.
QList<DevToolsEndpoint> configuredEndpoints();

// Parses "http://host:port" or a browser's "ws://host:port/devtools/browser/ID";
// throws AutomationError for anything else or a host that is not loopback.
DevToolsEndpoint parseEndpoint(const QString &text);

// Each address of a comma-separated list that is not blank, parsed; empty
// when none is.
QList<DevToolsEndpoint> parseEndpointList(const QString &text);

// The folder of the Chromium profile that Vorlane starts its own browser with
// (VORLANE_PROFILE_DIR, else Vorlane/chromium-profile in the user's data folder).
QString vorlaneProfileDir();

// The port a browser started with --remote-debugging-port=0 wrote into its
// profile, or 0 (see readActivePortFile).
quint16 readDevToolsActivePort(const QString &profileDir);

// The browser-level WebSocket address: the one given, or asked of the
// endpoint. An answer's address is rebuilt on the endpoint's own host and
// port so that it cannot send us elsewhere. Throws AutomationError
// (ServerUnavailable) when nothing answers.
QUrl browserSocketUrl(const DevToolsEndpoint &endpoint, std::chrono::milliseconds timeout);

// True when the endpoint's DevTools HTTP server answers within timeout; a
// browser given by its WebSocket address serves it on the same port.
bool answers(const DevToolsEndpoint &endpoint, std::chrono::milliseconds timeout);

} // namespace chromium
