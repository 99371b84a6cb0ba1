// The document model of a real page, read through our isolated world.
#include "platform/chromium/ChromiumEndpoint.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/chromium/ChromiumFixture.h"

#include <numeric>

using namespace Qt::StringLiterals;
using automation::AutomationError;
using testsupport::errorNumber;
using automation::CollectionKind;
using testsupport::ChromiumTest;
using testsupport::elementById;
using testsupport::eventually;

namespace {

const QString kForm = uR"(<title>form</title>
<div id=box foo=bar>box</div>
<a id=link href="https://example.org/x">link</a>
<input id=name name=q value="v">
<input id=check type=checkbox>
<ol><li id=item>one</li></ol>
<span name=byname>named</span>)"_s;

} // namespace

TEST_F(ChromiumTest, MembersAreFoundByNameWithoutCase)
{
    auto document = openPage(u"/members.html"_s, kForm)->document();
    auto box = document->getElementById(u"box"_s);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->get(u"TagName"_s).toString(), u"DIV"_s);
    EXPECT_EQ(box->get(u"innerhtml"_s).toString(), u"box"_s);
    EXPECT_EQ(box->get(u"ID"_s).toString(), u"box"_s);
    EXPECT_EQ(errorNumber([&] { box->get(u"Value"_s); }), AutomationError::MemberNotFound);
    EXPECT_EQ(errorNumber([&] { box->get(u"href"_s); }), AutomationError::MemberNotFound);
    // An attribute stands in for a member the element lacks.
    EXPECT_EQ(box->get(u"foo"_s).toString(), u"bar"_s);

    // Chromium's own DOM: an A has a type member, empty.
    auto link = document->getElementById(u"link"_s);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->get(u"Type"_s).toString(), QString());
    EXPECT_EQ(errorNumber([&] { link->get(u"Type"_s); }), 0);
    EXPECT_EQ(link->get(u"href"_s).toString(), u"https://example.org/x"_s);

    auto check = document->getElementById(u"check"_s);
    ASSERT_TRUE(check);
    EXPECT_EQ(automation::automationText(check->get(u"Checked"_s)), u"False"_s);
    check->put(u"checked"_s, true);
    EXPECT_EQ(automation::automationText(check->get(u"Checked"_s)), u"True"_s);
    EXPECT_EQ(automation::automationText(elementById(document, u"item"_s)->get(u"value"_s)), u"0"_s);

    // By name when no identifier matches.
    EXPECT_EQ(elementById(document, u"byname"_s)->get(u"innerText"_s).toString(), u"named"_s);
    EXPECT_EQ(document->getElementById(u"nothing"_s), nullptr);
    EXPECT_EQ(errorNumber([&] { box->invoke(u"nosuchmethod"_s); }), AutomationError::MemberNotFound);
}

TEST_F(ChromiumTest, CollectionsByPosition)
{
    auto document = openPage(u"/collections.html"_s, kForm + u"<img src=x.png><form></form><iframe></iframe>"_s)->document();
    auto all = document->collection(CollectionKind::All);
    const qint32 length = all->length();
    EXPECT_EQ(all->item(0)->get(u"tagName"_s).toString(), u"HTML"_s);
    EXPECT_EQ(errorNumber([&] { all->item(length)->get(u"tagName"_s); }), AutomationError::ObjectNotSet);
    EXPECT_EQ(errorNumber([&] { all->item(-1)->get(u"tagName"_s); }), AutomationError::ObjectNotSet);
    EXPECT_EQ(document->collection(CollectionKind::Links)->length(), 1);
    EXPECT_EQ(document->collection(CollectionKind::Images)->length(), 1);
    EXPECT_EQ(document->collection(CollectionKind::Forms)->length(), 1);
    EXPECT_EQ(document->collection(CollectionKind::Frames)->length(), 1);

    const QList<automation::MemberText> values = all->readMany({u"value"_s}, 0, length + 1);
    ASSERT_EQ(values.size(), length + 1);
    EXPECT_EQ(values.front().errorNumber, AutomationError::MemberNotFound); // HTML
    EXPECT_EQ(values.back().errorNumber, AutomationError::ObjectNotSet);
    const auto input = std::find_if(values.cbegin(), values.cend(),
                                    [](const automation::MemberText &v) { return v.text == u"v"_s; });
    EXPECT_NE(input, values.cend());

    // An element keeps its identity, and its own generated identifier.
    auto first = all->item(3);
    const QString uid = first->get(u"uniqueID"_s).toString();
    EXPECT_FALSE(uid.isEmpty());
    EXPECT_EQ(first->get(u"UNIQUEID"_s).toString(), uid);
    EXPECT_NE(all->item(4)->get(u"uniqueID"_s).toString(), uid);
}

