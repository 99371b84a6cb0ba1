#include "tests/fuzz/FuzzTargets.h"

#include "platform/automation/AutomationError.h"
#include "platform/chromium/ChromiumBulkRead.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;
using automation::MemberText;

namespace {

// The answer: the input itself where it is a JSON object, as the helper
// sends it; otherwise its "t" is the bytes before the first NUL byte and
// its "x" the JSON array after it, so that the pieces are fuzzed as text.
QJsonObject answerOf(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    if (input.startsWith('{')) {
        const QJsonDocument whole = QJsonDocument::fromJson(input);
        if (whole.isObject())
            return whole.object();
    }
    const qsizetype nul = input.indexOf('\0');
    QJsonObject answer{{u"t"_s, QString::fromUtf8(input.left(nul < 0 ? input.size() : nul))}};
    if (nul >= 0)
        answer.insert(u"x"_s, QJsonDocument::fromJson(input.mid(nul + 1)).array());
    return answer;
}

// The entries a read still waits for.
constexpr qsizetype kRoom = 1 << 16;

struct Decoded
{
    bool ok = false;
    QList<MemberText> texts;
    chromium::BulkRest rest;
};

Decoded decode(const QJsonObject &answer, const QList<MemberText> &before)
{
    Decoded d;
    d.texts = before;
    try {
        chromium::decodeBulk(answer, kRoom, d.texts, d.rest);
        d.ok = true;
    } catch (const automation::AutomationError &) {
        // A garbled answer fails the read; any other exception is a finding.
    }
    return d;
}

bool same(const MemberText &a, const MemberText &b)
{
    return a.text == b.text && a.errorNumber == b.errorNumber && a.passedOver == b.passedOver;
}

} // namespace

void fuzz::helperAnswer(const std::uint8_t *data, std::size_t size)
{
    const QJsonObject answer = answerOf(data, size);

    // Decoded alone, then after the entries of an earlier answer.
    const Decoded alone = decode(answer, {});
    // Many, so that an entry number near the largest one would overflow.
    static const QList<MemberText> earlier = [] {
        QList<MemberText> texts;
        for (int i = 0; i < 2000; ++i)
            texts.append({i % 3 == 1 ? QString() : QString::number(i), i % 3 == 1 ? 438 : 0});
        return texts;
    }();
    const qsizetype base = earlier.size();
    const Decoded after = decode(answer, earlier);

    FUZZ_CHECK(alone.ok == after.ok);
    if (!alone.ok)
        return;
    // An answer's entries, and the texts that come on their own, do not
    // depend on what came before, which they leave alone.
    FUZZ_CHECK(after.texts.size() == base + alone.texts.size());
    for (qsizetype i = 0; i < base; ++i)
        FUZZ_CHECK(same(after.texts[i], earlier[i]));
    for (qsizetype i = 0; i < alone.texts.size(); ++i)
        FUZZ_CHECK(same(after.texts[base + i], alone.texts[i]));
    FUZZ_CHECK(after.rest.longTexts.size() == alone.rest.longTexts.size());
    for (qsizetype i = 0; i < alone.rest.longTexts.size(); ++i) {
        FUZZ_CHECK(alone.rest.longTexts[i].entry >= 0 && alone.rest.longTexts[i].entry < alone.texts.size());
        FUZZ_CHECK(after.rest.longTexts[i].entry == base + alone.rest.longTexts[i].entry);
    }
    // A part comes from an entry before it in the same answer, and filling
    // them in never reads outside their sources.
    FUZZ_CHECK(after.rest.parts.size() == alone.rest.parts.size());
    for (qsizetype i = 0; i < alone.rest.parts.size(); ++i) {
        const chromium::BulkRest::Part &part = alone.rest.parts[i];
        FUZZ_CHECK(part.source >= 0 && part.source < part.entry && part.entry < alone.texts.size());
        FUZZ_CHECK(after.rest.parts[i].source == base + part.source);
    }
    QList<MemberText> filled = alone.texts;
    chromium::resolveParts(filled, alone.rest.parts);
    // Every piece of "t" but one passing over entries is one entry, and each
    // ends with a colon; no answer goes past the room left.
    const QString pieces = answer.value(u"t"_s).toString();
    const qsizetype passedOver = std::count_if(alone.texts.cbegin(), alone.texts.cend(),
                                               [](const MemberText &text) { return text.passedOver; });
    FUZZ_CHECK(alone.texts.size() - passedOver <= pieces.count(u':'));
    FUZZ_CHECK(alone.texts.size() <= kRoom);
    FUZZ_CHECK(pieces.isEmpty() == alone.texts.isEmpty());
}
