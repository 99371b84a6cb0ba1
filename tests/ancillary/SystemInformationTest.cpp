#include "tests/ui/RecordingUiServices.h"
#include "windows/ancillary/SystemInformation.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

namespace {

// A PATH holding only the tools a test installs; each installed tool writes
// its name into a marker file when it runs.
class SystemInformation : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("PATH", bin.path().toLocal8Bit()); }
    void TearDown() override { qputenv("PATH", savedPath); }

    void install(const QString &name, const QByteArray &interpreter = "/bin/sh")
    {
        QFile tool(bin.filePath(name));
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write("#!" + interpreter + "\necho " + name.toUtf8() + " > '" + marker().toUtf8() + "'\n");
        tool.close();
        tool.setPermissions(tool.permissions() | QFile::ExeOwner);
    }

    QString marker() const { return bin.filePath(u"started"_s); }

    // The name the started tool wrote, or empty when none ran in time.
    QString started()
    {
        QFile written(marker());
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && written.size() == 0)
            QTest::qWait(20);
        return written.open(QIODevice::ReadOnly) ? QString::fromUtf8(written.readAll()).trimmed() : QString();
    }

    ui::RecordingUiServices ui;
    QTemporaryDir bin;
    const QByteArray savedPath = qgetenv("PATH");
};

} // namespace

TEST_F(SystemInformation, StartsTheFirstInstalledToolOfTheList)
{
    install(kSystemInformationTools.last());
    install(kSystemInformationTools[2]);
    StartSysInfo();
    EXPECT_EQ(started(), kSystemInformationTools[2]);
    EXPECT_TRUE(ui.messageBoxes.isEmpty());
}

TEST_F(SystemInformation, AToolThatCannotStartIsReportedAsUnavailable)
{
    install(kSystemInformationTools.first(), "/nonexistent/interpreter");
    install(kSystemInformationTools.last());
    StartSysInfo();
    ASSERT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_EQ(ui.messageBoxes[0].text, u"現時点ではｼｽﾃﾑ情報を使用できません"_s);
}
