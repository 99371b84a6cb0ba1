#pragma once

#include "platform/chromium/DevToolsEndpoint.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

namespace chromium {

// What a browser started with remote debugging records in the
// DevToolsActivePort file of its profile: the port on its first line and
// the browser's WebSocket path on its second.
struct ActivePort
{
    quint16 port = 0;
    // Empty when the file gives none, or none of the form
    // /devtools/browser/ID.
    QString browserPath{};
};

// The file's record, or nothing for a file that is missing, empty, larger
// than a few kilobytes, not a regular file of its own (a link, a pipe) or
// whose first line is not a port. Never waits on the file.
std::optional<ActivePort> readActivePortFile(const QString &profileDir);

// The profile folders of the Chromium-family browsers a user may run, under
// $XDG_CONFIG_HOME (when absolute), else ~/.config.
QStringList userBrowserProfileDirs();

// The browsers among those folders that record a port on which something
// answers on 127.0.0.1, each asked for at most probeTimeout, in the order of
// the folders. A port already among known, or found twice, is listed once.
QList<DevToolsEndpoint> runningUserBrowsers(const QList<DevToolsEndpoint> &known,
                                            std::chrono::milliseconds probeTimeout);

} // namespace chromium
