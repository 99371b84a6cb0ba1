// vorlane-cli tabs, run as a separate process against the tests' Chromium.
#include "browser/BrowserList.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/chromium/ChromiumFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>

using namespace Qt::StringLiterals;
using testsupport::ChromiumTest;

namespace {

struct CliRun
{
    int exitCode;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &args, const QString &devtools)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"VORLANE_DEVTOOLS"_s, devtools);
    process.setProcessEnvironment(env);
    process.start(QString::fromUtf8(VORLANE_CLI_PATH), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString endpointText()
{
    return testsupport::ChromiumEnvironment::instance().chromium().endpoint().display();
}

} // namespace

TEST_F(ChromiumTest, TabsPrintsTheListRows)
{
    auto first = openPage(u"/cli1.html"_s, u"<title>一\\タブ</title>"_s);
    shell->createBrowser(); // about:blank: not listed
    openPage(u"/cli2.html"_s, u"<title>二</title>"_s);

    const CliRun tsv = runCli({u"tabs"_s}, endpointText());
    ASSERT_EQ(tsv.exitCode, 0) << tsv.err.toStdString();
    const QStringList lines = tsv.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    // Another process, the same handles.
    EXPECT_EQ(lines[0], u"1\t完了\t"_s + server().url(u"/cli1.html"_s) + u"\t一\\\\タブ\t"_s + HandleText(first->hwnd()));
    EXPECT_TRUE(lines[1].startsWith(u"2\t完了\t"_s + server().url(u"/cli2.html"_s) + u"\t二\t"_s));

    const CliRun json = runCli({u"tabs"_s, u"--json"_s}, endpointText());
    ASSERT_EQ(json.exitCode, 0);
    const QJsonArray rows = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject row = rows.at(1).toObject();
    EXPECT_EQ(row.value(u"no"_s).toInt(), 2);
    EXPECT_EQ(row.value(u"state"_s).toString(), u"完了"_s);
    EXPECT_EQ(row.value(u"title"_s).toString(), u"二"_s);
    EXPECT_EQ(row.value(u"handle"_s).toString().size(), 8);
    EXPECT_EQ(row.value(u"url"_s).toString(), server().url(u"/cli2.html"_s));
}

TEST(TabsCommand, NoBrowserAndBadArguments)
{
    QTcpServer unused;
    ASSERT_TRUE(unused.listen(QHostAddress::LocalHost, 0));
    const QString endpoint = u"http://127.0.0.1:"_s + QString::number(unused.serverPort());
    unused.close();

    const CliRun none = runCli({u"tabs"_s}, endpoint);
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_EQ(none.err.count(u'\n'), 1);
    EXPECT_TRUE(none.err.contains(endpoint)) << none.err.toStdString();

    EXPECT_EQ(runCli({u"tabs"_s, u"--xml"_s}, endpoint).exitCode, 2);
    EXPECT_EQ(runCli({u"nonsense"_s}, endpoint).exitCode, 2);
    EXPECT_EQ(runCli({u"tabs"_s}, u"http://10.1.2.3:9222"_s).exitCode, 2);
}
