#include "platform/chromium/ChromiumEndpoint.h"

#include "platform/automation/OperationBudget.h"
#include "platform/chromium/CdpError.h"
#include "platform/chromium/UnansweringEndpoints.h"
#include "platform/chromium/WindowHandles.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QJsonDocument>

#include <algorithm>

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

using helper::tabGone;

} // namespace

namespace helper {

CdpError tabGone()
{
    return {CdpError::Kind::TabClosed, u"the tab has closed"_s};
}

void checkNoDialog(const ChromiumTab::Snapshot &state)
{
    // An open dialog blocks the page; it is the user's, so we fail rather than wait.
    if (state.dialogOpen)
        throw CdpError(CdpError::Kind::DialogOpen, u"a dialog is open in the page"_s);
}

void checkUsable(const ChromiumTab::Snapshot &state, const QString &context)
{
    if (state.gone)
        throw tabGone();
    if (state.crashed)
        throw CdpError(CdpError::Kind::TabCrashed, u"the tab has crashed"_s);
    checkNoDialog(state);
    if (state.documentContext != context)
        throw AutomationError::permissionDenied(errorSource());
}

namespace {

QJsonObject evaluation(const QString &context, const QString &expression, bool userGesture)
{
    return {{u"expression"_s, expression},
            {u"uniqueContextId"_s, context},
            {u"returnByValue"_s, true},
            {u"silent"_s, true},
            {u"userGesture"_s, userGesture}};
}

} // namespace

QJsonObject evaluateParams(const QString &context, const QString &op, const QJsonArray &args, bool userGesture)
{
    QByteArray argText = QJsonDocument(args).toJson(QJsonDocument::Compact);
    argText = argText.mid(1, argText.size() - 2); // the array's brackets
    return evaluation(context, u"globalThis.__vorlane ? __vorlane."_s + op + u'(' + QString::fromUtf8(argText) + u") : 0"_s,
                      userGesture);
}

QJsonObject installParams(const QString &context)
{
    return evaluation(context, pageHelperSource(), false);
}

bool helperMissing(const QJsonValue &answer)
{
    return answer.isDouble() && answer.toDouble() == 0;
}

QJsonValue evaluationValue(const QJsonObject &reply)
{
    const QJsonObject exception = reply.value(u"exceptionDetails"_s).toObject();
    if (!exception.isEmpty()) {
        const QString text = exception.value(u"exception"_s).toObject().value(u"description"_s).toString();
        throw CdpError(CdpError::Kind::ScriptThrew, text.isEmpty() ? exception.value(u"text"_s).toString() : text);
    }
    return reply.value(u"result"_s).toObject().value(u"value"_s);
}

} // namespace helper

