#include "platform/chromium/ChromiumTab.h"

#include <utility>

namespace chromium {

using namespace Qt::StringLiterals;

namespace {

namespace ReadyState = automation::ReadyState;

} // namespace

ChromiumTab::ChromiumTab(QString targetId, qint32 handle)
    : m_targetId(std::move(targetId))
    , m_handle(handle)
{
}

ChromiumTab::Snapshot ChromiumTab::snapshot() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

void ChromiumTab::attached(const QString &sessionId)
{
    update([&](Snapshot &s) { s.sessionId = sessionId; });
}

void ChromiumTab::setupFinished(Setup outcome, std::optional<automation::AutomationError> error)
{
    update([&](Snapshot &s) {
        // Set-up ends once: at its first failure, or when all of it is answered.
        if (s.setup != Setup::Pending)
            return;
        s.setup = outcome;
        s.setupError = std::move(error);
        s.setupStalled = false;
        // The lifecycle told so far says where the load stands; a load that
        // ends from now on is told by its own events.
        if (outcome == Setup::Ready)
            s.busy = s.readyState != ReadyState::Complete;
    });
}

void ChromiumTab::setupStalled()
{
    update([](Snapshot &s) { s.setupStalled = true; });
}

bool ChromiumTab::takeWorldRequest()
{
    std::lock_guard lock(m_mutex);
    return !std::exchange(m_worldRequested, true);
}

void ChromiumTab::navigationRequested()
{
    // Loading from the moment a navigation is asked for, not from when the
    // server first answers: a caller that navigates and then polls must never
    // see the previous page's "complete".
    update([](Snapshot &s) {
        s.readyState = ReadyState::Loading;
        s.busy = true;
    });
}

void ChromiumTab::documentFound(const QString &url)
{
    // A new tab's own empty page is no document of anyone's.
    if (url.isEmpty() || url == u"about:blank"_s)
        return;
    update([](Snapshot &s) {
        if (s.readyState == ReadyState::Uninitialized)
            s.readyState = ReadyState::Loading;
    });
}

void ChromiumTab::applyPageEvent(const QString &method, const QJsonObject &params, const QString &worldName)
{
    // What a closed tab's session still says, before it is forgotten,
    // must not make it look alive.
    if (snapshot().gone)
        return;
    const auto isMainFrame = [&](const QString &frameId) { return frameId == m_targetId; };
    if (method == u"Page.lifecycleEvent"_s) {
        if (!isMainFrame(params.value(u"frameId"_s).toString()))
            return;
        const QString name = params.value(u"name"_s).toString();
        if (name == u"init"_s || name == u"commit"_s)
            update([](Snapshot &s) { s.readyState = ReadyState::Loading; s.busy = true; s.crashed = false; });
        else if (name == u"DOMContentLoaded"_s)
            update([](Snapshot &s) { s.readyState = ReadyState::Interactive; });
        else if (name == u"load"_s)
            update([](Snapshot &s) { s.readyState = ReadyState::Complete; });
    } else if (method == u"Page.frameStartedLoading"_s) {
        if (isMainFrame(params.value(u"frameId"_s).toString()))
            update([](Snapshot &s) { s.readyState = ReadyState::Loading; s.busy = true; });
    } else if (method == u"Page.frameStoppedLoading"_s) {
        // Also the end of a load that was stopped half-way.
        if (isMainFrame(params.value(u"frameId"_s).toString()))
            update([](Snapshot &s) { s.readyState = ReadyState::Complete; s.busy = false; });
    } else if (method == u"Page.javascriptDialogOpening"_s) {
        update([&](Snapshot &s) {
            s.dialogOpen = true;
            s.dialogMessage = params.value(u"message"_s).toString();
        });
    } else if (method == u"Page.javascriptDialogClosed"_s) {
        update([](Snapshot &s) {
            s.dialogOpen = false;
            s.dialogMessage.clear();
        });
    } else if (method == u"Runtime.executionContextCreated"_s) {
        const QJsonObject context = params.value(u"context"_s).toObject();
        const QJsonObject aux = context.value(u"auxData"_s).toObject();
        if (context.value(u"name"_s).toString() == worldName && isMainFrame(aux.value(u"frameId"_s).toString())) {
            const QString uniqueId = context.value(u"uniqueId"_s).toString();
            update([&](Snapshot &s) { s.documentContext = uniqueId; });
        }
    } else if (method == u"Runtime.executionContextDestroyed"_s) {
        const QString uniqueId = params.value(u"executionContextUniqueId"_s).toString();
        update([&](Snapshot &s) {
            if (s.documentContext == uniqueId)
                s.documentContext.clear();
        });
    } else if (method == u"Runtime.executionContextsCleared"_s) {
        update([](Snapshot &s) { s.documentContext.clear(); });
    } else if (method == u"Inspector.targetCrashed"_s) {
        crashed();
    }
}

void ChromiumTab::crashed()
{
    update([](Snapshot &s) {
        s.crashed = true;
        s.dialogOpen = false;
        s.dialogMessage.clear();
    });
}

void ChromiumTab::gone()
{
    update([](Snapshot &s) { s.gone = true; });
}

ChromiumTab::Bars ChromiumTab::bars() const
{
    std::lock_guard lock(m_mutex);
    return m_bars;
}

void ChromiumTab::setBars(const Bars &bars)
{
    std::lock_guard lock(m_mutex);
    m_bars = bars;
}

} // namespace chromium
