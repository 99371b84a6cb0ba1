// What the page model relies on from the document model, on every backend.
#include "tests/contract/PageContract.h"
#include "tests/support/ErrorNumber.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;
using testsupport::errorNumber;
using automation::CollectionKind;

namespace {

// An item outside a collection may be null or fail at its first use; to the
// page model both are ObjectNotSet.
QVariant get(const automation::ElementPtr &element, const QString &member)
{
    if (!element)
        throw AutomationError::objectNotSet(u"contract"_s);
    return element->get(member);
}

QString text(const automation::ElementPtr &element, const QString &member)
{
    return automation::automationText(element->get(member));
}

} // namespace

TEST_P(PageContract, elementsByPositionAndMembersByName)
{
    auto all = scene.browser->document()->collection(CollectionKind::All);
    ASSERT_EQ(all->length(), 7);
    EXPECT_EQ(text(all->item(0), u"TAGNAME"_s), u"HTML"_s);
    EXPECT_EQ(text(all->item(4), u"InnerText"_s), u"box"_s);
    EXPECT_EQ(text(all->item(5), u"Value"_s), u"v"_s);
    EXPECT_EQ(errorNumber([&] { all->item(4)->get(u"value"_s); }), AutomationError::MemberNotFound);
    EXPECT_EQ(errorNumber([&] { get(all->item(7), u"tagName"_s); }), AutomationError::ObjectNotSet);
    EXPECT_EQ(errorNumber([&] { get(all->item(-1), u"tagName"_s); }), AutomationError::ObjectNotSet);

    const QList<automation::MemberText> ids = all->readMany({u"id"_s}, 4, 4);
    ASSERT_EQ(ids.size(), 4);
    EXPECT_EQ(ids[0].text, u"box"_s);
    EXPECT_EQ(ids[1].text, u"field"_s);
    EXPECT_EQ(ids[2].text, QString());
    EXPECT_EQ(ids[2].errorNumber, 0);
    EXPECT_EQ(ids[3].errorNumber, AutomationError::ObjectNotSet);
    EXPECT_EQ(all->readMany({u"value"_s}, 4, 1).front().errorNumber, AutomationError::MemberNotFound);

    // Several members at once, element by element.
    const QList<automation::MemberText> both = all->readMany({u"tagName"_s, u"VALUE"_s}, 4, 3);
    ASSERT_EQ(both.size(), 6);
    EXPECT_EQ(both[0].text, u"DIV"_s);
    EXPECT_EQ(both[1].errorNumber, AutomationError::MemberNotFound);
    EXPECT_EQ(both[2].text, u"INPUT"_s);
    EXPECT_EQ(both[3].text, u"v"_s);
    EXPECT_EQ(both[4].text, u"SPAN"_s);
    EXPECT_EQ(both[5].errorNumber, AutomationError::MemberNotFound);
}

TEST_P(PageContract, aSecondReadFindsTheElementsOfTheFirstByTheirIdentity)
{
    auto all = scene.browser->document()->collection(CollectionKind::All);
    const QList<automation::MemberText> first = all->readMany({u"uniqueID"_s}, QList<qint32>{5, 4});
    ASSERT_EQ(first.size(), 2);
    EXPECT_NE(first[0].text, first[1].text);
    const QStringList ids{first[0].text, first[1].text, u"vorlane_uid999999"_s, u"no identity"_s};
    const QList<automation::MemberText> again = all->startReadIdentified({u"id"_s, u"value"_s}, ids)->take();
    ASSERT_EQ(again.size(), 8);
    EXPECT_EQ(again[0].text, u"field"_s);
    EXPECT_EQ(again[1].text, u"v"_s);
    EXPECT_EQ(again[2].text, u"box"_s);
    EXPECT_EQ(again[3].errorNumber, AutomationError::MemberNotFound);
    for (int entry = 4; entry < 8; ++entry)
        EXPECT_EQ(again[entry].errorNumber, AutomationError::ObjectNotSet) << entry;
}

TEST_P(PageContract, aBulkReadStartedNowIsTakenLater)
{
    auto all = scene.browser->document()->collection(CollectionKind::All);
    const QStringList members{u"id"_s, u"value"_s};
    const automation::PendingReadPtr started = all->startReadMany(members, 3, 5);
    // Other calls go on while it is out.
    EXPECT_EQ(all->length(), 7);
    const QList<automation::MemberText> taken = started->take();
    const QList<automation::MemberText> waited = all->readMany(members, 3, 5);
    ASSERT_EQ(taken.size(), 10);
    ASSERT_EQ(waited.size(), 10);
    for (qsizetype i = 0; i < taken.size(); ++i) {
        EXPECT_EQ(taken[i].text, waited[i].text) << i;
        EXPECT_EQ(taken[i].errorNumber, waited[i].errorNumber) << i;
    }
    EXPECT_EQ(taken[5].text, u"v"_s);
    EXPECT_TRUE(all->startReadMany(members, 0, 1)->ready(std::chrono::seconds(60)));

    // Started on a page that is gone, it fails when taken, not before.
    scene.navigateAway();
    const automation::PendingReadPtr stale = all->startReadMany(members, 0, 7);
    EXPECT_EQ(errorNumber([&] { stale->take(); }), AutomationError::PermissionDenied);
}

