// The commands in-process over the in-memory double: the failures that no
// real browser produces on demand.
#include "app/cli/CliCommand.h"
#include "browser/CWebBrowserHV.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TempStoreFolder.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using automation::CollectionKind;
using automation::doubles::BrowserDouble;
using automation::doubles::ElementDouble;

namespace {

struct Outcome
{
    int status;
    QString out;
    QString err;
};

QString readBack(QTemporaryFile &file)
{
    QFile again(file.fileName());
    again.open(QIODevice::ReadOnly);
    return QString::fromUtf8(again.readAll());
}

class CommandsOnDouble : public ::testing::Test
{
protected:
    Outcome run(const QStringList &args)
    {
        QTemporaryFile out;
        QTemporaryFile err;
        out.open();
        err.open();
        int status = 0;
        {
            CliStdout stdOut(out.handle());
            CliStderr stdErr(err.handle(), false);
            CliContext context{stdOut, stdErr, [this](const QStringList &endpoints) {
                                   connected.append(endpoints);
                                   return shell;
                               }};
            status = RunCli(args, context);
        }
        return {status, readBack(out), readBack(err)};
    }

    static QString handle(const std::shared_ptr<BrowserDouble> &window)
    {
        return QString::number(window->state().hwnd, 16).toUpper().rightJustified(8, u'0');
    }
    std::shared_ptr<ElementDouble> add(const QVariantMap &members) { return browser->page()->addElement(members); }

    TempStoreFolder store;
    std::shared_ptr<automation::doubles::ShellWindowsDouble> shell =
        std::make_shared<automation::doubles::ShellWindowsDouble>();
    std::shared_ptr<BrowserDouble> browser = shell->open(u"http://a.test/"_s);
    QStringList connected;
};

} // namespace

TEST_F(CommandsOnDouble, ClickFailsWhenThePageHasChangedOrTheTickDidNotTake)
{
    const QVariantMap checkBox{{u"tagName"_s, u"INPUT"_s}, {u"type"_s, u"checkbox"_s}, {u"id"_s, u"box"_s},
                               {u"checked"_s, false}};
    const auto box = add(checkBox);
    // The tab moves on while the row is read.
    browser->page()->collectionDouble(CollectionKind::All)->onEnter(u"readMany"_s, [&] {
        browser->state().url = u"http://b.test/"_s;
    });
    const Outcome moved = run({u"click"_s, handle(browser), u"0"_s});
    EXPECT_EQ(moved.status, 1);
    EXPECT_EQ(moved.err, u"vorlane-cli: the tab has left the page that was read and shows http://b.test/ now\n"_s);
    EXPECT_FALSE(box->value(u"checked"_s).toBool());

    // The page refuses the tick, which the model keeps to itself.
    const auto other = shell->open(u"http://c.test/"_s);
    const auto refusing = other->page()->addElement(checkBox);
    refusing->onEnter(u"checked"_s, [&] {
        if (refusing->journal().last().startsWith(u"checked="_s, Qt::CaseInsensitive))
            refusing->failOn(u"checked"_s, automation::AutomationError::AutomationFailure);
        else
            refusing->clearFailure(u"checked"_s);
    });
    const Outcome refused = run({u"click"_s, handle(other), u"0"_s});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, u"vorlane-cli: the check box of item 0 could not be ticked\n"_s);

    refusing->onEnter(u"checked"_s, [] {});
    EXPECT_EQ(run({u"click"_s, handle(other), u"0"_s}).status, 0);
    EXPECT_TRUE(refusing->value(u"checked"_s).toBool());
}

