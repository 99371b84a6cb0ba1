// The program's command line as a user meets it: answered where there is no
// display, without the single-instance check and without a stored file.
#include "tests/support/QtPrinting.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

struct Outcome
{
    QProcess::ExitStatus exit;
    int status;
    QString out;
    QString err;
};

class CommandLine : public ::testing::Test
{
protected:
    Outcome run(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"VORLANE_CONFIG_DIR"_s,
                                    u"VORLANE_RUNTIME_DIR"_s, u"XDG_RUNTIME_DIR"_s, u"XDG_CACHE_HOME"_s,
                                    u"XDG_DATA_HOME"_s})
            env.remove(name);
        env.insert(u"HOME"_s, home.path());
        env.insert(u"XDG_CONFIG_HOME"_s, home.path());
        QProcess process;
        process.setProcessEnvironment(env);
        // Qt ends a program whose platform does not start with abort(): no
        // core file of that in the build.
        process.setChildProcessModifier([] {
            const rlimit none{0, 0};
            ::setrlimit(RLIMIT_CORE, &none);
        });
        process.start(QStringLiteral(VORLANE_EXE), arguments);
        EXPECT_TRUE(process.waitForFinished(-1));
        return {process.exitStatus(), process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    void TearDown() override
    {
        EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                  QStringList());
    }

    QTemporaryDir home;
};

} // namespace

TEST_F(CommandLine, HelpAndVersionPrintAndExitWithoutADisplay)
{
    const Outcome help = run({u"--help"_s});
    EXPECT_EQ(help.exit, QProcess::NormalExit) << help.err.toStdString();
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: vorlane [options]\n"_s)) << help.out.toStdString();
    EXPECT_EQ(help.err, QString());
    EXPECT_EQ(run({u"-h"_s}).out, help.out);

    // Qt's options before them are known, with their values.
    const Outcome version = run({u"-platform"_s, u"offscreen"_s, u"--style=fusion"_s, u"-reverse"_s, u"--version"_s});
    EXPECT_EQ(version.status, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, u"vorlane "_s + QStringLiteral(VORLANE_VERSION) + u'\n');
}

TEST_F(CommandLine, AnUnknownOptionOrArgumentIsAUsageError)
{
    for (const QStringList &arguments : {QStringList{u"--bogus"_s}, QStringList{u"-v"_s},
                                         QStringList{u"http://a.test/"_s}, QStringList{u"--help=no"_s}}) {
        const Outcome bad = run(arguments);
        EXPECT_EQ(bad.exit, QProcess::NormalExit) << bad.err.toStdString();
        EXPECT_EQ(bad.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_EQ(bad.out, QString());
        EXPECT_TRUE(bad.err.startsWith(u"vorlane: "_s) && bad.err.contains(u"\nusage: vorlane "_s))
            << bad.err.toStdString();
    }
}

// A platform that does not exist makes Qt itself end the program, naming it:
// the option reached QApplication, with one dash or two.
TEST_F(CommandLine, QtsOwnOptionsReachQt)
{
    for (const QString &dashes : {u"-"_s, u"--"_s}) {
        const Outcome qt = run({dashes + u"platform"_s, u"no-such-platform"_s});
        EXPECT_NE(qt.status, 2);
        EXPECT_TRUE(qt.err.contains(u"\"no-such-platform\""_s)) << qt.err.toStdString();
        EXPECT_EQ(qt.out, QString());
    }
}