const QString &pageHelperWorld()
{
    // A page keeps its worlds, and the helper in one, for as long as its
    // document lives: a tab read by another version of Vorlane must not
    // give us that version's helper, whose answers read otherwise.
    static const QString world =
        u"vorlane-"_s
        + QString::fromLatin1(
            QCryptographicHash::hash(pageHelperSource().toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    return world;
}

ChromiumEndpoint::ChromiumEndpoint(DevToolsEndpoint endpoint, ChromiumOptions options)
    : m_endpoint(std::move(endpoint))
    , m_options(std::move(options))
{
}

ChromiumEndpoint::~ChromiumEndpoint()
{
    // Joins the socket's thread: no event reaches this object afterwards.
    m_connection.reset();
}

void ChromiumEndpoint::ensureConnected()
{
    if (m_connection && m_connection->isOpen())
        return;
    if (m_connection) {
        m_connection.reset();
        std::lock_guard lock(m_mutex);
        for (const TabPtr &tab : std::as_const(m_tabs))
            tab->gone();
        m_tabs.clear();
        m_bySession.clear();
        m_list.clear();
    }
    UnansweringEndpoints &unanswering = UnansweringEndpoints::instance();
    if (unanswering.contains(m_endpoint, m_options.callTimeout))
        throw CdpError(CdpError::Kind::DeadlinePassed, u"the browser at "_s + m_endpoint.display()
                                                           + u" is not answering"_s);
    const QDeadlineTimer attempt(waitLimit(u"connecting"_s));
    try {
        const QUrl url = browserSocketUrl(m_endpoint, waitLimit(u"connecting"_s));
        m_browserId = url.path();
        auto connection = std::make_unique<CdpConnection>(
            m_endpoint.display(),
            [this](const QString &method, const QJsonObject &params, const QString &sessionId) {
                onEvent(method, params, sessionId);
            },
            m_options.transport, [this] { browserGone(); });
        connection->open(url, waitLimit(u"connecting"_s));
        m_connection = std::move(connection);
    } catch (const AutomationError &) {
        // A refused connection fails at once; one that took the whole
        // deadline is not to be waited on again until the browser answers.
        if (attempt.hasExpired())
            unanswering.add(m_endpoint);
        throw;
    }
    m_listDirty = true;
    m_connection->call(u"Target.setDiscoverTargets"_s, {{u"discover"_s, true}}, {}, waitLimit(u"Target.setDiscoverTargets"_s));
}

void ChromiumEndpoint::refreshList()
{
    ensureConnected();
    {
        std::lock_guard lock(m_mutex);
        if (!m_listDirty && std::chrono::steady_clock::now() - m_listTaken < m_options.listMaxAge)
            return;
    }
    // Cleared before the call: an event that arrives during it makes the next
    // read ask again.
    m_listDirty = false;
    const QJsonObject reply = m_connection->call(u"Target.getTargets"_s, {}, {}, waitLimit(u"Target.getTargets"_s));

    QHash<QString, TargetInfo> list;
    QStringList order;
    QSet<QString> listed;
    for (const QJsonValue &value : reply.value(u"targetInfos"_s).toArray())
        listed.insert(value.toObject().value(u"targetId"_s).toString());
    for (const QJsonValue &value : reply.value(u"targetInfos"_s).toArray()) {
        const QJsonObject target = value.toObject();
        const QString id = target.value(u"targetId"_s).toString();
        if (target.value(u"type"_s).toString() != u"page"_s || m_closing.contains(id))
            continue;
        list.insert(id, {target.value(u"url"_s).toString(), target.value(u"title"_s).toString()});
        order.append(id);
    }

    QStringList fresh;
    QList<TabPtr> removed;
    {
        std::lock_guard lock(m_mutex);
        QSet<QString> known;
        for (const TabPtr &tab : std::as_const(m_tabs)) {
            known.insert(tab->targetId());
            if (!list.contains(tab->targetId()))
                removed.append(tab);
        }
        for (const QString &id : std::as_const(order)) {
            if (!known.contains(id))
                fresh.append(id);
        }
    }
    // A tab keeps the place it was first seen at; tabs seen together go in
    // handle order, which is the order any Vorlane process first saw them in.
    QList<TabPtr> added;
    const QList<qint32> handles = WindowHandles::handlesFor(m_browserId, fresh);
    for (qsizetype i = 0; i < fresh.size(); ++i)
        added.append(std::make_shared<ChromiumTab>(fresh[i], handles[i]));
    std::sort(added.begin(), added.end(), [](const TabPtr &a, const TabPtr &b) { return a->handle() < b->handle(); });
    {
        std::lock_guard lock(m_mutex);
        if (!added.isEmpty()) // an empty append would still unshare the list that readers hold
            m_tabs.append(added);
        m_closing.intersect(listed);
        m_list = std::move(list);
        m_listTaken = std::chrono::steady_clock::now();
    }
    forgetTabs(removed);
    for (const TabPtr &tab : std::as_const(added))
        startSetup(tab);
}

QList<TabPtr> ChromiumEndpoint::tabs()
{
    refreshList();
    std::lock_guard lock(m_mutex);
    return m_tabs;
}

ChromiumEndpoint::TargetInfo ChromiumEndpoint::info(ChromiumTab &tab)
{
    refreshList();
    std::lock_guard lock(m_mutex);
    const auto it = m_list.constFind(tab.targetId());
    if (it == m_list.cend() || tab.snapshot().gone)
        throw tabGone();
    return *it;
}

void ChromiumEndpoint::browserGone()
{
    QList<TabPtr> tabs;
    {
        std::lock_guard lock(m_mutex);
        tabs = m_tabs;
    }
    for (const TabPtr &tab : std::as_const(tabs))
        tab->gone();
}

void ChromiumEndpoint::forgetTabs(const QList<TabPtr> &gone)
{
    if (gone.isEmpty())
        return;
    QStringList sessions;
    QSet<const ChromiumTab *> forgotten;
    for (const TabPtr &tab : gone) {
        sessions.append(tab->snapshot().sessionId);
        tab->gone();
        forgotten.insert(tab.get());
    }
    {
        // In one sweep: thousands of tabs that go at once must not cost
        // thousands of sweeps.
        std::lock_guard lock(m_mutex);
        m_tabs.removeIf([&](const TabPtr &tab) { return forgotten.contains(tab.get()); });
        for (const QString &sessionId : std::as_const(sessions))
            m_bySession.remove(sessionId);
    }
    for (const QString &sessionId : std::as_const(sessions)) {
        if (!sessionId.isEmpty() && m_connection)
            m_connection->sessionClosed(sessionId);
    }
}

TabPtr ChromiumEndpoint::tabBySession(const QString &sessionId) const
{
    std::lock_guard lock(m_mutex);
    return m_bySession.value(sessionId);
}

TabPtr ChromiumEndpoint::tabByTarget(const QString &targetId) const
{
    std::lock_guard lock(m_mutex);
    const auto it = std::find_if(m_tabs.cbegin(), m_tabs.cend(),
                                 [&](const TabPtr &tab) { return tab->targetId() == targetId; });
    return it == m_tabs.cend() ? nullptr : *it;
}

// Attaching a tab and enabling its page events is done once, without
// waiting, as soon as the tab is seen; those events keep the tab's state
// current from then on. Our world in its document costs a script context
// per tab, so it is made only when a document is first asked for.
void ChromiumEndpoint::startSetup(const TabPtr &tab)
{
    CdpConnection *connection = m_connection.get();
    const auto fail = [tab](const AutomationError &error) {
        // A set-up cut short by a closed tab or socket leaves a tab that has gone.
        if (error.number() == AutomationError::ServerUnavailable)
            tab->gone();
        else
            tab->setupFinished(ChromiumTab::Setup::Failed, error);
    };
    connection->post(
        u"Target.attachToTarget"_s, {{u"targetId"_s, tab->targetId()}, {u"flatten"_s, true}}, {},
        [this, connection, tab, fail](const QJsonObject &result) {
            const QString session = result.value(u"sessionId"_s).toString();
            {
                std::lock_guard lock(m_mutex);
                m_bySession.insert(session, tab);
            }
            tab->attached(session);
            try {
                connection->post(u"Page.enable"_s, {}, session, [](const QJsonObject &) {});
                // Chromium tells the document's lifecycle so far before it
                // answers, and answers in order: with the frame tree's answer
                // the ready state is known, also that of a document still
                // arriving, which has reached no milestone to tell again.
                connection->post(u"Page.setLifecycleEventsEnabled"_s, {{u"enabled"_s, true}}, session,
                                 [](const QJsonObject &) {}, fail);
                connection->post(
                    u"Page.getFrameTree"_s, {}, session,
                    [tab](const QJsonObject &tree) {
                        tab->documentFound(
                            tree.value(u"frameTree"_s).toObject().value(u"frame"_s).toObject().value(u"url"_s).toString());
                        tab->setupFinished(ChromiumTab::Setup::Ready);
                    },
                    fail);
            } catch (const AutomationError &e) {
                fail(e);
            }
        },
        fail);
}

void ChromiumEndpoint::requestWorld(ChromiumTab &tab, const QString &sessionId)
{
    if (!tab.takeWorldRequest())
        return;
    const auto ignore = [](const QJsonObject &) {};
    // In this order: the world's context is told once the runtime's events are on.
    m_connection->post(u"Runtime.enable"_s, {}, sessionId, ignore);
    m_connection->post(u"Page.addScriptToEvaluateOnNewDocument"_s,
                       {{u"source"_s, pageHelperSource()}, {u"worldName"_s, pageHelperWorld()}}, sessionId, ignore);
    m_connection->post(u"Page.createIsolatedWorld"_s,
                       {{u"frameId"_s, tab.targetId()}, {u"worldName"_s, pageHelperWorld()}}, sessionId, ignore);
}

void ChromiumEndpoint::onEvent(const QString &method, const QJsonObject &params, const QString &sessionId)
{
    if (!sessionId.isEmpty()) {
        if (const TabPtr tab = tabBySession(sessionId))
            tab->applyPageEvent(method, params, pageHelperWorld());
        // Our script that is running stays paused inside the dialog until the
        // user answers it: what it did so far has been done, and waiting on
        // would only run out its deadline.
        if (method == u"Page.javascriptDialogOpening"_s)
            m_connection->interruptScripts(sessionId, CdpError(CdpError::Kind::DialogOpened,
                                                                u"the page opened a dialog: "_s
                                                                    + params.value(u"message"_s).toString()));
        return;
    }
    if (!method.startsWith(u"Target."_s))
        return;
    m_listDirty = true;
    const QString targetId = params.value(u"targetId"_s).toString();
    if (method == u"Target.targetDestroyed"_s || method == u"Target.detachedFromTarget"_s) {
        if (const TabPtr tab = tabByTarget(targetId))
            tab->gone();
    } else if (method == u"Target.targetCrashed"_s) {
        if (const TabPtr tab = tabByTarget(targetId))
            tab->crashed();
    }
}

std::chrono::milliseconds ChromiumEndpoint::waitLimit(const QString &what) const
{
    const std::chrono::milliseconds limit = automation::OperationBudget::limit(m_options.callTimeout);
    if (limit <= std::chrono::milliseconds::zero())
        throw CdpError(CdpError::Kind::DeadlinePassed, what + u": the operation ran out of time"_s);
    return limit;
}

QJsonObject ChromiumEndpoint::browserCall(const QString &method, const QJsonObject &params)
{
    ensureConnected();
    return m_connection->call(method, params, {}, waitLimit(method));
}

QJsonObject ChromiumEndpoint::sessionCall(ChromiumTab &tab, const QString &method, const QJsonObject &params)
{
    const ChromiumTab::Snapshot state = settledTab(tab);
    return m_connection->call(method, params, state.sessionId, waitLimit(method));
}

void ChromiumEndpoint::navigate(ChromiumTab &tab, const QString &url)
{
    const ChromiumTab::Snapshot state = settledTab(tab);
    tab.navigationRequested();
    m_connection->post(u"Page.navigate"_s, {{u"url"_s, url}}, state.sessionId, [](const QJsonObject &) {});
}

template<typename Pred>
ChromiumTab::Snapshot ChromiumEndpoint::waitForTab(ChromiumTab &tab, const QString &what, Pred pred)
{
    const ChromiumTab::Snapshot state = tab.waitFor(waitLimit(what), [&](const ChromiumTab::Snapshot &s) {
        return pred(s) || s.gone;
    });
    if (state.gone && !m_connection->isOpen())
        throw CdpError(CdpError::Kind::BrowserUnreachable,
                       what + u": the browser at "_s + m_endpoint.display() + u" has gone"_s);
    return state;
}

ChromiumTab::Snapshot ChromiumEndpoint::settledTab(ChromiumTab &tab)
{
    ensureConnected();
    ChromiumTab::Snapshot state = tab.snapshot();
    if (state.gone)
        throw tabGone();
    if (state.setup == ChromiumTab::Setup::Pending) {
        if (state.setupStalled)
            throw CdpError(CdpError::Kind::DeadlinePassed, u"the tab is not answering"_s);
        state = waitForTab(tab, u"setting up the tab"_s, [](const ChromiumTab::Snapshot &s) {
            return s.setup != ChromiumTab::Setup::Pending || s.gone;
        });
        if (state.gone)
            throw tabGone();
        if (state.setup == ChromiumTab::Setup::Pending) {
            tab.setupStalled();
            throw CdpError(CdpError::Kind::DeadlinePassed, u"the tab did not answer within "_s
                                                                  + QString::number(m_options.callTimeout.count())
                                                                  + u" ms"_s);
        }
    }
    if (state.setup == ChromiumTab::Setup::Failed)
        throw *state.setupError;
    if (state.crashed)
        throw CdpError(CdpError::Kind::TabCrashed, u"the tab has crashed"_s);
    return state;
}

ChromiumTab::Snapshot ChromiumEndpoint::usableTab(ChromiumTab &tab)
{
    ChromiumTab::Snapshot state = settledTab(tab);
    helper::checkNoDialog(state);
    return state;
}

ChromiumEndpoint::HelperChannel ChromiumEndpoint::helperChannel(ChromiumTab &tab, const QString &context)
{
    const ChromiumTab::Snapshot state = settledTab(tab);
    helper::checkUsable(state, context);
    return {m_connection.get(), state.sessionId, m_options.callTimeout};
}

QString ChromiumEndpoint::documentContext(ChromiumTab &tab)
{
    ChromiumTab::Snapshot state = usableTab(tab);
    if (state.documentContext.isEmpty()) {
        requestWorld(tab, state.sessionId);
        state = waitForTab(tab, u"waiting for the document"_s, [](const ChromiumTab::Snapshot &s) {
            return !s.documentContext.isEmpty() || s.gone || s.crashed;
        });
        if (state.gone || state.crashed)
            throw tabGone();
        if (state.documentContext.isEmpty())
            throw CdpError(CdpError::Kind::DeadlinePassed, u"the page has no document yet"_s);
    }
    return state.documentContext;
}

QJsonValue ChromiumEndpoint::evaluate(ChromiumTab &tab, const QString &context, const QJsonObject &params)
{
    const HelperChannel channel = helperChannel(tab, context);
    return helper::evaluationValue(
        m_connection->call(u"Runtime.evaluate"_s, params, channel.sessionId, waitLimit(u"Runtime.evaluate"_s)));
}

QJsonValue ChromiumEndpoint::callHelper(ChromiumTab &tab, const QString &context, const QString &op,
                                        const QJsonArray &args, bool userGesture)
{
    const QJsonObject params = helper::evaluateParams(context, op, args, userGesture);
    QJsonValue answer = evaluate(tab, context, params);
    if (helper::helperMissing(answer)) {
        // A document whose world was made before our script was registered.
        evaluate(tab, context, helper::installParams(context));
        answer = evaluate(tab, context, params);
    }
    return answer;
}

TabPtr ChromiumEndpoint::createTab(const QString &url)
{
    const QString targetId = browserCall(u"Target.createTarget"_s, {{u"url"_s, url}}).value(u"targetId"_s).toString();
    m_listDirty = true;
    refreshList();
    if (TabPtr tab = tabByTarget(targetId))
        return tab;
    throw tabGone();
}

void ChromiumEndpoint::closeTab(ChromiumTab &tab)
{
    try {
        browserCall(u"Target.closeTarget"_s, {{u"targetId"_s, tab.targetId()}});
    } catch (const CdpError &e) {
        // Closed already, by someone else or a moment ago.
        if (e.kind() != CdpError::Kind::TabClosed)
            throw;
        m_listDirty = true;
        throw tabGone();
    }
    // Closing goes on in Chromium after the answer; to us the tab is gone now.
    {
        std::lock_guard lock(m_mutex);
        m_closing.insert(tab.targetId());
        m_list.remove(tab.targetId());
    }
    const TabPtr closed = tabByTarget(tab.targetId());
    if (closed)
        forgetTabs({closed});
    else
        tab.gone();
}

} // namespace chromium
