#include "bench/inspector/TimedApplication.h"

#include <QMetaEnum>

#include <utility>

namespace bench {

using namespace Qt::StringLiterals;

EventWatch::EventWatch(TimedApplication &app)
    : m_app(app)
{
    m_app.m_watches.append(this);
}

EventWatch::~EventWatch()
{
    m_app.m_watches.removeOne(this);
}

TimedApplication::TimedApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    m_clock.start();
}

TimedApplication::Step TimedApplication::takeLongestStep()
{
    return std::exchange(m_longest, {});
}

bool TimedApplication::notify(QObject *receiver, QEvent *event)
{
    const QEvent::Type type = event->type();
    for (EventWatch *watch : std::as_const(m_watches))
        watch->delivering(receiver, event);
    // Named now: the event may delete its receiver.
    const char *className = receiver->metaObject()->className();
    const QString objectName = receiver->objectName();
    const qint64 start = nowNs();
    ++m_depth;
    const bool accepted = QApplication::notify(receiver, event);
    --m_depth;
    const double ms = double(nowNs() - start) / 1e6;
    if (m_depth == 0 && ms > m_longest.ms) {
        const char *typeName = QMetaEnum::fromType<QEvent::Type>().valueToKey(type);
        m_longest = {ms, u"%1 to %2 %3"_s.arg(QString::fromLatin1(typeName ? typeName : "event"),
                                              QString::fromLatin1(className), objectName)};
    }
    for (EventWatch *watch : std::as_const(m_watches))
        watch->delivered(receiver, type);
    return accepted;
}

} // namespace bench
