#include "platform/chromium/ChromiumBulkRead.h"

#include "platform/automation/OperationBudget.h"
#include "platform/chromium/CdpConnection.h"
#include "platform/chromium/CdpError.h"
#include "platform/chromium/PositionRuns.h"

#include <array>

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;
using automation::MemberText;

namespace {

const QString kEvaluate = u"Runtime.evaluate"_s;

AutomationError garbled()
{
    return AutomationError::automationFailure(errorSource(), u"a garbled bulk read"_s);
}

// The numbers of a piece's head, "<a>.<b>.<c>"; none when one is no
// number or is negative.
std::optional<std::array<qsizetype, 3>> partNumbers(QStringView head)
{
    std::array<qsizetype, 3> numbers{};
    qsizetype at = 0;
    for (size_t i = 0; i < numbers.size(); ++i) {
        const qsizetype dot = i + 1 < numbers.size() ? head.indexOf(u'.', at) : head.size();
        if (dot < 0)
            return std::nullopt;
        bool isNumber = false;
        numbers[i] = head.mid(at, dot - at).toLongLong(&isNumber);
        if (!isNumber || numbers[i] < 0)
            return std::nullopt;
        at = dot + 1;
    }
    return numbers;
}

} // namespace

void decodeBulk(const QJsonObject &answer, qsizetype room, QList<MemberText> &texts, BulkRest &rest)
{
    const qsizetype base = texts.size();
    QStringList shortTexts; // in the order first sent, for "=<n>:"
    const QString pieces = answer.value(u"t"_s).toString();
    for (qsizetype at = 0; at < pieces.size();) {
        const qsizetype colon = pieces.indexOf(u':', at);
        if (colon < 0)
            throw garbled();
        const QChar kind = pieces[at];
        const QStringView head = QStringView(pieces).mid(at + 1, colon - at - 1);
        if (kind == u'=') {
            bool isNumber = false;
            const qsizetype repeat = head.toLongLong(&isNumber);
            if (!isNumber || repeat < 0 || repeat >= shortTexts.size())
                throw garbled();
            texts.append({shortTexts[repeat], 0});
            at = colon + 1;
        } else if (kind == u'^') {
            const auto numbers = partNumbers(head);
            if (!numbers || (*numbers)[0] >= texts.size() - base)
                throw garbled();
            rest.parts.append({texts.size(), base + (*numbers)[0], (*numbers)[1], (*numbers)[2]});
            texts.append(MemberText{});
            at = colon + 1;
        } else if (kind == u'!') {
            bool isNumber = head.isEmpty();
            const qint32 number = isNumber ? AutomationError::MemberNotFound : head.toInt(&isNumber);
            if (!isNumber || number == 0)
                throw garbled();
            texts.append({QString(), number});
            at = colon + 1;
        } else if (kind == u'~') {
            texts.append(MemberText{});
            at = colon + 1;
        } else if (kind == u'-') {
            bool isNumber = false;
            const qsizetype passed = head.toLongLong(&isNumber);
            if (!isNumber || passed <= 0 || passed > room - (texts.size() - base))
                throw garbled();
            texts.insert(texts.size(), passed, MemberText{QString(), 0, true});
            at = colon + 1;
        } else {
            bool isNumber = false;
            const qsizetype length = QStringView(pieces).mid(at, colon - at).toLongLong(&isNumber);
            if (!isNumber || length < 0 || length > pieces.size() - colon - 1)
                throw garbled();
            texts.append({pieces.mid(colon + 1, length), 0});
            if (length <= kHelperShortText)
                shortTexts.append(texts.back().text);
            at = colon + 1 + length;
        }
    }
    if (texts.size() - base > room)
        throw garbled();
    for (const QJsonValue &value : answer.value(u"x"_s).toArray()) {
        const QJsonArray entry = value.toArray();
        const qint64 index = entry.at(0).toInteger(-1);
        if (index < 0 || index >= texts.size() - base)
            continue;
        const qsizetype at = base + index;
        if (entry.size() <= 2) {
            texts[at] = {automation::automationText(entry.at(1).toVariant()), 0};
            continue;
        }
        const qint64 length = entry.at(3).toInteger(-1);
        if (length <= 0)
            throw garbled();
        rest.longTexts.append({at, entry.at(2), length});
    }
}

