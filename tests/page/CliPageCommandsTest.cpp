// vorlane-cli elements, set-value, click and focus, run as separate processes
// against the tests' Chromium.
#include "platform/stores/IniProgramSettings.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/chromium/ChromiumFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using testsupport::eventually;

namespace {

struct CliRun
{
    int exitCode;
    QString out;
    QString err;

    // Our own lines on stderr, whatever the platform adds.
    qsizetype messages() const { return err.count(u"vorlane-cli:"_s); }
};

class CliPageTest : public testsupport::ChromiumTest
{
protected:
    CliRun run(const QStringList &args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"VORLANE_DEVTOOLS"_s,
                   testsupport::ChromiumEnvironment::instance().chromium().endpoint().display());
        env.insert(u"VORLANE_CONFIG_DIR"_s, m_store.path());
        process.setProcessEnvironment(env);
        process.start(QString::fromUtf8(VORLANE_CLI_PATH), args);
        const bool finished = process.waitForFinished(120000);
        CliRun result{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                      QString::fromUtf8(process.readAllStandardError())};
        // A crash's exit code is its signal: say so, with what it wrote.
        if (!finished || process.exitStatus() != QProcess::NormalExit)
            ADD_FAILURE() << "vorlane-cli " << args.join(u' ').toStdString()
                          << (finished ? " crashed with signal " : " did not finish, ") << result.exitCode << ": "
                          << result.err.toStdString();
        return result;
    }

    // The handle that vorlane-cli gives the tab showing url.
    QString handleOf(const QString &url)
    {
        const CliRun tabs = run({u"tabs"_s, u"--json"_s});
        for (const QJsonValue &row : QJsonDocument::fromJson(tabs.out.toUtf8()).array()) {
            if (row.toObject().value(u"url"_s).toString() == url)
                return row.toObject().value(u"handle"_s).toString();
        }
        return {};
    }

    // The command line's own store of remembered positions.
    QString remembered(const QString &key) const
    {
        qputenv("VORLANE_CONFIG_DIR", m_store.path().toUtf8());
        return stores::IniProgramSettings().GetSetting(u"Vorlane"_s, u"ItemFilter"_s, key, {});
    }
    void remember(const QString &key, const QString &itemNo)
    {
        qputenv("VORLANE_CONFIG_DIR", m_store.path().toUtf8());
        stores::IniProgramSettings().SaveSetting(u"Vorlane"_s, u"ItemFilter"_s, key, itemNo);
    }

private:
    QTemporaryDir m_store;
};

} // namespace

TEST_F(CliPageTest, ElementsListsWhatTheInspectorWouldList)
{
    auto browser = openPage(u"/cli-elements.html"_s, uR"html(<title>cli</title>
      <pre id=pre>a	b\c
d</pre><input id=in name=n value=v><a id=l1 href="http://a.test/x">one</a><a id=l2 href="http://a.test/y">two</a>)html"_s);
    const QString handle = handleOf(browser->locationURL());
    ASSERT_EQ(handle.size(), 8);

    const CliRun all = run({u"elements"_s, handle});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    const QStringList lines = all.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8); // HTML HEAD TITLE BODY PRE INPUT A A
    EXPECT_TRUE(lines[0].startsWith(u"1\t0\tHTML\t"_s));

    const CliRun inputs = run({u"elements"_s, handle, u"--tag"_s, u"INPUT"_s, u"--type"_s, u"text"_s});
    EXPECT_EQ(inputs.out, u"1\t5\tINPUT\ttext\t\tn\tv\t\t\t\t\tin\n"_s);

    const CliRun pre = run({u"elements"_s, handle, u"--id"_s, u"pre"_s});
    EXPECT_EQ(pre.out.split(u'\t').value(9), u"a\\tb\\\\c\\nd"_s);

    const CliRun json = run({u"elements"_s, handle, u"--id"_s, u"pre"_s, u"--json"_s});
    const QJsonObject row = QJsonDocument::fromJson(json.out.toUtf8()).array().at(0).toObject();
    EXPECT_EQ(row.value(u"no"_s).toInt(), 1);
    EXPECT_EQ(row.value(u"item"_s).toInt(), 4);
    EXPECT_EQ(row.value(u"tagName"_s).toString(), u"PRE"_s);
    EXPECT_EQ(row.value(u"innerText"_s).toString(), u"a\tb\\c\nd"_s);
    EXPECT_EQ(row.value(u"click"_s).toString(), QString());
    EXPECT_EQ(row.value(u"unavailable"_s).toArray(), (QJsonArray{2, 4, 5, 6, 7}));

    // The remembered position: found at the first link, then from wherever it was last found.
    const QStringList firstLink{u"elements"_s, handle, u"--href"_s, u"a.test"_s, u"--first"_s, u"--registered"_s};
    EXPECT_TRUE(run(firstLink).out.startsWith(u"1\t6\tA\t"_s));
    const QString key = u"000000[a.test][]00[]0[]0[]0[]"_s;
    EXPECT_EQ(remembered(key), u"6"_s);
    remember(key, u"7"_s);
    EXPECT_EQ(run(firstLink).out, u"1\t7\tA\t\t\t\t\t\thttp://a.test/y\ttwo\ttwo\tl2\n"_s);
    EXPECT_TRUE(run(firstLink.mid(0, 5)).out.startsWith(u"1\t6\tA\t"_s)); // without --registered

    EXPECT_EQ(run({u"elements"_s, handle, u"--tag"_s, u"DIV"_s}).exitCode, 2);
    EXPECT_EQ(run({u"elements"_s, handle, u"--href"_s, u"a"_s, u"--href"_s, u"b"_s, u"--href"_s, u"c"_s}).exitCode, 2);
    EXPECT_EQ(run({u"elements"_s, u"12345"_s}).exitCode, 2);
    const CliRun nobody = run({u"elements"_s, u"7FFFFFF0"_s});
    EXPECT_EQ(nobody.exitCode, 2);
    EXPECT_EQ(nobody.messages(), 1) << nobody.err.toStdString();
}

