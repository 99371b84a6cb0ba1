#include "tests/contract/PageContract.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"

using namespace Qt::StringLiterals;

namespace {

// The contract page as the double holds it: the members Chromium's DOM gives
// these elements, as far as the contract reads them.
PageScene doublePage()
{
    auto shell = std::make_shared<automation::doubles::ShellWindowsDouble>();
    auto browser = shell->open(u"http://contract.test/"_s);
    auto page = browser->page();
    for (const QString &tag : {u"HTML"_s, u"HEAD"_s, u"TITLE"_s, u"BODY"_s})
        page->addElement({{u"tagName"_s, tag}, {u"id"_s, QString()}});
    page->addElement({{u"tagName"_s, u"DIV"_s}, {u"id"_s, u"box"_s}, {u"innerText"_s, u"box"_s}});
    page->addElement({{u"tagName"_s, u"INPUT"_s}, {u"id"_s, u"field"_s}, {u"name"_s, u"q"_s}, {u"value"_s, u"v"_s}});
    page->addElement({{u"tagName"_s, u"SPAN"_s}, {u"id"_s, QString()}, {u"name"_s, u"named"_s}});
    return {browser, [shell, browser] { browser->show(u"http://elsewhere.test/"_s); }};
}

} // namespace

INSTANTIATE_TEST_SUITE_P(AutomationDouble, PageContract, ::testing::Values(PageSceneMaker{"double", doublePage}),
                         [](const auto &info) { return info.param.name; });
