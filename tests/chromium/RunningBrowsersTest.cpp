// Finding the user's own Chromium-family browsers through the
// DevToolsActivePort files in their profile folders.
#include "platform/chromium/ChromiumShellWindows.h"
#include "platform/chromium/RunningBrowsers.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/chromium/ChromiumFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using chromium::DevToolsEndpoint;

namespace {

constexpr std::chrono::milliseconds kProbe{250};

class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

class RunningBrowsers : public ::testing::Test
{
protected:
    // Writes folder/DevToolsActivePort under the test's configuration folder.
    QString record(const QString &folder, const QByteArray &contents)
    {
        const QString dir = m_config.filePath(folder);
        QDir().mkpath(dir);
        QFile file(dir + u"/DevToolsActivePort"_s);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return dir;
    }
    static QByteArray portLine(quint16 port) { return QByteArray::number(port) + '\n'; }

    DevToolsEndpoint browser() const { return testsupport::ChromiumEnvironment::instance().chromium().endpoint(); }
    // Its own WebSocket path, as the browser would record it.
    QByteArray browserRecord() const
    {
        return portLine(browser().port) + chromium::browserSocketUrl(browser(), std::chrono::seconds(10)).path().toLatin1();
    }

    QTemporaryDir m_config;
    QTemporaryDir m_ownProfile;
    ScopedEnv m_xdg{"XDG_CONFIG_HOME", m_config.path().toUtf8()};
    ScopedEnv m_profileDir{"VORLANE_PROFILE_DIR", m_ownProfile.path().toUtf8()};
    ScopedEnv m_devtools{"VORLANE_DEVTOOLS", QByteArray()};
};

} // namespace

TEST(ActivePortFile, ThePortAndOnlyASoundBrowserPath)
{
    QTemporaryDir dir;
    const auto read = [&](const QByteArray &contents) {
        QFile file(dir.filePath(u"DevToolsActivePort"_s));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
        file.close();
        return chromium::readActivePortFile(dir.path());
    };
    EXPECT_FALSE(chromium::readActivePortFile(dir.path())) << "missing";
    const auto full = read("9333\n/devtools/browser/6c1d-ab_2.x");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->port, 9333);
    EXPECT_EQ(full->browserPath, u"/devtools/browser/6c1d-ab_2.x"_s);
    // The port alone, with Windows line ends, or with a path that is not a
    // browser's: the port still serves.
    for (const QByteArray &portOnly :
         {QByteArray("9333"), QByteArray(" 9333\r\n"), QByteArray("9333\n/devtools/page/x"),
          QByteArray("9333\n/devtools/browser/a/../../x"), QByteArray("9333\n/devtools/browser/a b")}) {
        const auto record = read(portOnly);
        ASSERT_TRUE(record) << portOnly.toStdString();
        EXPECT_EQ(record->port, 9333);
        EXPECT_TRUE(record->browserPath.isEmpty()) << portOnly.toStdString();
    }
    for (const QByteArray &bad : {QByteArray(), QByteArray("\n"), QByteArray("0"), QByteArray("65536"),
                                  QByteArray("-1"), QByteArray("9x"), QByteArray("922222"), QByteArray("\x00\x01", 2),
                                  QByteArray("9333 9444"), QByteArray("ポート")})
        EXPECT_FALSE(read(bad)) << bad.toStdString();
    // Larger than any port file: not read to its end.
    EXPECT_FALSE(read("9333\n" + QByteArray(8192, 'x')));
}

