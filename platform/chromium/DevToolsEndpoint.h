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

    QString display() const; // "http://127.0.0.1:9222", for messages
};

// The endpoints to walk, in order: VORLANE_DEVTOOLS (comma-separated
// http://host:port), else the browser that Vorlane's own profile records,
// else http://127.0.0.1:9222. Hosts that are not loopback are refused.
QList<DevToolsEndpoint> configuredEndpoints();

// Parses "http://host:port"; throws AutomationError for anything else or a
// host that is not loopback.
DevToolsEndpoint parseEndpoint(const QString &text);

// The folder of the Chromium profile that Vorlane starts its own browser with
// (VORLANE_PROFILE_DIR, else Vorlane/chromium-profile in the user's data folder).
QString vorlaneProfileDir();

// The port a browser started with --remote-debugging-port=0 wrote into its
// profile, or 0.
quint16 readDevToolsActivePort(const QString &profileDir);

// Asks the endpoint for its browser-level WebSocket address. The address is
// rebuilt on the endpoint's own host and port so that an answer cannot send
// us elsewhere. Throws AutomationError (ServerUnavailable) when nothing answers.
QUrl browserSocketUrl(const DevToolsEndpoint &endpoint, std::chrono::milliseconds timeout);

} // namespace chromium
