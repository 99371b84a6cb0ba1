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