void resolveParts(QList<MemberText> &texts, const QList<BulkRest::Part> &parts)
{
    for (const BulkRest::Part &part : parts) {
        const MemberText &source = texts[part.source];
        if (source.errorNumber != 0)
            texts[part.entry] = {QString(), source.errorNumber};
        else if (part.offset > source.text.size() || part.length > source.text.size() - part.offset)
            texts[part.entry] = {QString(), AutomationError::AutomationFailure};
        else
            texts[part.entry] = {source.text.mid(part.offset, part.length), 0};
    }
}

namespace {

// [member, how, texts, longest, afterPassing], how being "in", "out" or "has".
QJsonArray testsOnTheWire(const QList<automation::TextTest> &tests)
{
    using Kind = automation::TextTest::Kind;
    QJsonArray wire;
    for (const automation::TextTest &test : tests) {
        const QString how = test.kind == Kind::Listed ? u"in"_s : test.kind == Kind::Unlisted ? u"out"_s : u"has"_s;
        wire.append(
            QJsonArray{test.member, how, QJsonArray::fromStringList(test.texts), test.longest, test.afterPassing});
    }
    return wire;
}

// Our helper's own failures come as {e, d}.
void throwHelperFailure(const QJsonObject &answer)
{
    if (answer.contains(u"e"_s))
        throw helperError(answer.value(u"e"_s).toInt(), answer.value(u"d"_s).toString());
}

} // namespace

std::shared_ptr<ChromiumBulkRead> ChromiumBulkRead::start(const ChromiumDocumentRef &document, const QString &kind,
                                                          const QStringList &members, const QList<qint32> &positions,
                                                          const QList<automation::TextTest> &tests)
{
    return started(document, std::shared_ptr<ChromiumBulkRead>(
                                 new ChromiumBulkRead(document, kind, members, positions, {}, testsOnTheWire(tests))));
}

std::shared_ptr<ChromiumBulkRead> ChromiumBulkRead::startIdentified(const ChromiumDocumentRef &document,
                                                                    const QStringList &members,
                                                                    const QStringList &uniqueIds)
{
    return started(document, std::shared_ptr<ChromiumBulkRead>(
                                 new ChromiumBulkRead(document, QString(), members, {}, uniqueIds, {})));
}

std::shared_ptr<ChromiumBulkRead> ChromiumBulkRead::started(const ChromiumDocumentRef &document,
                                                            std::shared_ptr<ChromiumBulkRead> read)
{
    std::lock_guard lock(read->m_mutex);
    if (read->m_wanted <= 0) {
        read->finish();
        return read;
    }
    try {
        read->m_channel = document.endpoint->helperChannel(*document.tab, document.context);
    } catch (const AutomationError &error) {
        read->finish(error);
        return read;
    }
    read->askBulk();
    return read;
}

ChromiumBulkRead::ChromiumBulkRead(const ChromiumDocumentRef &document, QString kind, QStringList members,
                                   QList<qint32> positions, QStringList uniqueIds, QJsonArray tests)
    : m_tab(document.tab)
    , m_context(document.context)
    , m_kind(std::move(kind))
    , m_members(std::move(members))
    , m_positions(std::move(positions))
    , m_uniqueIds(std::move(uniqueIds))
    , m_tests(std::move(tests))
    , m_wanted((m_positions.size() + m_uniqueIds.size()) * m_members.size())
{
    m_texts.reserve(m_wanted);
}

bool ChromiumBulkRead::deadlinePassed() const
{
    return std::chrono::steady_clock::now() >= m_sent + m_channel.timeout;
}

bool ChromiumBulkRead::ready(std::chrono::milliseconds patience)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, patience, [this] { return m_done; });
    return m_done || deadlinePassed();
}

QList<MemberText> ChromiumBulkRead::take()
{
    // An operation's budget ends the wait too, however many steps are left.
    const std::optional<QDeadlineTimer> budget = automation::OperationBudget::deadline(m_channel.timeout);
    std::unique_lock lock(m_mutex);
    while (!m_done) {
        auto until = m_sent + m_channel.timeout;
        if (budget)
            until = std::min(until, budget->deadline<std::chrono::steady_clock>());
        if (m_changed.wait_until(lock, until, [this] { return m_done; }))
            break;
        if (deadlinePassed() || (budget && budget->hasExpired()))
            failed(m_channel.connection->giveUp(m_commandId, kEvaluate, m_channel.sessionId, m_channel.timeout));
    }
    if (m_error)
        throw *m_error;
    return std::move(m_texts);
}