TEST_F(CommandsOnDouble, FailedReadsAreMarkedApartFromMissingMembers)
{
    add({{u"tagName"_s, u"P"_s}, {u"innerText"_s, u"p"_s}});
    const auto input = add({{u"tagName"_s, u"INPUT"_s}, {u"type"_s, u"text"_s}, {u"name"_s, u"n"_s},
                            {u"value"_s, u"v"_s}, {u"id"_s, u"i"_s}});
    input->failOn(u"value"_s, automation::AutomationError::AutomationFailure); // beeped only
    input->failOn(u"id"_s, automation::AutomationError::Overflow);             // message box

    const Outcome text = run({u"elements"_s, handle(browser)});
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.out.split(u'\n').value(1), u"2\t1\tINPUT\ttext\t\tn\t\t\t\t\t\t"_s);
    EXPECT_EQ(text.err, u"vorlane-cli: item 1: value, id could not be read\n"
                        u"vorlane-cli: 2 properties of 1 element could not be read and are left empty "
                        u"(error 6, 440)\n"_s);

    const Outcome json = run({u"elements"_s, handle(browser), u"--json"_s});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.err.count(u'\n'), 1) << json.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toObject().value(u"failed"_s).toArray(), QJsonArray());
    EXPECT_TRUE(rows[0].toObject().value(u"unavailable"_s).toArray().contains(5));
    EXPECT_EQ(rows[1].toObject().value(u"failed"_s).toArray(), (QJsonArray{5, 10}));
    EXPECT_FALSE(rows[1].toObject().value(u"unavailable"_s).toArray().contains(5));

    // A filter that could not read a property may have missed the element.
    const Outcome search = run({u"elements"_s, handle(browser), u"--id"_s, u"i"_s});
    EXPECT_EQ(search.status, 1);
    EXPECT_TRUE(search.err.startsWith(u"vorlane-cli: the search could not read 1 property, so the list may "_s))
        << search.err.toStdString();

    input->clearFailure(u"value"_s);
    input->clearFailure(u"id"_s);
    EXPECT_EQ(run({u"elements"_s, handle(browser), u"--jsonl"_s}).status, 0);

    // A page left while it is read reads as unavailable: the listing fails,
    // and lists none of the elements it could not read as empty ones.
    browser->page()->collectionDouble(CollectionKind::All)->onEnter(u"readMany"_s, [&] {
        browser->show(u"http://b.test/"_s);
    });
    const Outcome left = run({u"elements"_s, handle(browser)});
    EXPECT_EQ(left.status, 1);
    EXPECT_TRUE(left.err.contains(u"has left the page"_s)) << left.err.toStdString();
    EXPECT_EQ(left.out, QString());

    // So does one loaded again, whose address stays: its elements are gone
    // all the same. Chromium may also tell of a new address after the
    // document has gone.
    browser->show(u"http://a.test/"_s);
    add({{u"tagName"_s, u"P"_s}, {u"innerText"_s, u"p"_s}});
    browser->page()->collectionDouble(CollectionKind::All)->onEnter(u"readMany"_s, [&] {
        browser->show(u"http://a.test/"_s);
    });
    const Outcome reloaded = run({u"elements"_s, handle(browser)});
    EXPECT_EQ(reloaded.status, 1);
    EXPECT_EQ(reloaded.out, QString());
    EXPECT_EQ(reloaded.err, u"vorlane-cli: the tab has left the page that was read: the page has navigated "
                            u"since it was read (error 70)\n"_s);
}

// What the help of elements says each filter selects, checked on elements
// whose values are empty, missing or anything else.
TEST_F(CommandsOnDouble, OtherFiltersKeepEveryElementWhoseValueIsNotEmpty)
{
    add({{u"tagName"_s, u"P"_s}, {u"alt"_s, QString()}, {u"id"_s, QString()}, {u"name"_s, QString()},
         {u"innerHTML"_s, QString()}});
    add({{u"tagName"_s, u"IMG"_s}, {u"alt"_s, u"a"_s}});
    add({{u"tagName"_s, u"INPUT"_s}, {u"id"_s, u"i"_s}});
    add({{u"tagName"_s, u"INPUT"_s}, {u"id"_s, u"j"_s}, {u"name"_s, u"n"_s}});
    add({{u"tagName"_s, u"B"_s}, {u"innerHTML"_s, u"  bold"_s}});
    add({{u"tagName"_s, u"DIV"_s}, {u"innerHTML"_s, u"  <b>bold</b>"_s}});
    add({{u"tagName"_s, u"DIV"_s}, {u"innerHTML"_s, QString(1025, u'x')}});
    const auto listed = [&](const QStringList &filter) {
        const Outcome outcome = run(QStringList{u"elements"_s, handle(browser)} + filter);
        EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
        QList<qint32> items;
        for (const QString &line : outcome.out.split(u'\n', Qt::SkipEmptyParts))
            items.append(line.section(u'\t', 1, 1).toInt());
        return items;
    };
    EXPECT_EQ(listed({u"--alt-other"_s}), QList<qint32>{1});
    EXPECT_EQ(listed({u"--id-other"_s}), (QList<qint32>{2, 3}));
    EXPECT_EQ(listed({u"--name-other"_s}), QList<qint32>{3});
    EXPECT_EQ(listed({u"--text-other"_s}), QList<qint32>{4});
    EXPECT_EQ(listed({u"--text-other"_s, u"--text-extend"_s}), (QList<qint32>{4, 5}));
    EXPECT_EQ(listed({u"--text-extend"_s}), QList<qint32>{});
    // A text beside the "other" option neither narrows nor widens the list.
    EXPECT_EQ(listed({u"--id"_s, u"i"_s, u"--id-other"_s}), (QList<qint32>{2, 3}));
    // --text looks at the mark-up, not at the text it shows.
    EXPECT_EQ(listed({u"--text"_s, u"b>"_s, u"--text-extend"_s}), QList<qint32>{5});
}

