// vorlane-cli tabs, its arguments, endpoints and output streams, run as a
// separate process against the tests' Chromium.
#include "browser/BrowserList.h"
#include "tests/cli/CliProcess.h"
#include "tests/support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTcpServer>

#include <csignal>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace clitest;
using testsupport::eventually;

namespace {

QString deadEndpoint()
{
    QTcpServer unused;
    unused.listen(QHostAddress::LocalHost, 0);
    return u"http://127.0.0.1:"_s + QString::number(unused.serverPort());
}

} // namespace

TEST_F(CliTest, TabsTellsAPageStillArrivingAsLoading)
{
    // vorlane-cli meets the page half-way through: it has passed no
    // milestone that the browser could tell again.
    auto arriving = shell->createBrowser();
    arriving->navigate(server().url(u"/slow?ms=600000"_s));
    // Listed once the navigation has committed; it never finishes here.
    CliRun json;
    QJsonArray listed;
    ASSERT_TRUE(eventually([&] {
        json = run({u"tabs"_s, u"--json"_s});
        listed = QJsonDocument::fromJson(json.out.toUtf8()).array();
        return json.exitCode == 0 && listed.size() == 1;
    }, 60000)) << json.err.toStdString();
    const QJsonObject row = listed.at(0).toObject();
    EXPECT_EQ(row.value(u"state"_s).toString(), u"読込中"_s);
    EXPECT_EQ(row.value(u"readyState"_s).toInt(), 1);

    // The main window's list, started as late.
    CWebBrowserHV later(std::make_shared<chromium::ChromiumShellWindows>(
        QList<chromium::DevToolsEndpoint>{testsupport::ChromiumEnvironment::instance().chromium().endpoint()},
        options()));
    const QList<BrowserListRow> rows = ReadBrowserList(later);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].ReadyState, automation::ReadyState::Loading);
    EXPECT_EQ(rows[0].Status, u"読込中"_s);
}

TEST_F(CliTest, TabsPrintsTheListRows)
{
    auto first = openPage(u"/cli1.html"_s, u"<title>一\\タブ</title>"_s);
    shell->createBrowser(); // about:blank: not listed
    openPage(u"/cli2.html"_s, u"<title>二</title>"_s);

    const CliRun tsv = run({u"tabs"_s});
    ASSERT_EQ(tsv.exitCode, 0) << tsv.err.toStdString();
    EXPECT_EQ(tsv.err, QString());
    const QStringList lines = tsv.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    // Another process, the same handles.
    EXPECT_EQ(lines[0], u"1\t完了\t"_s + server().url(u"/cli1.html"_s) + u"\t一\\\\タブ\t"_s + HandleText(first->hwnd()));
    EXPECT_TRUE(lines[1].startsWith(u"2\t完了\t"_s + server().url(u"/cli2.html"_s) + u"\t二\t"_s));

    const CliRun json = run({u"tabs"_s, u"--json"_s});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonArray rows = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject row = rows.at(1).toObject();
    EXPECT_EQ(row.value(u"no"_s).toInt(), 2);
    EXPECT_EQ(row.value(u"state"_s).toString(), u"完了"_s);
    EXPECT_EQ(row.value(u"readyState"_s).toInt(), 4);
    EXPECT_EQ(row.value(u"title"_s).toString(), u"二"_s);
    EXPECT_EQ(row.value(u"handle"_s).toString().size(), 8);
    EXPECT_EQ(row.value(u"url"_s).toString(), server().url(u"/cli2.html"_s));
    // Scripts read the keys in the documented order.
    const QStringList keys{u"\"no\""_s,  u"\"state\""_s, u"\"readyState\""_s,
                           u"\"url\""_s, u"\"title\""_s, u"\"handle\""_s};
    for (qsizetype k = 1; k < keys.size(); ++k)
        EXPECT_LT(json.out.indexOf(keys[k - 1]), json.out.indexOf(keys[k])) << keys[k].toStdString();

    const CliRun jsonl = run({u"tabs"_s, u"--jsonl"_s});
    const QStringList objects = jsonl.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(objects.size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(objects[1].toUtf8()).object(), row);
}

