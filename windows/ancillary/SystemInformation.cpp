#include "windows/ancillary/SystemInformation.h"

#include "platform/stores/ApplicationTitle.h"
#include "platform/ui/UiServices.h"

#include <QProcess>
#include <QStandardPaths>

namespace ancillary {

using namespace Qt::StringLiterals;

namespace {

QString FindSystemInformationTool()
{
    for (const QString &name : kSystemInformationTools) {
        if (QString path = QStandardPaths::findExecutable(name); !path.isEmpty())
            return path;
    }
    return {};
}

} // namespace

void StartSysInfo()
{
    const QString tool = FindSystemInformationTool();
    // Detached, so the tool outlives the About window and this program.
    if (!tool.isEmpty() && QProcess::startDetached(tool, {}))
        return;
    ui::services().messageBox(u"現時点ではｼｽﾃﾑ情報を使用できません"_s, kApplicationTitle);
}

} // namespace ancillary
