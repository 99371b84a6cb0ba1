#pragma once

#include "platform/automation/Automation.h"
#include "platform/chromium/ChromiumDocumentRef.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

namespace chromium {

// What a bulk answer leaves to do once its entries are in.
struct BulkRest
{
    // A text too long for a bulk answer, kept in the page under a token.
    struct LongText
    {
        qsizetype entry = 0;
        QJsonValue token;
        qsizetype length = 0;
    };
    // An entry whose text is a part of an earlier entry's.
    struct Part
    {
        qsizetype entry = 0;
        qsizetype source = 0;
        qsizetype offset = 0;
        qsizetype length = 0;
    };
    QList<LongText> longTexts;
    QList<Part> parts;
};

// Appends the entries of one bulk answer of the page helper to texts, at
// most room of them, and what they leave to do to rest. One piece per entry
// in its "t": "<length>:<text>", "=<n>:" for the n-th short text sent again,
// "^<entry>.<offset>.<length>:" for a part of an earlier entry of the
// answer, "!:" for a missing member, "!<error number>:", or "~:" for an entry
// that its "x" gives; "-<n>:" stands for n entries passed over. Throws an
// AutomationError on a garbled answer.
void decodeBulk(const QJsonObject &answer, qsizetype room, QList<automation::MemberText> &texts, BulkRest &rest);

// Fills in the parts once the entries they come from are in, in order, so
// that a part of a part is whole: a part of a failed entry fails alike, and
// one outside its entry's text fails as a garbled read.
void resolveParts(QList<automation::MemberText> &texts, const QList<BulkRest::Part> &parts);

// One bulk read of a collection, made of helper calls posted one after
// another from the socket's thread: an answer, each of its texts too long
// for it piece by piece, the rest of an answer that stopped early likewise,
// and last the parts of earlier texts are filled in. The caller goes on
// meanwhile; take() waits, within the deadline of the call under way. A long
// text that fails is that entry's failure, and its parts'; any other failure
// fails the read. The calls hold the read weakly: one that its caller
// dropped goes no further.
class ChromiumBulkRead final : public automation::PendingRead,
                               public std::enable_shared_from_this<ChromiumBulkRead>
{
public:
    // Passes over the elements that fail the tests, where there are any.
    static std::shared_ptr<ChromiumBulkRead> start(const ChromiumDocumentRef &document, const QString &kind,
                                                   const QStringList &members, const QList<qint32> &positions,
                                                   const QList<automation::TextTest> &tests = {});
    // The elements that the uniqueIDs name, wherever they stand now.
    static std::shared_ptr<ChromiumBulkRead> startIdentified(const ChromiumDocumentRef &document,
                                                             const QStringList &members, const QStringList &uniqueIds);

    bool ready(std::chrono::milliseconds patience) override;
    QList<automation::MemberText> take() override;

private:
    using Next = std::function<void(const QJsonValue &answer)>;

    // The elements read are the collection's at positions, or else those
    // that uniqueIds name.
    ChromiumBulkRead(const ChromiumDocumentRef &document, QString kind, QStringList members,
                     QList<qint32> positions, QStringList uniqueIds, QJsonArray tests);
    static std::shared_ptr<ChromiumBulkRead> started(const ChromiumDocumentRef &document,
                                                     std::shared_ptr<ChromiumBulkRead> read);

    // Every step below runs with m_mutex held.
    // Posts one evaluation; its value goes to next, a failure to failed().
    void evaluate(const QJsonObject &params, Next next);
    // Our helper's op(args), installing the helper first where it is missing.
    void callHelper(const QString &op, const QJsonArray &args, Next next);
    void askBulk();
    void takeBulk(const QJsonValue &answer);
    void askLong();
    // The long text under way is that entry; on to the next.
    void keepLong(const automation::MemberText &entry);
    // Fails the long text under way when there is one, else the read.
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
    const QStringList m_uniqueIds;
    const QJsonArray m_tests; // as the helper takes them
    const qsizetype m_wanted;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    ChromiumEndpoint::HelperChannel m_channel;
    int m_step = 0;        // counts the calls sent; an answer to an older one is dropped
    int m_commandId = 0;   // of the call under way
    std::chrono::steady_clock::time_point m_sent;
    bool m_done = false;
    bool m_longUnderWay = false; // a failure is then that text's alone
    std::optional<automation::AutomationError> m_error;
    QList<automation::MemberText> m_texts;
    BulkRest m_rest;
    qsizetype m_longAt = 0; // the long text being fetched
    QString m_longText;
};

} // namespace chromium
