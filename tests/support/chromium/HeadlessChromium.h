#pragma once

#include "platform/chromium/DevToolsEndpoint.h"

#include <QProcess>
#include <QTemporaryDir>

#include <sys/types.h>

namespace testsupport {

// A headless Chromium of the tests' own: a temporary profile and a free
// loopback port that it picks and records in the profile.
class HeadlessChromium
{
public:
    HeadlessChromium();
    ~HeadlessChromium();

    // Throws std::runtime_error when Chromium cannot be started. Every host
    // under .test resolves to the loopback port given.
    void start(quint16 testHostsPort);
    chromium::DevToolsEndpoint endpoint() const { return {QStringLiteral("127.0.0.1"), m_port}; }
    // The browser's own process, which serves the DevTools socket.
    qint64 pid() const { return m_process.processId(); }

private:
    QTemporaryDir m_profile;
    QProcess m_process;
    pid_t m_group = 0; // the browser's process group, once started
    quint16 m_port = 0;
};

} // namespace testsupport
