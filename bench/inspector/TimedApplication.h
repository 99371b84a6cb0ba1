#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <QString>

namespace bench {

class TimedApplication;

// Sees every event the UI thread delivers, nested ones too, while it lives;
// watches begin and end outside the delivery of an event.
class EventWatch
{
public:
    explicit EventWatch(TimedApplication &app);
    virtual ~EventWatch();
    EventWatch(const EventWatch &) = delete;
    EventWatch &operator=(const EventWatch &) = delete;

    virtual void delivering(QObject *receiver, QEvent *event) = 0;
    // The receiver may be gone by now: it is for comparing only.
    virtual void delivered(QObject *receiver, QEvent::Type type) = 0;

private:
    TimedApplication &m_app;
};

// The application, timing each event that the event loop hands out: one
// such event is one step of the UI thread, during which the program neither
// paints nor hears the user. Work called outside the event loop is no step.
class TimedApplication final : public QApplication
{
public:
    TimedApplication(int &argc, char **argv);

    struct Step
    {
        double ms = 0;
        QString what;
    };
    // The longest step since the last call.
    Step takeLongestStep();
    // Nanoseconds on the clock the steps are timed with.
    qint64 nowNs() const { return m_clock.nsecsElapsed(); }

protected:
    bool notify(QObject *receiver, QEvent *event) override;

private:
    friend class EventWatch;

    QElapsedTimer m_clock;
    int m_depth = 0;
    Step m_longest;
    QList<EventWatch *> m_watches;
};

} // namespace bench