TEST_P(PageContract, aBulkReadByPositionsReadsEachAsTheRangeDoes)
{
    auto all = scene.browser->document()->collection(CollectionKind::All);
    const QStringList members{u"tagName"_s, u"value"_s, u"id"_s};
    const QList<automation::MemberText> range = all->readMany(members, 0, 7);
    ASSERT_EQ(range.size(), 21);
    // Scattered, out of order, repeated, and outside the collection on both sides.
    const QList<qint32> positions{6, 4, 5, 4, -1, 0, 7, 2, 3};
    const QList<automation::MemberText> scattered = all->readMany(members, positions);
    const QList<automation::MemberText> started = all->startReadMany(members, positions)->take();
    ASSERT_EQ(scattered.size(), positions.size() * members.size());
    ASSERT_EQ(started.size(), scattered.size());
    for (qsizetype i = 0; i < positions.size(); ++i) {
        for (qsizetype j = 0; j < members.size(); ++j) {
            const automation::MemberText &read = scattered[i * members.size() + j];
            const qint32 position = positions[i];
            SCOPED_TRACE(testing::Message() << "position " << position << " member " << j);
            EXPECT_EQ(started[i * members.size() + j].text, read.text);
            EXPECT_EQ(started[i * members.size() + j].errorNumber, read.errorNumber);
            if (position < 0 || position >= 7) {
                EXPECT_EQ(read.errorNumber, AutomationError::ObjectNotSet);
                continue;
            }
            EXPECT_EQ(read.text, range[position * members.size() + j].text);
            EXPECT_EQ(read.errorNumber, range[position * members.size() + j].errorNumber);
        }
    }
    EXPECT_TRUE(all->readMany(members, QList<qint32>{}).isEmpty());
}

// Both backends pass over every element that fails the tests, and read the
// others, and whatever lies outside the collection, as a plain read does.
TEST_P(PageContract, aSelectedReadPassesOverWhatFailsItsTests)
{
    using Kind = automation::TextTest::Kind;
    auto all = scene.browser->document()->collection(CollectionKind::All);
    const QStringList members{u"id"_s, u"value"_s};
    const QList<qint32> positions{0, 1, 2, 3, 4, 5, 6, 7};
    const QList<automation::MemberText> plain = all->readMany(members, positions);
    const auto kept = [&](const QList<automation::TextTest> &tests) {
        const QList<automation::MemberText> texts = all->startReadSelected(members, positions, tests)->take();
        EXPECT_EQ(texts.size(), plain.size());
        QList<qint32> read;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].passedOver, texts[i - i % 2].passedOver) << "an element is passed over whole";
            if (texts[i].passedOver)
                continue;
            EXPECT_EQ(texts[i].text, plain[i].text);
            EXPECT_EQ(texts[i].errorNumber, plain[i].errorNumber);
            if (i % 2 == 0)
                read.append(positions[i / 2]);
        }
        return read;
    };
    EXPECT_EQ(kept({{u"tagName"_s, Kind::Listed, {u"INPUT"_s}}}), (QList<qint32>{5, 7}));
    EXPECT_EQ(kept({{u"TAGNAME"_s, Kind::Unlisted, {u"HTML"_s, u"HEAD"_s, u"TITLE"_s, u"BODY"_s}}}),
              (QList<qint32>{4, 5, 6, 7}));
    EXPECT_EQ(kept({{u"tagName"_s, Kind::Listed, {u"INPUT"_s, u"SPAN"_s}}, {u"name"_s, Kind::Contains, {u"na"_s}}}),
              (QList<qint32>{6, 7}));
    // The value of DIV is missing and reads as empty, whether the test that
    // reads it is made or not.
    EXPECT_EQ(kept({{u"tagName"_s, Kind::Listed, {u"DIV"_s}}, {u"value"_s, Kind::Unlisted, {}, 0, true}}),
              (QList<qint32>{4, 7}));
    EXPECT_EQ(kept({{u"value"_s, Kind::Listed, {QString()}}}), (QList<qint32>{0, 1, 2, 3, 4, 6, 7}));
    EXPECT_EQ(kept({{u"innerText"_s, Kind::Contains, {u"box"_s}, 3}}), (QList<qint32>{4, 7}));
    EXPECT_EQ(kept({}), (QList<qint32>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_P(PageContract, lookUpByIdentifierThenName)
{
    auto document = scene.browser->document();
    EXPECT_EQ(text(document->getElementById(u"field"_s), u"name"_s), u"q"_s);
    EXPECT_EQ(text(document->getElementById(u"q"_s), u"id"_s), u"field"_s);
    EXPECT_EQ(text(document->getElementById(u"named"_s), u"tagName"_s), u"SPAN"_s);
    EXPECT_EQ(document->getElementById(u"nothing"_s), nullptr);

    auto field = document->getElementById(u"field"_s);
    field->put(u"VALUE"_s, u"新しい値"_s);
    EXPECT_EQ(text(document->getElementById(u"q"_s), u"value"_s), u"新しい値"_s);
    EXPECT_EQ(errorNumber([&] { field->invoke(u"noSuchMethod"_s); }), AutomationError::MemberNotFound);
}

TEST_P(PageContract, oldDocumentIsDeniedAfterNavigation)
{
    auto document = scene.browser->document();
    auto all = document->collection(CollectionKind::All);
    auto box = document->getElementById(u"box"_s);
    scene.navigateAway();
    EXPECT_EQ(errorNumber([&] { all->length(); }), AutomationError::PermissionDenied);
    EXPECT_EQ(errorNumber([&] { box->get(u"id"_s); }), AutomationError::PermissionDenied);
    EXPECT_EQ(errorNumber([&] { document->getElementById(u"box"_s); }), AutomationError::PermissionDenied);
}

TEST_P(PageContract, closedBrowserIsGone)
{
    auto box = scene.browser->document()->getElementById(u"box"_s);
    scene.browser->quit();
    EXPECT_EQ(errorNumber([&] { box->get(u"id"_s); }), AutomationError::ServerUnavailable);
    EXPECT_EQ(errorNumber([&] { scene.browser->typeName(); }), AutomationError::ServerUnavailable);
}
