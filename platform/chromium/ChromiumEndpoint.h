#pragma once

#include "platform/chromium/CdpConnection.h"
#include "platform/chromium/ChromiumOptions.h"
#include "platform/chromium/ChromiumTab.h"
#include "platform/chromium/DevToolsEndpoint.h"

#include <QHash>
#include <QJsonArray>
#include <QList>
#include <QSet>

#include <atomic>
#include <memory>
#include <optional>

namespace chromium {

using TabPtr = std::shared_ptr<ChromiumTab>;

// One Chromium: its socket, its page tabs in a stable order, and every call
// that the automation objects make into it.
class ChromiumEndpoint
{
public:
    ChromiumEndpoint(DevToolsEndpoint endpoint, ChromiumOptions options);
    ~ChromiumEndpoint();
    ChromiumEndpoint(const ChromiumEndpoint &) = delete;
    ChromiumEndpoint &operator=(const ChromiumEndpoint &) = delete;

    const DevToolsEndpoint &endpoint() const { return m_endpoint; }
    const ChromiumOptions &options() const { return m_options; }

    // The page tabs, oldest first. Throws ServerUnavailable when the browser
    // does not answer.
    QList<TabPtr> tabs();

    struct TargetInfo
    {
        QString url;
        QString title;
    };
    // From a fresh tab list; throws ServerUnavailable for a tab that has gone.
    TargetInfo info(ChromiumTab &tab);

    TabPtr createTab(const QString &url);
    void closeTab(ChromiumTab &tab);

    // Browser-level calls answer even while a page is stuck.
    QJsonObject browserCall(const QString &method, const QJsonObject &params = {});
    QJsonObject sessionCall(ChromiumTab &tab, const QString &method, const QJsonObject &params = {});

    // Starts a navigation without waiting for the server: callers follow the
    // load through the ready state, and a slow server must not look like a
    // hung tab.
    void navigate(ChromiumTab &tab, const QString &url);

    ChromiumTab::Snapshot settledTab(ChromiumTab &tab);
    // The current document's world, waiting briefly for a navigation to commit.
    QString documentContext(ChromiumTab &tab);
    // Calls our page helper (op with args) in that document. A document that
    // is no longer the tab's is PermissionDenied.
    QJsonValue callHelper(ChromiumTab &tab, const QString &context, const QString &op, const QJsonArray &args,
                          bool userGesture = false);

    // What a helper call posted without waiting needs: the socket and the
    // tab's session, after the checks a waited call makes first.
    struct HelperChannel
    {
        CdpConnection *connection = nullptr;
        QString sessionId;
        std::chrono::milliseconds timeout{};
    };
    HelperChannel helperChannel(ChromiumTab &tab, const QString &context);

private:
    // The deadline of a wait on the caller's thread: the call deadline, or
    // what is left of the operation's budget. Throws when nothing is left.
    std::chrono::milliseconds waitLimit(const QString &what) const;
    void ensureConnected();
    void refreshList();
    void startSetup(const TabPtr &tab);
    // Makes our world in the tab's documents, the first time it is asked.
    void requestWorld(ChromiumTab &tab, const QString &sessionId);
    void onEvent(const QString &method, const QJsonObject &params, const QString &sessionId);
    void forgetTabs(const QList<TabPtr> &gone);
    // On the socket's thread when the browser's socket has closed: no event
    // will tell of these tabs again, so waits on them end now.
    void browserGone();
    TabPtr tabBySession(const QString &sessionId) const;
    TabPtr tabByTarget(const QString &targetId) const;
    ChromiumTab::Snapshot usableTab(ChromiumTab &tab);
    // The tab's state once pred holds, the tab has gone or the deadline has
    // passed. A socket that closes meanwhile ends the wait with
    // ServerUnavailable.
    template<typename Pred>
    ChromiumTab::Snapshot waitForTab(ChromiumTab &tab, const QString &what, Pred pred);
    QJsonValue evaluate(ChromiumTab &tab, const QString &context, const QJsonObject &params);

    const DevToolsEndpoint m_endpoint;
    const ChromiumOptions m_options;
    std::unique_ptr<CdpConnection> m_connection;
    QString m_browserId; // the browser socket's path: one per browser launch

    mutable std::mutex m_mutex;
    QList<TabPtr> m_tabs; // in handle order
    QHash<QString, TabPtr> m_bySession;
    QHash<QString, TargetInfo> m_list;
    // Tabs we closed that Chromium still lists while they close.
    QSet<QString> m_closing;
    std::chrono::steady_clock::time_point m_listTaken;
    std::atomic<bool> m_listDirty{true};
};

// Our helper's source, and the name of the isolated world it lives in.
const QString &pageHelperSource();
const QString &pageHelperWorld();

// The pieces of a helper call that waited and posted calls share.
namespace helper {
void checkNoDialog(const ChromiumTab::Snapshot &state);
// Throws what a call into that document meets in this tab state: the tab
// closed or crashed, a dialog open, or the document gone (PermissionDenied).
void checkUsable(const ChromiumTab::Snapshot &state, const QString &context);
// The Runtime.evaluate parameters of op(args) in that document's world.
QJsonObject evaluateParams(const QString &context, const QString &op, const QJsonArray &args, bool userGesture);
// The same for our helper's own source, for a world made before it was registered.
QJsonObject installParams(const QString &context);
// True for an answer from a world that lacks our helper.
bool helperMissing(const QJsonValue &answer);
// The value of an evaluation's reply, or the exception the page threw.
QJsonValue evaluationValue(const QJsonObject &reply);
CdpError tabGone();
} // namespace helper

// Texts up to this long are sent once per bulk answer of the helper; a later
// copy comes as the number of the first. The helper's source gets it from here.
inline constexpr qsizetype kHelperShortText = 64;

} // namespace chromium