void ChromiumBulkRead::finish(std::optional<AutomationError> error)
{
    m_error = std::move(error);
    m_done = true;
    m_changed.notify_all();
}

void ChromiumBulkRead::failed(const AutomationError &error)
{
    if (!m_longUnderWay)
        return finish(error);
    keepLong({QString(), error.number()});
}

void ChromiumBulkRead::evaluate(const QJsonObject &params, Next next)
{
    const int step = ++m_step;
    const std::weak_ptr<ChromiumBulkRead> weak = weak_from_this();
    const auto current = [step](const ChromiumBulkRead &self) { return !self.m_done && self.m_step == step; };
    try {
        helper::checkUsable(m_tab->snapshot(), m_context);
        if (const std::optional<AutomationError> refused = m_channel.connection->refusal(kEvaluate, m_channel.sessionId))
            throw *refused;
        m_sent = std::chrono::steady_clock::now();
        m_commandId = m_channel.connection->post(
            kEvaluate, params, m_channel.sessionId,
            [weak, current, next = std::move(next)](const QJsonObject &reply) {
                const auto self = weak.lock();
                if (!self)
                    return;
                std::lock_guard lock(self->m_mutex);
                if (!current(*self))
                    return;
                try {
                    next(helper::evaluationValue(reply));
                } catch (const AutomationError &error) {
                    self->failed(error);
                }
            },
            [weak, current](const CdpError &error) {
                const auto self = weak.lock();
                if (!self)
                    return;
                std::lock_guard lock(self->m_mutex);
                if (current(*self))
                    self->failed(error);
            });
    } catch (const AutomationError &error) {
        failed(error);
    }
}

void ChromiumBulkRead::callHelper(const QString &op, const QJsonArray &args, Next next)
{
    const QJsonObject params = helper::evaluateParams(m_context, op, args, false);
    evaluate(params, [this, params, next](const QJsonValue &answer) {
        if (!helper::helperMissing(answer))
            return next(answer);
        // A document whose world was made before our script was registered.
        evaluate(helper::installParams(m_context), [this, params, next](const QJsonValue &) { evaluate(params, next); });
    });
}

void ChromiumBulkRead::askBulk()
{
    const qsizetype done = m_texts.size() / m_members.size();
    const Next take = [this](const QJsonValue &answer) { takeBulk(answer); };
    if (!m_uniqueIds.isEmpty())
        return callHelper(u"readIdentified"_s,
                          {QJsonArray::fromStringList(m_members), QJsonArray::fromStringList(m_uniqueIds.mid(done))}, take);
    callHelper(u"readMany"_s,
               {m_kind, QJsonArray::fromStringList(m_members), positionRuns(m_positions.mid(done)), m_tests}, take);
}

void ChromiumBulkRead::takeBulk(const QJsonValue &answer)
{
    throwHelperFailure(answer.toObject());
    const qsizetype before = m_texts.size();
    decodeBulk(answer.toObject(), m_wanted - before, m_texts, m_rest);
    if (m_texts.size() == before)
        throw AutomationError::automationFailure(errorSource(), u"a bulk read gave nothing"_s);
    // An answer stops early only at the end of an element.
    if (m_texts.size() % m_members.size() != 0)
        throw garbled();
    askLong();
}

void ChromiumBulkRead::askLong()
{
    // This answer's long texts first: the page keeps only a few.
    if (m_longAt >= m_rest.longTexts.size()) {
        m_longUnderWay = false;
        if (m_texts.size() < m_wanted)
            return askBulk();
        resolveParts(m_texts, m_rest.parts);
        return finish();
    }
    m_longUnderWay = true;
    const BulkRest::LongText &wanted = m_rest.longTexts[m_longAt];
    if (m_longText.size() >= wanted.length)
        return keepLong({std::exchange(m_longText, QString()), 0});
    callHelper(u"chunk"_s, {wanted.token, m_longText.size()}, [this](const QJsonValue &piece) {
        appendLongTextPiece(m_longText, piece);
        askLong();
    });
}

void ChromiumBulkRead::keepLong(const MemberText &entry)
{
    m_texts[m_rest.longTexts[m_longAt].entry] = entry;
    m_longText.clear();
    ++m_longAt;
    askLong();
}

} // namespace chromium
