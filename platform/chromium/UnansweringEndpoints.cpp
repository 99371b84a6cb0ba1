#include "platform/chromium/UnansweringEndpoints.h"

#include <QCoreApplication>

namespace chromium {

namespace {

// Between the tries of a probe: often enough that a browser that resumes is
// used again within a tick or two of the main window.
constexpr std::chrono::milliseconds kProbePause{200};
// A try waits no longer than this, so that the end of the process waits at
// most this long for a probe under way.
constexpr std::chrono::milliseconds kProbeTryLimit{1000};

} // namespace

UnansweringEndpoints &UnansweringEndpoints::instance()
{
    static UnansweringEndpoints endpoints;
    return endpoints;
}

UnansweringEndpoints::~UnansweringEndpoints()
{
    stopProbes();
}

void UnansweringEndpoints::stopProbes()
{
    std::map<QString, std::thread> probes;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        probes.swap(m_probes);
    }
    m_stop.notify_all();
    for (auto &[key, probe] : probes)
        probe.join();
}

void UnansweringEndpoints::add(const DevToolsEndpoint &endpoint)
{
    const QString key = endpoint.display();
    std::thread ended;
    {
        std::lock_guard lock(m_mutex);
        // A probe of the endpoint that is kept while the endpoint is not
        // has found it answering and returned.
        if (const auto earlier = m_probes.find(key); earlier != m_probes.end() && !m_unanswering.contains(key)) {
            ended = std::move(earlier->second);
            m_probes.erase(earlier);
        }
        m_unanswering.insert(key);
    }
    if (ended.joinable())
        ended.join();
}

bool UnansweringEndpoints::contains(const DevToolsEndpoint &endpoint, std::chrono::milliseconds probeTimeout)
{
    const QString key = endpoint.display();
    std::lock_guard lock(m_mutex);
    if (!m_unanswering.contains(key))
        return false;
    if (m_stopping || m_probes.count(key) > 0)
        return true;
    if (!m_stopsWithTheApplication && QCoreApplication::instance()) {
        // Sockets are not to be used once the application has gone.
        qAddPostRoutine([] { instance().stopProbes(); });
        m_stopsWithTheApplication = true;
    }
    m_probes.emplace(key, std::thread([this, endpoint, probeTimeout] { probe(endpoint, probeTimeout); }));
    return true;
}

void UnansweringEndpoints::probe(const DevToolsEndpoint &endpoint, std::chrono::milliseconds timeout)
{
    const QString key = endpoint.display();
    for (;;) {
        const bool answered = answers(endpoint, std::min(timeout, kProbeTryLimit));
        std::unique_lock lock(m_mutex);
        if (answered) {
            m_unanswering.remove(key);
            return;
        }
        if (m_stop.wait_for(lock, kProbePause, [this] { return m_stopping; }))
            return;
    }
}

} // namespace chromium
