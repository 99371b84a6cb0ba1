// vorlane-cli elements, click and focus on a real page: what they report
// when the element is not there.
#include "tests/cli/CliProcess.h"
#include "tests/support/QtPrinting.h"

#include <QJsonArray>

using namespace Qt::StringLiterals;
using namespace clitest;
using testsupport::eventually;

TEST_F(CliTest, MissingElementsAreFailuresThatSayWhy)
{
    auto browser = openPage(u"/cli-missing.html"_s, uR"html(<title>m</title>
      <input id=box type=checkbox name=b><input name=named onfocus="document.title = 'focused'">)html"_s);
    const QString handle = handleOf(browser->locationURL());
    ASSERT_EQ(handle.size(), 8);

    const CliRun noName = run({u"focus"_s, handle, u"nosuchname"_s});
    EXPECT_EQ(noName.exitCode, 1);
    EXPECT_EQ(noName.messages(), 1) << noName.err.toStdString();
    EXPECT_TRUE(noName.err.contains(u"no element has the identifier or name nosuchname"_s)) << noName.err.toStdString();
    EXPECT_EQ(run({u"focus"_s, handle, u"named"_s}).exitCode, 0);
    EXPECT_TRUE(eventually([&] { return browser->locationName() == u"focused"_s; }, 60000));

    // HTML HEAD TITLE BODY INPUT INPUT
    const CliRun outside = run({u"click"_s, handle, u"99999"_s});
    EXPECT_EQ(outside.exitCode, 1);
    EXPECT_EQ(outside.err, u"vorlane-cli: item 99999 is outside the page's 6 elements\n"_s);
    EXPECT_EQ(run({u"set-value"_s, handle, u"6"_s, u"x"_s}).err,
              u"vorlane-cli: item 6 is outside the page's 6 elements\n"_s);

    // A check box is ticked and cleared again, as the inspector does it.
    const auto ticked = [&] {
        return testsupport::elementById(browser->document(), u"box"_s)->get(u"checked"_s).toBool();
    };
    EXPECT_EQ(run({u"click"_s, handle, u"4"_s}).exitCode, 0);
    EXPECT_TRUE(ticked());
    EXPECT_EQ(run({u"click"_s, handle, u"4"_s}).exitCode, 0);
    EXPECT_FALSE(ticked());

    // The documented keys in their order, and no read failed.
    const CliRun json = run({u"elements"_s, handle, u"--id"_s, u"box"_s, u"--json"_s});
    EXPECT_EQ(json.exitCode, 0);
    QStringList keys;
    for (const QString &line : json.out.split(u'\n')) {
        if (line.startsWith(u"        \""_s))
            keys.append(line.section(u'"', 1, 1));
    }
    EXPECT_EQ(keys, (QStringList{u"no"_s, u"item"_s, u"tagName"_s, u"type"_s, u"click"_s, u"name"_s, u"value"_s,
                                 u"alt"_s, u"href"_s, u"innerText"_s, u"innerHtml"_s, u"id"_s, u"unavailable"_s,
                                 u"failed"_s}));
    const QJsonObject row = QJsonDocument::fromJson(json.out.toUtf8()).array().at(0).toObject();
    EXPECT_EQ(row.value(u"item"_s).toInt(), 4);
    EXPECT_EQ(row.value(u"failed"_s).toArray(), QJsonArray());
}

TEST_F(CliTest, AnActionThatOpensADialogIsDoneAndSaysSo)
{
    // Each handler shows what the action did, so the dialog's text proves it took.
    auto browser = openPage(u"/cli-dialog.html"_s, uR"html(<title>d</title>
      <input id=typed onchange="alert('value ' + this.value)">)html"_s);
    const QString handle = handleOf(browser->locationURL());
    ASSERT_EQ(handle.size(), 8);

    // HTML HEAD TITLE BODY INPUT
    const CliRun written = run({u"set-value"_s, handle, u"4"_s, u"新しい"_s});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(written.err,
              u"vorlane-cli: the page opened a dialog, which waits for an answer in the browser: value 新しい\n"_s);

    auto second = openPage(u"/cli-dialog2.html"_s, uR"html(<title>d</title>
      <button id=b onclick="alert('clicked')">b</button>)html"_s);
    const CliRun clicked = run({u"click"_s, handleOf(second->locationURL()), u"4"_s});
    EXPECT_EQ(clicked.exitCode, 0) << clicked.err.toStdString();
    EXPECT_TRUE(clicked.err.endsWith(u"browser: clicked\n"_s)) << clicked.err.toStdString();
}