TEST(CliArguments, HelpAndVersionGoToStdoutBadArgumentsExit2)
{
    QTemporaryDir store;
    const QProcessEnvironment env = cliEnvironment(deadEndpoint(), store.path());
    for (const QStringList &args : {QStringList{u"--help"_s}, {u"help"_s}, {u"help"_s, u"elements"_s},
                                    {u"elements"_s, u"--help"_s}, {u"--version"_s}}) {
        const CliRun help = runCli(args, env);
        EXPECT_EQ(help.exitCode, 0) << args.join(u' ').toStdString();
        EXPECT_EQ(help.err, QString());
        EXPECT_FALSE(help.out.isEmpty());
    }
    EXPECT_TRUE(runCli({u"help"_s, u"elements"_s}, env).out.contains(u"--text-extend"_s));
    EXPECT_EQ(runCli({u"--version"_s}, env).out, u"vorlane-cli "_s + QString::fromUtf8(VORLANE_VERSION) + u'\n');

    for (const QStringList &args : {QStringList{}, {u"nonsense"_s}, {u"tabs"_s, u"--xml"_s}, {u"help"_s, u"nonsense"_s},
                                    {u"click"_s, u"0001000A"_s}, {u"tabs"_s, u"extra"_s}, {u"tabs"_s, u"--endpoint"_s},
                                    {u"tabs"_s, u"--json"_s, u"--jsonl"_s},
                                    {u"elements"_s, u"0001000A"_s, u"--tag"_s, u"DIV"_s}}) {
        const CliRun bad = runCli(args, env);
        EXPECT_EQ(bad.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_EQ(bad.out, QString());
        EXPECT_EQ(bad.messages(), 1) << bad.err.toStdString();
        EXPECT_TRUE(bad.err.contains(u"\nusage: vorlane-cli "_s)) << bad.err.toStdString();
    }
}

TEST_F(CliTest, EndpointsFromTheCommandLineOrTheEnvironment)
{
    openPage(u"/endpoints.html"_s, u"<title>e</title>"_s);
    const QProcessEnvironment env = cliEnvironment(deadEndpoint(), QDir::tempPath());
    const QString live = fixtureEndpoint();
    const QString listed = run({u"tabs"_s}).out;
    ASSERT_FALSE(listed.isEmpty());

    EXPECT_EQ(runCli({u"tabs"_s}, env).exitCode, 2);
    EXPECT_EQ(runCli({u"--endpoint"_s, live, u"tabs"_s}, env).out, listed);
    // Repeated, and after the command; one that does not answer is left out.
    EXPECT_EQ(runCli({u"tabs"_s, u"--endpoint"_s, deadEndpoint(), u"--endpoint"_s, live}, env).out, listed);
    // The browser's own WebSocket address.
    const QUrl socket = chromium::browserSocketUrl(testsupport::ChromiumEnvironment::instance().chromium().endpoint(),
                                                   std::chrono::seconds(60));
    EXPECT_EQ(runCli({u"--endpoint"_s, socket.toString(), u"tabs"_s}, env).out, listed);

    const CliRun v6 = runCli({u"tabs"_s, u"--endpoint"_s, u"http://[::1]:1"_s}, env);
    EXPECT_EQ(v6.exitCode, 2);
    EXPECT_TRUE(v6.err.contains(u"http://[::1]:1 "_s)) << v6.err.toStdString();

    for (const QString &nothing : {u","_s, u" , "_s}) {
        const CliRun none = runCli({u"tabs"_s}, cliEnvironment(nothing, QDir::tempPath()));
        EXPECT_EQ(none.exitCode, 2);
        EXPECT_TRUE(none.err.contains(u"no endpoint is set"_s)) << none.err.toStdString();
    }
    EXPECT_EQ(runCli({u"--endpoint"_s, u""_s, u"tabs"_s}, env).exitCode, 2);
    for (const QString &refused : {u"http://10.1.2.3:9222"_s, u"ws://127.0.0.1:9222/devtools/page/1"_s}) {
        const CliRun bad = runCli({u"tabs"_s, u"--endpoint"_s, refused}, env);
        EXPECT_EQ(bad.exitCode, 2) << refused.toStdString();
        EXPECT_TRUE(bad.err.contains(refused)) << bad.err.toStdString();
    }
}

TEST_F(CliTest, AFailedWriteIsNeverSuccess)
{
    openPage(u"/writes.html"_s, u"<title>w</title>"_s);
    for (const auto &takeStdout : std::initializer_list<std::function<void()>>{
             [] { ::dup2(::open("/dev/full", O_WRONLY), STDOUT_FILENO); }, [] { ::close(STDOUT_FILENO); }}) {
        const CliRun failed = run({u"tabs"_s}, takeStdout);
        EXPECT_EQ(failed.exitStatus, QProcess::NormalExit);
        EXPECT_EQ(failed.exitCode, 1);
        EXPECT_EQ(failed.messages(), 1) << failed.err.toStdString();
        EXPECT_TRUE(failed.err.contains(u"cannot write the output"_s)) << failed.err.toStdString();
    }

    // A reader that has gone: ended by SIGPIPE, without a word.
    const CliRun piped = run({u"tabs"_s}, [] {
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], STDOUT_FILENO);
        }
    });
    EXPECT_EQ(piped.exitStatus, QProcess::CrashExit);
    EXPECT_EQ(piped.exitCode, SIGPIPE);
    EXPECT_EQ(piped.err, QString());
}

TEST_F(CliTest, WithoutXdgRuntimeDirTheHandlesGoToAPrivateFolderQuietly)
{
    openPage(u"/runtime.html"_s, u"<title>r</title>"_s);
    QTemporaryDir home;
    QProcessEnvironment env = cliEnvironment(fixtureEndpoint(), home.path());
    env.remove(u"XDG_RUNTIME_DIR"_s);
    env.remove(u"VORLANE_RUNTIME_DIR"_s);
    env.insert(u"XDG_CACHE_HOME"_s, home.filePath(u"cache"_s));
    const QString folder = home.filePath(u"cache/vorlane"_s);

    const CliRun quiet = runCli({u"tabs"_s}, env);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, QString());
    EXPECT_TRUE(QFile::exists(folder + u"/vorlane-window-handles.json"_s));
    EXPECT_EQ(QFile::permissions(folder) & 0x0077, QFileDevice::Permissions());

    // A folder that others may enter is not used, and that is said once.
    QFile::remove(folder + u"/vorlane-window-handles.json"_s);
    QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::ReadOther | QFileDevice::ExeOther);
    const CliRun told = runCli({u"tabs"_s}, env);
    EXPECT_EQ(told.exitCode, 0);
    EXPECT_EQ(told.err.count(u'\n'), 1) << told.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder + u"/vorlane-window-handles.json"_s));
}

TEST(ProgramVersion, WithoutADisplayOrAWindow)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s); // would fail without a display
    program.setProcessEnvironment(env);
    program.start(QString::fromUtf8(VORLANE_PROGRAM_PATH), {u"--version"_s});
    program.waitForFinished(-1);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(program.readAllStandardOutput()),
              u"vorlane "_s + QString::fromUtf8(VORLANE_VERSION) + u'\n');
}
