#pragma once

#include <QElapsedTimer>
#include <QTimer>

namespace bench {

// The event loop's stalls as a short timer sees them: every gap between two
// of its ticks that is far longer than a tick is a stall the user felt.
class StallMeter
{
public:
    StallMeter();

    void start();
    void stop();
    double totalMs() const { return double(m_totalNs) / 1e6; }
    double longestMs() const { return double(m_longestNs) / 1e6; }

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_totalNs = 0;
    qint64 m_longestNs = 0;
};

} // namespace bench