// A short text travels once per bulk answer and its copies as its number, so
// both ends must draw the line at the same length, exactly at the limit too.
TEST_F(ChromiumTest, RepeatedTextsAroundTheShortLimitReadBack)
{
    const QString atLimit(chromium::kHelperShortText, u'a');
    const QString overLimit(chromium::kHelperShortText + 1, u'b');
    const QStringList titles{atLimit, overLimit, u"c"_s, overLimit, atLimit, u"c"_s, atLimit, overLimit, QString()};
    QString html = u"<title>short</title>"_s;
    for (const QString &title : titles)
        html += u"<p title=\"%1\">p</p>"_s.arg(title);
    auto all = openPage(u"/short.html"_s, html)->document()->collection(CollectionKind::All);

    const QList<automation::MemberText> read = all->readMany({u"tagName"_s, u"title"_s}, 0, all->length());
    QStringList paragraphs;
    for (qsizetype i = 0; i + 1 < read.size(); i += 2) {
        ASSERT_EQ(read[i].errorNumber, 0) << i;
        if (read[i].text == u"P"_s)
            paragraphs.append(read[i + 1].text);
    }
    EXPECT_EQ(paragraphs, titles);
}

TEST_F(ChromiumTest, HostilePageCannotChangeWhatWeRead)
{
    const QString hostile = kForm + uR"(<script>
      Object.defineProperty(HTMLElement.prototype, 'innerText', {get() { return 'HACKED'; }});
      Object.defineProperty(Element.prototype, 'tagName', {get() { return 'HACKED'; }});
      Object.defineProperty(Element.prototype, 'innerHTML', {get() { throw new Error('no'); }});
      Array.prototype.map = () => 'HACKED';
      JSON.stringify = () => 'HACKED';
      document.getElementById = () => null;
      window.__vorlane = 'HACKED';
    </script>)"_s;
    auto document = openPage(u"/hostile.html"_s, hostile)->document();
    auto box = document->getElementById(u"box"_s);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->get(u"innerText"_s).toString(), u"box"_s);
    EXPECT_EQ(box->get(u"tagName"_s).toString(), u"DIV"_s);
    EXPECT_EQ(box->get(u"innerHTML"_s).toString(), u"box"_s);
    EXPECT_EQ(document->collection(CollectionKind::All)->readMany({u"tagName"_s}, 0, 1).front().text, u"HTML"_s);
}

TEST_F(ChromiumTest, DocumentStaysBoundToItsPage)
{
    auto browser = openPage(u"/first.html"_s, kForm);
    auto document = browser->document();
    auto all = document->collection(CollectionKind::All);
    auto box = document->getElementById(u"box"_s);
    box->get(u"id"_s);
    server().setPage(u"/second.html"_s, kForm);
    browser->navigate(server().url(u"/second.html"_s));
    waitUntilComplete(browser);

    EXPECT_EQ(errorNumber([&] { all->length(); }), AutomationError::PermissionDenied);
    EXPECT_EQ(errorNumber([&] { box->get(u"id"_s); }), AutomationError::PermissionDenied);
    EXPECT_EQ(errorNumber([&] { box->put(u"value"_s, u"typed"_s); }), AutomationError::PermissionDenied);
    EXPECT_EQ(errorNumber([&] { document->getElementById(u"box"_s); }), AutomationError::PermissionDenied);
    EXPECT_EQ(elementById(browser->document(), u"box"_s)->get(u"id"_s).toString(), u"box"_s);
}

TEST_F(ChromiumTest, WrittenValueIsSeenByThePage)
{
    auto document = openPage(u"/events.html"_s, uR"(<input id=in>
      <script>
        const seen = [];
        const field = document.getElementById('in');
        field.addEventListener('input', () => seen.push('input:' + field.value));
        field.addEventListener('change', () => { seen.push('change:' + field.value); document.title = seen.join(','); });
      </script>)"_s)->document();
    elementById(document, u"in"_s)->put(u"Value"_s, u"日本"_s);
    EXPECT_EQ(elementById(document, u"in"_s)->get(u"value"_s).toString(), u"日本"_s);
    auto browser = shell->item(shell->count() - 1);
    EXPECT_TRUE(eventually([&] { return browser->locationName() == u"input:日本,change:日本"_s; }));
}

TEST_F(ChromiumTest, LongTextArrivesWhole)
{
    auto document = openPage(u"/long.html"_s, u"<div id=big></div><script>document.getElementById('big').textContent = 'ア'.repeat(3000000) + 'end';</script>"_s)->document();
    const QString text = elementById(document, u"big"_s)->get(u"innerText"_s).toString();
    EXPECT_EQ(text.size(), 3000003);
    EXPECT_TRUE(text.endsWith(u"アend"_s));
}

