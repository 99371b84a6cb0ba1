#pragma once

#include "platform/chromium/DevToolsEndpoint.h"

#include <QSet>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace chromium {

// The endpoints whose connection attempt ran out its deadline, for as long
// as the process runs: a port that takes connections and never answers (a
// stopped browser) would otherwise cost that deadline again at every attempt,
// and the main window makes a new gateway, so new endpoints, after each
// failure. A probe on a thread of its own asks such an endpoint until it
// answers and then forgets it; it starts when the endpoint is next asked
// about, so a program that gives up at once starts none.
class UnansweringEndpoints
{
public:
    static UnansweringEndpoints &instance();
    ~UnansweringEndpoints();

    void add(const DevToolsEndpoint &endpoint);
    // True while the endpoint has not answered since it was added; then its
    // probe runs, each try within probeTimeout.
    bool contains(const DevToolsEndpoint &endpoint, std::chrono::milliseconds probeTimeout);

private:
    UnansweringEndpoints() = default;
    void probe(const DevToolsEndpoint &endpoint, std::chrono::milliseconds timeout);
    void stopProbes();

    std::mutex m_mutex;
    std::condition_variable m_stop;
    bool m_stopping = false;
    bool m_stopsWithTheApplication = false;
    // By the endpoint's display(). A probe runs while its endpoint is in
    // both; one whose endpoint has left m_unanswering has returned.
    QSet<QString> m_unanswering;
    std::map<QString, std::thread> m_probes; // joined when replaced and at exit
};

} // namespace chromium
