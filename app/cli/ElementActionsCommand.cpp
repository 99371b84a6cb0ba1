#include "app/cli/CliCommand.h"

#include "app/cli/CliPage.h"
#include "page/PropertyCodes.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace {

void expectArguments(const QStringList &args, qsizetype count, const char *usage)
{
    if (args.size() != count)
        throw CliUsageError(usage);
}

// Runs an action on the page; an automation failure is the action's failure.
int act(CliOutput io, const std::function<bool()> &action, const char *failure)
{
    try {
        if (action())
            return ExitOk;
        io.err << "vorlane-cli: " << failure << '\n';
    } catch (const automation::AutomationError &e) {
        io.err << "vorlane-cli: " << failure << ": " << e.description() << '\n';
    }
    return ExitFailed;
}

} // namespace

int RunSetValueCommand(const QStringList &args, CliOutput io)
{
    expectArguments(args, 3, "set-value HANDLE ITEM TEXT");
    const ItemNo item = CliItemNo(args[1]);
    const std::unique_ptr<CliPage> bound = CliPage::bind(args[0], io);
    if (!bound)
        return ExitUsage;
    return act(io, [&] { return bound->page().SetItem_Value(item, args[2]); }, "the value could not be written");
}

int RunClickCommand(const QStringList &args, CliOutput io)
{
    expectArguments(args, 2, "click HANDLE ITEM");
    const ItemNo item = CliItemNo(args[1]);
    const std::unique_ptr<CliPage> bound = CliPage::bind(args[0], io);
    if (!bound)
        return ExitUsage;
    CWebPageHV &page = bound->page();
    return act(io, [&] {
        // The row's type and its identifier, or its name when it has none.
        bool error = false;
        QString type = page.GetItemStr(item, kType, error);
        QString name = page.GetItemStr(item, kId, error);
        if (name.isEmpty())
            name = page.GetItemStr(item, kName, error);
        page.ItemClick(item, type, name);
        return true;
    }, "the click failed");
}

int RunFocusCommand(const QStringList &args, CliOutput io)
{
    expectArguments(args, 2, "focus HANDLE NAME");
    const std::unique_ptr<CliPage> bound = CliPage::bind(args[0], io);
    if (!bound)
        return ExitUsage;
    CWebPageHV &page = bound->page();
    return act(io, [&] {
        page.SetfocusItem(args[1]);
        return true;
    }, "the focus failed");
}