// A text found in its parent's travels as a part of it; read in bulk, every
// one must still be what reading its element alone gives: nested mark-up,
// wrappers showing their child's text, twins whose mark-up is found earlier
// in the parent than where they stand, and long texts, as sources and as
// parts, from bulk reads started together and from the middle of a page.
TEST_F(ChromiumTest, NestedTextsReadInBulkAsEachAlone)
{
    auto document = openPage(u"/nested.html"_s, uR"(<title>nested</title>
      <div id=outer><section><div class=twin>same same same same same same same same same same same same</div>
        <div class=twin>same same same same same same same same same same same same</div>
        <p><b><i>deep deep deep deep deep deep deep deep deep deep deep deep deep deep deep deep</i></b></p>
        <div id=big></div><ul><li>after the long one, after the long one, after the long one, after</li></ul>
      </section></div>
      <script>document.getElementById('big').textContent = 'a'.repeat(270000) + '日本😀end';</script>)"_s)->document();
    auto all = document->collection(CollectionKind::All);
    const qint32 length = all->length();
    const QStringList members{u"innerText"_s, u"innerHTML"_s, u"outerHTML"_s};
    QList<automation::MemberText> alone;
    for (qint32 i = 0; i < length; ++i) {
        for (const QString &member : members)
            alone.append({automation::automationText(all->item(i)->get(member)), 0});
    }
    const auto expectSame = [&](const QList<automation::MemberText> &read, qint32 first) {
        ASSERT_EQ(read.size(), (length - first) * members.size());
        for (qsizetype k = 0; k < read.size(); ++k) {
            const automation::MemberText &expected = alone[first * members.size() + k];
            EXPECT_EQ(read[k].errorNumber, 0) << k;
            EXPECT_TRUE(read[k].text == expected.text)
                << "element " << first + k / members.size() << ' ' << qPrintable(members[k % members.size()]);
        }
    };
    const qint32 middle = 6;
    const automation::PendingReadPtr whole = all->startReadMany(members, 0, length);
    const automation::PendingReadPtr rest = all->startReadMany(members, middle, length - middle);
    expectSame(rest->take(), middle);
    expectSame(whole->take(), 0);
}

// Scattered positions in one read, where texts that pass one answer's bound
// make it stop early and texts too long for any answer come piece by piece:
// each entry still reads as the element at its position does alone.
TEST_F(ChromiumTest, BulkReadByScatteredPositionsAcrossAnswers)
{
    auto all = openPage(u"/scattered.html"_s, uR"html(<body><script>
      const sizes = [250000, 10, 300000, 250000, 0, 250000, 300000, 250000, 5, 250000];
      sizes.forEach((size, i) => {
        const div = document.createElement('div');
        div.id = 'd' + i;
        div.textContent = String(i).repeat(size);
        document.body.append(div);
      });
    </script>)html"_s)->document()->collection(CollectionKind::All);
    const qint32 length = all->length();
    QList<qint32> positions;
    for (qint32 p = length; p >= 0; p -= 2)
        positions.append(p);
    positions += {length - 2, 1, -3};
    const QStringList members{u"innerText"_s, u"id"_s};
    const QList<automation::MemberText> read = all->readMany(members, positions);
    ASSERT_EQ(read.size(), positions.size() * 2);
    for (qsizetype i = 0; i < positions.size(); ++i) {
        for (qsizetype j = 0; j < members.size(); ++j) {
            const automation::MemberText &entry = read[i * 2 + j];
            SCOPED_TRACE(testing::Message() << "position " << positions[i] << " " << members[j].toStdString());
            if (positions[i] < 0 || positions[i] >= length) {
                EXPECT_EQ(entry.errorNumber, AutomationError::ObjectNotSet);
                continue;
            }
            const QString single = all->item(positions[i])->get(members[j]).toString();
            EXPECT_EQ(entry.errorNumber, 0);
            EXPECT_EQ(entry.text.size(), single.size());
            EXPECT_TRUE(entry.text == single);
        }
    }
}

// The page keeps only a few long texts for their pieces to be fetched: a read
// of more of them than that must take each answer's before asking for more.
TEST_F(ChromiumTest, MoreLongTextsThanThePageKeepsArriveWhole)
{
    constexpr int kTexts = 24;
    auto all = openPage(u"/manylong.html"_s, uR"html(<body><script>
      for (let i = 0; i < 24; i++) {
        const div = document.createElement('div');
        div.textContent = String.fromCharCode(97 + i).repeat(262145 + i);
        document.body.append(div);
      }
    </script>)html"_s)->document()->collection(CollectionKind::All);
    const qint32 length = all->length();
    const QList<automation::MemberText> read = all->readMany({u"textContent"_s}, length - kTexts, kTexts);
    ASSERT_EQ(read.size(), kTexts);
    for (int i = 0; i < kTexts; ++i) {
        EXPECT_EQ(read[i].errorNumber, 0) << i;
        EXPECT_TRUE(read[i].text == QString(262145 + i, QChar(u'a' + i))) << i;
    }
}

