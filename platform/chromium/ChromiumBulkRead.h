#pragma once

#include "platform/automation/Automation.h"
#include "platform/chromium/ChromiumDocumentRef.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

namespace chromium {

// Appends the entries of one bulk answer of the page helper to texts and
// notes, by entry, the texts that come on their own. One piece per entry in
// its "t": "<length>:<text>", "=<n>:" for the n-th short text sent again,
// "!:" for a missing member, "!<error number>:", or "~:" for an entry that
// its "x" gives. Throws an AutomationError on a garbled answer.
void decodeBulk(const QJsonObject &answer, QList<automation::MemberText> &texts, QList<qsizetype> &longEntries);

// One bulk read of a collection, made of helper calls posted one after
// another from the socket's thread: the first answer, the rest of an answer
// that stopped early, then each text too long for a bulk answer, piece by
// piece. The caller goes on meanwhile; take() waits, within the deadline of
// the call under way. A failure before the bulk entries are in fails the
// read; a long text that fails is that entry's failure. The calls hold the
// read weakly: one that its caller dropped goes no further.
class ChromiumBulkRead final : public automation::PendingRead,
                               public std::enable_shared_from_this<ChromiumBulkRead>
{
public:
    static std::shared_ptr<ChromiumBulkRead> start(const ChromiumDocumentRef &document, const QString &kind,
                                                   const QStringList &members, const QList<qint32> &positions);

    bool ready(std::chrono::milliseconds patience) override;
    QList<automation::MemberText> take() override;

private:
    using Next = std::function<void(const QJsonValue &answer)>;

    ChromiumBulkRead(const ChromiumDocumentRef &document, QString kind, QStringList members,
                     QList<qint32> positions);

    // Every step below runs with m_mutex held.
    // Posts one evaluation; its value goes to next, a failure to failed().
    void evaluate(const QJsonObject &params, Next next);
    // Our helper's op(args), installing the helper first where it is missing.
    void callHelper(const QString &op, const QJsonArray &args, Next next);
    void askBulk();
    void takeBulk(const QJsonValue &answer);
    void askLong();
    void takeLong(const QJsonValue &answer);
    void askPiece();
    // The long text under way is that entry; on to the next.
    void keepLong(const automation::MemberText &entry);
    // Fails the read while its bulk entries are not all in, else the long text under way.
    void failed(const automation::AutomationError &error);
    void finish(std::optional<automation::AutomationError> error = std::nullopt);
    bool deadlinePassed() const;

    // No hold on the endpoint: a socket that closes fails this read's call
    // under way, so the socket in m_channel is alive for as long as the read
    // waits on it.
    const TabPtr m_tab;
    const QString m_context;
    const QString m_kind;
    const QStringList m_members;
    const QList<qint32> m_positions;
    const qsizetype m_wanted;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    ChromiumEndpoint::HelperChannel m_channel;
    int m_step = 0;        // counts the calls sent; an answer to an older one is dropped
    int m_commandId = 0;   // of the call under way
    std::chrono::steady_clock::time_point m_sent;
    bool m_done = false;
    bool m_bulkDone = false;
    std::optional<automation::AutomationError> m_error;
    QList<automation::MemberText> m_texts;
    QList<qsizetype> m_long;   // entries whose texts come on their own
    qsizetype m_longAt = 0;    // the one being fetched
    QString m_longText;
    qsizetype m_longSize = 0;
    QJsonValue m_longToken;   // names the long text in the page's keeping
};

} // namespace chromium