TEST_F(CommandsOnDouble, ACountThatFailsIsNotAnEmptyPage)
{
    add({{u"tagName"_s, u"P"_s}});
    browser->page()->collectionDouble(CollectionKind::All)->failOn(u"length"_s,
                                                                   automation::AutomationError::AutomationFailure);
    const Outcome listed = run({u"elements"_s, handle(browser), u"--json"_s});
    EXPECT_EQ(listed.status, 1) << listed.out.toStdString();
    EXPECT_TRUE(listed.err.contains(u"cannot be counted"_s)) << listed.err.toStdString();

    // A page that really has nothing to list still lists nothing, with success.
    browser->page()->collectionDouble(CollectionKind::All)->clearFailure(u"length"_s);
    const Outcome none = run({u"elements"_s, handle(browser), u"--tag"_s, u"IMG"_s, u"--json"_s});
    EXPECT_EQ(none.status, 0) << none.err.toStdString();
    const QJsonDocument rows = QJsonDocument::fromJson(none.out.toUtf8());
    EXPECT_TRUE(rows.isArray() && rows.array().isEmpty()) << none.out.toStdString();
}

TEST_F(CommandsOnDouble, WriteAndFocusFailuresKeepTheirReason)
{
    const auto input = add({{u"tagName"_s, u"INPUT"_s}, {u"id"_s, u"f"_s}, {u"value"_s, QString()}});
    using automation::AutomationError;
    input->failOn(u"value"_s, AutomationError::AutomationFailure, u"the tab is not answering"_s);
    EXPECT_EQ(run({u"set-value"_s, handle(browser), u"0"_s, u"x"_s}).err,
              u"vorlane-cli: the value could not be written into item 0: the tab is not answering (error 440)\n"_s);

    input->failOn(u"focus"_s, AutomationError::ServerUnavailable);
    const Outcome focus = run({u"focus"_s, handle(browser), u"f"_s});
    EXPECT_EQ(focus.status, 1);
    EXPECT_EQ(focus.err, u"vorlane-cli: the focus on f failed: the tab or the browser has gone (error 462)\n"_s);
}

TEST_F(CommandsOnDouble, TabsGiveTheReadyStateNumberBesideItsName)
{
    for (qint32 state = 0; state < 5; ++state)
        shell->open(u"http://r.test/"_s + QString::number(state))->state().readyState = state;
    browser->close();
    const Outcome tabs = run({u"tabs"_s, u"--jsonl"_s, u"--endpoint"_s, u"http://127.0.0.1:9"_s});
    CWebBrowserHV names(shell);
    const QStringList lines = tabs.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    for (qint32 state = 0; state < 5; ++state) {
        const QJsonObject row = QJsonDocument::fromJson(lines[state].toUtf8()).object();
        EXPECT_EQ(row.value(u"readyState"_s).toInt(-1), state);
        EXPECT_EQ(row.value(u"state"_s).toString(), names.GetReadyStateStr(shell->windows()[state]));
    }
    EXPECT_EQ(connected, QStringList{u"http://127.0.0.1:9"_s});
}

// A browser that goes away while the list is read leaves reads that its
// model takes for a tab with nothing to show: no list is better than one
// with a blank row.
TEST_F(CommandsOnDouble, TabsFailWhenTheBrowserGoesWhileTheyAreRead)
{
    const auto last = shell->open(u"http://b.test/"_s);
    last->onEnter(u"ReadyState"_s, [&] {
        using automation::AutomationError;
        shell->failOn(u"Count"_s, AutomationError::ServerUnavailable);
        shell->failOn(u"Item"_s, AutomationError::ServerUnavailable);
        last->close();
    });
    const Outcome tabs = run({u"tabs"_s});
    EXPECT_EQ(tabs.status, 2) << tabs.out.toStdString();
    EXPECT_EQ(tabs.out, QString());
    EXPECT_EQ(tabs.err, u"vorlane-cli: the tab or the browser has gone (error 462)\n"_s);
}