TEST_F(RunningBrowsers, FindsABrowserThatRecordsItsPortAndQuietlySkipsTheRest)
{
    // Something that answers on loopback, for files that must be skipped for
    // what they are and not for a port nobody listens on.
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost));
    const QByteArray alive = portLine(listener.serverPort());
    QTcpServer gone;
    ASSERT_TRUE(gone.listen(QHostAddress::LocalHost));
    const quint16 stalePort = gone.serverPort();
    gone.close();

    record(u"chromium"_s, "garbage\n");
    record(u"google-chrome"_s, browserRecord());
    record(u"google-chrome-beta"_s, portLine(stalePort));
    record(u"microsoft-edge"_s, QByteArray());
    record(u"microsoft-edge-beta"_s, alive + QByteArray(100000, '9'));
    // A link to a file elsewhere, and a pipe that nobody writes into.
    QTemporaryDir elsewhere;
    QFile target(elsewhere.filePath(u"port"_s));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write(alive);
    target.close();
    QDir().mkpath(m_config.filePath(u"google-chrome-unstable"_s));
    ASSERT_TRUE(QFile::link(target.fileName(), m_config.filePath(u"google-chrome-unstable/DevToolsActivePort"_s)));
    QDir().mkpath(m_config.filePath(u"BraveSoftware/Brave-Browser"_s));
    ASSERT_EQ(::mkfifo(QFile::encodeName(m_config.filePath(u"BraveSoftware/Brave-Browser/DevToolsActivePort"_s)).constData(), 0600), 0);

    QElapsedTimer took;
    took.start();
    const QList<DevToolsEndpoint> found = chromium::runningUserBrowsers({}, kProbe);
    EXPECT_LT(took.elapsed(), 2000);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].host, u"127.0.0.1"_s);
    EXPECT_EQ(found[0].port, browser().port);
    EXPECT_TRUE(found[0].browserPath.startsWith(u"/devtools/browser/"_s));

    // Reached through the recorded socket address, its tabs are listed.
    chromium::ChromiumShellWindows shell(found);
    EXPECT_NO_THROW(shell.count());
}

TEST_F(RunningBrowsers, APortAlreadyConfiguredOrRecordedTwiceIsListedOnce)
{
    record(u"chromium"_s, browserRecord());
    record(u"microsoft-edge"_s, portLine(browser().port));
    EXPECT_EQ(chromium::runningUserBrowsers({}, kProbe).size(), 1);
    EXPECT_TRUE(chromium::runningUserBrowsers({browser()}, kProbe).isEmpty());

    // Beside the usual port when Vorlane's own profile records none...
    QList<DevToolsEndpoint> configured = chromium::configuredEndpoints();
    ASSERT_EQ(configured.size(), 2);
    EXPECT_EQ(configured[0].port, 9222);
    EXPECT_EQ(configured[1].port, browser().port);
    // ... and only once when that profile records the same browser.
    QFile own(m_ownProfile.filePath(u"DevToolsActivePort"_s));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write(portLine(browser().port));
    own.close();
    configured = chromium::configuredEndpoints();
    ASSERT_EQ(configured.size(), 1);
    EXPECT_EQ(configured[0].port, browser().port);

    // Endpoints the user names are all there is.
    const ScopedEnv named("VORLANE_DEVTOOLS", "http://127.0.0.1:1");
    configured = chromium::configuredEndpoints();
    ASSERT_EQ(configured.size(), 1);
    EXPECT_EQ(configured[0].port, 1);
}

TEST_F(RunningBrowsers, TheFoldersFollowXdgConfigHomeWhenItIsAbsolute)
{
    QStringList folders = chromium::userBrowserProfileDirs();
    ASSERT_EQ(folders.size(), 7);
    EXPECT_EQ(folders.first(), m_config.filePath(u"chromium"_s));
    EXPECT_EQ(folders.last(), m_config.filePath(u"BraveSoftware/Brave-Browser"_s));

    const ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(chromium::userBrowserProfileDirs().first(), QDir::homePath() + u"/.config/chromium"_s);
}

// Something that answers like a web server but not like a browser is not
// read into memory whole.
using HugeAnswer = testsupport::ChromiumTest;

TEST_F(HugeAnswer, IsRefusedEarlyAtAnEndpoint)
{
    server().setPage(u"/json/version"_s, QString(8 * 1024 * 1024, u'x'));
    const chromium::DevToolsEndpoint endpoint{u"127.0.0.1"_s, server().port()};
    try {
        chromium::browserSocketUrl(endpoint, std::chrono::seconds(30));
        ADD_FAILURE() << "a huge answer was taken";
    } catch (const automation::AutomationError &e) {
        EXPECT_EQ(e.number(), automation::AutomationError::ServerUnavailable);
        EXPECT_TRUE(e.detail().contains(u"too long"_s)) << e.detail().toStdString();
    }
}
