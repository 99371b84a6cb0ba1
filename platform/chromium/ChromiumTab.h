#pragma once

#include "platform/automation/Automation.h"
#include "platform/automation/AutomationError.h"

#include <QJsonObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>

namespace chromium {

// What we know of one tab, kept current from its page events on the socket's
// thread and read on the caller's, so that the frequent read-outs (ready
// state, busy) cost no round trip.
class ChromiumTab
{
public:
    ChromiumTab(QString targetId, qint32 handle);

    const QString &targetId() const { return m_targetId; }
    qint32 handle() const { return m_handle; }

    enum class Setup { Pending, Ready, Failed };

    struct Snapshot
    {
        QString sessionId;
        Setup setup = Setup::Pending;
        std::optional<automation::AutomationError> setupError;
        bool setupStalled = false;
        qint32 readyState = automation::ReadyState::Uninitialized;
        bool busy = false;
        QString documentContext; // uniqueId of our world in the current document
        bool dialogOpen = false;
        QString dialogMessage;
        bool crashed = false;
        bool gone = false;
    };
    Snapshot snapshot() const;

    // Waits until pred(state) holds or the deadline passes; returns the state then.
    template<typename Pred>
    Snapshot waitFor(std::chrono::milliseconds timeout, Pred pred)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, timeout, [&] { return pred(m_state); });
        return m_state;
    }

    void attached(const QString &sessionId);
    void setupFinished(Setup outcome, std::optional<automation::AutomationError> error = {});
    void setupStalled();
    // True the first time only: the caller then makes our world in the tab.
    bool takeWorldRequest();
    void applyPageEvent(const QString &method, const QJsonObject &params, const QString &worldName);
    void navigationRequested();
    // The main frame shows a document from url: one that has told no
    // milestone yet is loading.
    void documentFound(const QString &url);
    void crashed();
    void gone();

    // The bars have no outside switch in Chromium: the last value written is
    // what reads back.
    struct Bars
    {
        qint32 toolBar = 1;
        bool addressBar = true;
        bool menuBar = true;
        bool statusBar = true;
    };
    Bars bars() const;
    void setBars(const Bars &bars);

private:
    template<typename Change>
    void update(Change change)
    {
        {
            std::lock_guard lock(m_mutex);
            change(m_state);
        }
        m_changed.notify_all();
    }

    const QString m_targetId;
    const qint32 m_handle;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    Snapshot m_state;
    Bars m_bars;
    bool m_worldRequested = false;
};

} // namespace chromium
