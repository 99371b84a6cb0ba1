#include "app/cli/CliCommand.h"

#include "app/cli/CliPage.h"
#include "page/PropertyCodes.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

const std::pair<QString, QString> kHandleArgument{u"HANDLE"_s, u"The tab's window handle, as tabs prints it."_s};
const std::pair<QString, QString> kItemArgument{u"ITEM"_s, u"The element's item number, as elements prints it."_s};

QString itemText(ItemNo item)
{
    return u"item "_s + QString::number(item);
}

// A dialog that the action's page handler opened: the action was done, and
// the page waits for the user to answer the dialog in the browser. True
// when there is one.
bool toldDialog(CliPage &bound, CliCall &call)
{
    const QString text = bound.browser().dialogText();
    if (!text.isEmpty())
        call.err().message(u"the page opened a dialog, which waits for an answer in the browser: "_s + text);
    return !text.isEmpty();
}

int runSetValue(CliCall &call)
{
    const ItemNo item = CliItemNo(call.arguments[1]);
    const std::unique_ptr<CliPage> bound = CliPage::bind(call.arguments[0], call);
    if (!bound)
        return ExitUsage;
    bound->requireItem(item);
    bound->requireSamePage();
    // Written as the model writes it, but with the failure's reason kept.
    try {
        bound->element(item)->put(u"Value"_s, call.arguments[2]);
    } catch (const AutomationError &e) {
        throw CliFailure(u"the value could not be written into "_s + itemText(item) + u": "_s + CliErrorText(e));
    }
    toldDialog(*bound, call);
    return ExitOk;
}

int runClick(CliCall &call)
{
    const ItemNo item = CliItemNo(call.arguments[1]);
    const std::unique_ptr<CliPage> bound = CliPage::bind(call.arguments[0], call);
    if (!bound)
        return ExitUsage;
    CWebPageHV &page = bound->page();
    bound->requireItem(item);

    // The row's type, and its identifier or else its name, as the grid shows them.
    const QList<ItemText> row = page.GetItemStrRows({item}, {kType, kId, kName}).value(0);
    for (const ItemText &cell : row) {
        if (cell.failed())
            throw CliFailure(u"the type, identifier and name of "_s + itemText(item) + u" could not be read: "_s
                             + CliErrorText(*cell.failure));
    }
    QString type = row.value(0).text;
    const QString name = row.value(1).text.isEmpty() ? row.value(2).text : row.value(1).text;

    // The model clicks nothing on a page other than the one it bound, and
    // keeps a failed tick to itself: both are checked here.
    bound->requireSamePage();
    const bool ticks = (type == u"radio"_s || type == u"checkbox"_s) && !name.isEmpty();
    try {
        const automation::ElementPtr element = bound->element(item);
        bool wanted = true;
        if (ticks && type == u"checkbox"_s)
            wanted = !element->get(u"Checked"_s).toBool();
        page.ItemClick(item, type, name);
        if (toldDialog(*bound, call))
            return ExitOk; // the box cannot be read while the dialog blocks the page
        if (ticks && element->get(u"Checked"_s).toBool() != wanted)
            throw CliFailure(u"the "_s + (type == u"radio"_s ? u"radio button"_s : u"check box"_s) + u" of "_s
                             + itemText(item) + u" could not be "_s + (wanted ? u"ticked"_s : u"cleared"_s));
    } catch (const AutomationError &e) {
        throw CliFailure(u"the click on "_s + itemText(item) + u" failed: "_s + CliErrorText(e));
    }
    return ExitOk;
}

int runFocus(CliCall &call)
{
    const QString &name = call.arguments[1];
    const std::unique_ptr<CliPage> bound = CliPage::bind(call.arguments[0], call);
    if (!bound)
        return ExitUsage;
    bound->requireSamePage();
    // Looked up here: the model says nothing when no element has the name.
    try {
        const automation::ElementPtr element = bound->document()->getElementById(name);
        if (!element)
            throw CliFailure(u"no element has the identifier or name "_s + name);
        bound->browser().bringToFront();
        element->invoke(u"focus"_s);
    } catch (const AutomationError &e) {
        throw CliFailure(u"the focus on "_s + name + u" failed: "_s + CliErrorText(e));
    }
    toldDialog(*bound, call);
    return ExitOk;
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
            u"ticked or cleared. Fails when the tab has left the page or the tick did not take."_s,
            {kHandleArgument, kItemArgument},
            {},
            runClick};
}

CliCommand FocusCommand()
{
    return {u"focus"_s,
            u"Move the page's focus to an element."_s,
            u"Brings the tab to the front and focuses the element with that identifier, or else that name. "
            u"Fails when no element has it."_s,
            {kHandleArgument, {u"NAME"_s, u"The element's identifier or name."_s}},
            {},
            runFocus};
}
