#include "tests/support/automation_double/ShellWindowsDouble.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace automation;
using namespace automation::doubles;

namespace {

template<typename Call>
AutomationError errorOf(Call &&call)
{
    try {
        call();
    } catch (const AutomationError &error) {
        return error;
    }
    return {0, {}, {}};
}

} // namespace

TEST(AutomationDouble, navigationEndsTheOldPageAndAllItHandedOut)
{
    ShellWindowsDouble shell;
    const auto browser = shell.open(u"http://a.test/"_s);
    const auto input = browser->page()->addElement({{u"tagName"_s, u"INPUT"_s}, {u"value"_s, u"x"_s}});
    const DocumentPtr document = browser->document();
    const ElementCollectionPtr all = document->collection(CollectionKind::All);

    browser->navigate(u"http://b.test/"_s);
    EXPECT_EQ(errorOf([&] { document->getElementById(u"a"_s); }).number(), AutomationError::PermissionDenied);
    EXPECT_EQ(errorOf([&] { all->length(); }).number(), AutomationError::PermissionDenied);
    EXPECT_EQ(errorOf([&] { input->get(u"value"_s); }).number(), AutomationError::PermissionDenied);
    EXPECT_EQ(browser->document()->collection(CollectionKind::All)->length(), 0);
    EXPECT_EQ(browser->journal().filter(u"Navigate"_s), QStringList{u"Navigate=http://b.test/"_s});
}

TEST(AutomationDouble, closingEndsTheWindowAndTakesItOutOfTheCollection)
{
    ShellWindowsDouble shell;
    const auto first = shell.open(u"http://a.test/"_s);
    const auto second = shell.open(u"about:blank"_s);
    const DocumentPtr document = first->document();
    EXPECT_NE(first->hwnd(), second->hwnd());

    first->quit();
    EXPECT_EQ(shell.count(), 1);
    EXPECT_EQ(shell.item(0), second);
    EXPECT_EQ(shell.item(1), nullptr);
    EXPECT_EQ(errorOf([&] { first->typeName(); }).number(), AutomationError::ServerUnavailable);
    EXPECT_EQ(errorOf([&] { first->locationURL(); }).number(), AutomationError::ServerUnavailable);
    EXPECT_EQ(errorOf([&] { document->collection(CollectionKind::Links); }).number(),
              AutomationError::ServerUnavailable);
}

TEST(AutomationDouble, membersAreFoundWithoutRegardToCaseAndFailOnDemand)
{
    ShellWindowsDouble shell;
    const auto page = shell.open(u"http://a.test/"_s)->page();
    const auto cell = page->addElement({{u"tagName"_s, u"TD"_s}, {u"innerHTML"_s, u"<b>1</b>"_s}});

    EXPECT_EQ(cell->get(u"innerhtml"_s), u"<b>1</b>"_s);
    cell->put(u"INNERHTML"_s, u"2"_s);
    EXPECT_EQ(cell->value(u"innerHtml"_s), u"2"_s);
    EXPECT_EQ(errorOf([&] { cell->get(u"Value"_s); }).number(), AutomationError::MemberNotFound);
    EXPECT_EQ(errorOf([&] { cell->put(u"Value"_s, 1); }).number(), AutomationError::MemberNotFound);
    EXPECT_NO_THROW(cell->invoke(u"click"_s));

    cell->failOn(u"InnerHTML"_s, 1004, u"odd"_s);
    const AutomationError odd = errorOf([&] { cell->get(u"innerhtml"_s); });
    EXPECT_EQ(odd.number(), 1004);
    EXPECT_EQ(odd.description(), u"odd"_s);
    cell->failOn(u"tagName"_s, AutomationError::AutomationFailure);
    EXPECT_EQ(errorOf([&] { cell->get(u"tagName"_s); }).number(), AutomationError::AutomationFailure);
}

TEST(AutomationDouble, collectionsFollowTheElementsLive)
{
    ShellWindowsDouble shell;
    const auto page = shell.open(u"http://a.test/"_s)->page();
    page->addElement({{u"tagName"_s, u"A"_s}, {u"href"_s, u"http://x.test/"_s}, {u"id"_s, u"go"_s}});
    page->addElement({{u"tagName"_s, u"A"_s}, {u"name"_s, u"anchor"_s}});
    page->addElement({{u"tagName"_s, u"IMG"_s}, {u"name"_s, u"go"_s}});
    const ElementCollectionPtr links = page->collection(CollectionKind::Links);
    const ElementCollectionPtr images = page->collection(CollectionKind::Images);

    EXPECT_EQ(links->length(), 1);
    EXPECT_EQ(images->length(), 1);
    page->addElement({{u"tagName"_s, u"IFRAME"_s}});
    EXPECT_EQ(page->collection(CollectionKind::All)->length(), 4);
    EXPECT_EQ(page->collection(CollectionKind::Frames)->length(), 1);
    EXPECT_EQ(links->item(1), nullptr);
    EXPECT_EQ(page->getElementById(u"go"_s), links->item(0));
    EXPECT_EQ(page->getElementById(u"anchor"_s)->get(u"tagName"_s), u"A"_s);

    const QList<MemberText> hrefs = page->collection(CollectionKind::All)->readMany({u"href"_s}, -1, 3);
    ASSERT_EQ(hrefs.size(), 3);
    EXPECT_EQ(hrefs[0].errorNumber, AutomationError::ObjectNotSet);
    EXPECT_EQ(hrefs[1].text, u"http://x.test/"_s);
    EXPECT_EQ(hrefs[2].errorNumber, AutomationError::MemberNotFound);

    page->collectionDouble(CollectionKind::All)->reportLength(40000);
    EXPECT_EQ(page->collection(CollectionKind::All)->length(), 40000);
}
