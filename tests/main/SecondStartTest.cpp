// Two real processes: a second start while the program runs is refused and
// touches nothing; a run that was killed does not keep the next one out.
#include "platform/stores/ApplicationTitle.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

bool eventually(const std::function<bool()> &cond, int timeoutMs = 15000)
{
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (cond())
            return true;
        QThread::msleep(50);
    }
    return cond();
}

class SecondStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(config.isValid());
        env.insert(u"VORLANE_CONFIG_DIR"_s, config.path());
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        // Nothing listens there: the list stays empty and nothing waits.
        env.insert(u"VORLANE_DEVTOOLS"_s, u"http://127.0.0.1:9"_s);
    }

    void TearDown() override
    {
        for (QProcess *process : {&first, &probe, &third}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished();
            }
        }
    }

    void start(QProcess &process, const QString &program)
    {
        process.setProcessEnvironment(env);
        process.start(program, {});
        ASSERT_TRUE(process.waitForStarted());
    }

    // The lock names the process that holds it, and both settings files are
    // saved: the first is written before the second, and a loaded machine can
    // be looked at in between.
    bool runs(const QProcess &process) const
    {
        QFile lock(config.filePath(u"vorlane.lock"_s));
        return lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed().toLongLong() == process.processId()
               && QFile::exists(config.filePath(u"Vorlane.store0.ini"_s))
               && QFile::exists(config.filePath(u"Vorlane.store1.ini"_s));
    }

    // Every file of the store folder with its contents and time.
    QMap<QString, QString> storeFolder() const
    {
        QMap<QString, QString> files;
        for (const QFileInfo &info : QDir(config.path()).entryInfoList(QDir::Files)) {
            QFile file(info.filePath());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            files.insert(info.fileName(), info.lastModified().toString(Qt::ISODateWithMs) + u'\n'
                                              + QString::fromUtf8(file.readAll()));
        }
        return files;
    }

    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess first;
    QProcess probe;
    QProcess third;
};

} // namespace

TEST_F(SecondStart, IsRefusedWhileTheFirstRunsButNotAfterItWasKilled)
{
    start(first, QStringLiteral(VORLANE_EXE));
    ASSERT_TRUE(eventually([&] { return runs(first); }));
    // Past the first save of the settings: what the folder holds now must stay.
    QThread::msleep(500);
    const QMap<QString, QString> before = storeFolder();

    start(probe, QStringLiteral(PROBE_EXE));
    ASSERT_TRUE(probe.waitForFinished(15000));
    EXPECT_EQ(probe.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()),
              u"すでにこのプログラムは起動しています！\t起動エラー\t2\t0\nwindows 0\n"_s);
    EXPECT_EQ(storeFolder(), before);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    ASSERT_TRUE(first.waitForFinished());
    ASSERT_TRUE(QFile::exists(config.filePath(u"vorlane.lock"_s))) << "a killed run leaves its lock";
    start(third, QStringLiteral(VORLANE_EXE));
    EXPECT_TRUE(eventually([&] { return runs(third); }));
}
