#pragma once

// vorlane-cli run as a separate process, as scripts run it.
#include "tests/support/chromium/ChromiumFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>

namespace clitest {

struct CliRun
{
    QProcess::ExitStatus exitStatus;
    int exitCode; // the signal's number after a crash exit
    QString out;
    QString err;

    // Our own lines on stderr.
    qsizetype messages() const { return err.count(QStringLiteral("vorlane-cli:")); }
};

// The tests' Chromium, and a store folder of the test's own.
inline QProcessEnvironment cliEnvironment(const QString &devtools, const QString &storeFolder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VORLANE_DEVTOOLS"), devtools);
    env.insert(QStringLiteral("VORLANE_CONFIG_DIR"), storeFolder);
    return env;
}

// `inChild` runs in the child between fork and exec: it can take its
// standard streams away.
inline CliRun runCli(const QStringList &args, const QProcessEnvironment &env,
                     const std::function<void()> &inChild = {})
{
    QProcess process;
    process.setProcessEnvironment(env);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QString::fromUtf8(VORLANE_CLI_PATH), args);
    process.waitForFinished(-1);
    return {process.exitStatus(), process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline QString fixtureEndpoint()
{
    return testsupport::ChromiumEnvironment::instance().chromium().endpoint().display();
}

// A Chromium test whose vorlane-cli runs find the tests' browser.
class CliTest : public testsupport::ChromiumTest
{
protected:
    // The test's own calls wait long: a loaded machine slows them down
    // instead of failing them.
    chromium::ChromiumOptions options() const override
    {
        chromium::ChromiumOptions slow;
        slow.callTimeout = std::chrono::seconds(60);
        return slow;
    }

    CliRun run(const QStringList &args, const std::function<void()> &inChild = {})
    {
        return runCli(args, cliEnvironment(fixtureEndpoint(), m_store.path()), inChild);
    }

    // The handle that vorlane-cli gives the tab showing url.
    QString handleOf(const QString &url)
    {
        const CliRun tabs = run({QStringLiteral("tabs"), QStringLiteral("--json")});
        for (const QJsonValue &row : QJsonDocument::fromJson(tabs.out.toUtf8()).array()) {
            if (row[QStringLiteral("url")].toString() == url)
                return row[QStringLiteral("handle")].toString();
        }
        return {};
    }

private:
    QTemporaryDir m_store;
};

} // namespace clitest