TEST_F(CliPageTest, PagesBeyondSixteenBitsListEveryElement)
{
    auto browser = openPage(u"/cli-large.html"_s, uR"html(<title>large</title><body><script>
        for (let i = 0; i < 40000; ++i) document.body.appendChild(document.createElement('span'));
      </script><input id=last value=v>)html"_s);
    const QString handle = handleOf(browser->locationURL());
    ASSERT_EQ(handle.size(), 8);

    const CliRun inputs = run({u"elements"_s, handle, u"--tag"_s, u"INPUT"_s, u"--first"_s, u"--registered"_s});
    ASSERT_EQ(inputs.exitCode, 0) << inputs.err.toStdString();
    const QStringList fields = inputs.out.split(u'\t');
    ASSERT_GT(fields.size(), 11) << inputs.out.toStdString();
    const QString item = fields[1];
    EXPECT_GT(item.toInt(), 40000);
    EXPECT_EQ(fields[11], u"last\n"_s);
    EXPECT_EQ(remembered(u"000080[][]00[]0[]0[]0[]"_s), item);
    EXPECT_EQ(run({u"elements"_s, handle, u"--tag"_s, u"INPUT"_s, u"--first"_s, u"--registered"_s}).out, inputs.out);

    EXPECT_EQ(run({u"set-value"_s, handle, item, u"w"_s}).exitCode, 0);
    EXPECT_TRUE(run({u"elements"_s, handle, u"--id"_s, u"last"_s}).out.contains(u"\tw\t"_s));
}

TEST_F(CliPageTest, SetValueClickAndFocus)
{
    auto browser = openPage(u"/cli-actions.html"_s, uR"html(<title>cli</title>
      <input id=in><input type=radio name=g><input type=radio name=g><input id=f onfocus="focused = true">
      <script>
        let focused = false;
        setInterval(() => {
          const [text, r1, r2] = document.querySelectorAll('input');
          document.title = text.value + (r1.checked ? 1 : 0) + (r2.checked ? 1 : 0) + (focused ? 'f' : '');
        }, 10);
      </script>)html"_s);
    const QString handle = handleOf(browser->locationURL());
    const auto shows = [&](const QString &title) {
        return eventually([&] { return browser->locationName() == title; });
    };
    // HTML HEAD TITLE BODY INPUT INPUT INPUT INPUT SCRIPT
    EXPECT_EQ(run({u"set-value"_s, handle, u"4"_s, u"値"_s}).exitCode, 0);
    EXPECT_TRUE(shows(u"値00"_s));
    EXPECT_EQ(run({u"click"_s, handle, u"6"_s}).exitCode, 0);
    EXPECT_TRUE(shows(u"値01"_s));
    EXPECT_EQ(run({u"focus"_s, handle, u"f"_s}).exitCode, 0);
    EXPECT_TRUE(shows(u"値01f"_s));

    const CliRun missing = run({u"set-value"_s, handle, u"99"_s, u"x"_s});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.messages(), 1) << missing.err.toStdString();
    EXPECT_EQ(run({u"click"_s, handle, u"99"_s}).exitCode, 1);
    EXPECT_EQ(run({u"set-value"_s, handle, u"-1"_s, u"x"_s}).exitCode, 2);
    EXPECT_EQ(run({u"click"_s, handle}).exitCode, 2);
    EXPECT_EQ(run({u"focus"_s, u"7FFFFFF0"_s, u"f"_s}).exitCode, 2);
}
