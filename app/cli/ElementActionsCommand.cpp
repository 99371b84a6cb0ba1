#include "app/cli/CliCommand.h"

#include "app/cli/CliPage.h"
#include "page/PropertyCodes.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const std::pair<QString, QString> kHandleArgument{u"HANDLE"_s, u"The tab's window handle, as tabs prints it."_s};
const std::pair<QString, QString> kItemArgument{u"ITEM"_s, u"The element's item number, as elements prints it."_s};

// Runs an action on the page; an automation failure is the action's failure.
int act(const std::function<bool()> &action, const QString &failure)
{
    try {
        if (action())
            return ExitOk;
    } catch (const automation::AutomationError &e) {
        throw CliFailure(failure + u": "_s + CliErrorText(e));
    }
    throw CliFailure(failure);
}

int runSetValue(CliCall &call)
{
    const ItemNo item = CliItemNo(call.arguments[1]);
    const std::unique_ptr<CliPage> bound = CliPage::bind(call.arguments[0], call);
    if (!bound)
        return ExitUsage;
    return act([&] { return bound->page().SetItem_Value(item, call.arguments[2]); },
               u"the value could not be written"_s);
}

int runClick(CliCall &call)
{
    const ItemNo item = CliItemNo(call.arguments[1]);
    const std::unique_ptr<CliPage> bound = CliPage::bind(call.arguments[0], call);
    if (!bound)
        return ExitUsage;
    CWebPageHV &page = bound->page();
    return act([&] {
        // The row's type and its identifier, or its name when it has none.
        bool error = false;
        QString type = page.GetItemStr(item, kType, error);
        QString name = page.GetItemStr(item, kId, error);
        if (name.isEmpty())
            name = page.GetItemStr(item, kName, error);
        page.ItemClick(item, type, name);
        return true;
    }, u"the click failed"_s);
}

int runFocus(CliCall &call)
{
    const std::unique_ptr<CliPage> bound = CliPage::bind(call.arguments[0], call);
    if (!bound)
        return ExitUsage;
    return act([&] {
        bound->page().SetfocusItem(call.arguments[1]);
        return true;
    }, u"the focus failed"_s);
}

} // namespace

CliCommand SetValueCommand()
{
    return {u"set-value"_s,
            u"Write a value into an element."_s,
            u"Writes TEXT into the element's value; the page hears input and change as if the user had typed. "
            u"Put -- before a TEXT that begins with -."_s,
            {kHandleArgument, kItemArgument, {u"TEXT"_s, u"The value."_s}},
            {},
            runSetValue};
}

CliCommand ClickCommand()
{
    return {u"click"_s,
            u"Click an element."_s,
            u"Clicks the element as the inspector's button does: a radio button is chosen and a check box "
            u"ticked or cleared."_s,
            {kHandleArgument, kItemArgument},
            {},
            runClick};
}

CliCommand FocusCommand()
{
    return {u"focus"_s,
            u"Move the page's focus to an element."_s,
            u"Brings the tab to the front and focuses the element with that identifier, or else that name."_s,
            {kHandleArgument, {u"NAME"_s, u"The element's identifier or name."_s}},
            {},
            runFocus};
}