// A page keeps its worlds while its document lives, so a tab that another
// version of Vorlane read still holds that version's helper: ours must not
// answer from it.
TEST_F(ChromiumTest, AHelperOfAnotherVersionInThePageIsNotOurs)
{
    const auto browser = openPage(u"/versions.html"_s, kForm);
    chromium::ChromiumEndpoint other(testsupport::ChromiumEnvironment::instance().chromium().endpoint(), {});
    const chromium::TabPtr tab = testsupport::tabShowing(other, server().url(u"/versions.html"_s));
    ASSERT_TRUE(tab);
    for (const QString &world : QStringList{u"vorlane"_s, chromium::pageHelperWorld() + u"-old"_s}) {
        const qint64 context = other.sessionCall(*tab, u"Page.createIsolatedWorld"_s,
                                                 {{u"frameId"_s, tab->targetId()}, {u"worldName"_s, world}})
                                   .value(u"executionContextId"_s)
                                   .toInteger();
        other.sessionCall(*tab, u"Runtime.evaluate"_s,
                          {{u"contextId"_s, context},
                           {u"expression"_s, u"globalThis.__vorlane = { length: () => ({ v: 1 }), "
                                             u"readMany: () => ({ t: '3:old' }), get: () => ({ v: 'old' }) }"_s}});
    }
    auto all = browser->document()->collection(CollectionKind::All);
    EXPECT_GT(all->length(), 1);
    EXPECT_EQ(all->readMany({u"tagName"_s}, 0, 1).front().text, u"HTML"_s);
    EXPECT_EQ(elementById(browser->document(), u"box"_s)->get(u"innerText"_s).toString(), u"box"_s);
}

// The page passes elements over by the texts our reads give, whatever its
// own scripts changed of what they see, and reads the others as a plain
// read does.
TEST_F(ChromiumTest, ElementsArePassedOverInThePageAsOurReadsSeeThem)
{
    using Kind = automation::TextTest::Kind;
    const QString hostile = uR"(<script>
      Object.defineProperty(Element.prototype, 'tagName', {get() { return 'INPUT'; }});
      Object.defineProperty(HTMLAnchorElement.prototype, 'href', {get() { return 'http://hacked/'; }});
      Set.prototype.has = () => true;
      Array.prototype.every = () => true;
      String.prototype.includes = () => true;
      Object.getPrototypeOf = () => null;
    </script>)"_s;
    for (const QString &html : {kForm, QString(kForm + hostile)}) {
        auto all = openPage(u"/selected.html"_s, html)->document()->collection(CollectionKind::All);
        QList<qint32> positions(all->length());
        std::iota(positions.begin(), positions.end(), 0);
        const QStringList members{u"id"_s, u"tagName"_s};
        const QList<automation::MemberText> plain = all->readMany(members, positions);
        const auto kept = [&](const QList<automation::TextTest> &tests) {
            const QList<automation::MemberText> texts = all->startReadSelected(members, positions, tests)->take();
            EXPECT_EQ(texts.size(), plain.size());
            QStringList ids;
            for (qsizetype i = 0; i < texts.size(); ++i) {
                if (texts[i].passedOver)
                    continue;
                EXPECT_EQ(texts[i].text, plain[i].text);
                if (i % 2 == 0)
                    ids.append(texts[i].text);
            }
            return ids;
        };
        EXPECT_EQ(kept({{u"TagName"_s, Kind::Listed, {u"INPUT"_s}}}), (QStringList{u"name"_s, u"check"_s}));
        EXPECT_EQ(kept({{u"tagName"_s, Kind::Listed, {u"INPUT"_s}}, {u"type"_s, Kind::Unlisted, {u"text"_s}, 0, true}}),
                  QStringList{u"check"_s});
        EXPECT_EQ(kept({{u"href"_s, Kind::Contains, {u"example"_s, u"/x"_s}}}), QStringList{u"link"_s});
        EXPECT_EQ(kept({{u"href"_s, Kind::Contains, {u"example"_s, u"/y"_s}}}), QStringList{});
        // A custom attribute stands in for a member, and a missing one is empty.
        EXPECT_EQ(kept({{u"foo"_s, Kind::Contains, {}}}), QStringList{u"box"_s});
        EXPECT_EQ(kept({{u"innerText"_s, Kind::Contains, {u"box"_s}, 3}}), QStringList{u"box"_s});
        EXPECT_EQ(kept({{u"id"_s, Kind::Listed, {}}}), QStringList{});
    }
}
