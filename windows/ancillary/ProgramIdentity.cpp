#include "windows/ancillary/ProgramIdentity.h"

namespace ancillary {

using namespace Qt::StringLiterals;

const QString kDesktopFileId = QStringLiteral(VORLANE_APP_ID);

const QString kCopyingWarning =
    u"警告: このプログラムは著作権法および国際条約により保護されています。"
    u"このプログラムの全部または一部を無断で複製したり、無断で配布したりすると、"
    u"著作権の侵害となりますのでご注意ください。"_s;

QString VersionText(const QString &vPrefix)
{
    return vPrefix % QString::number(VORLANE_VERSION_MAJOR) % u'.' % QString::number(VORLANE_VERSION_MINOR)
           % u'.' % QString::number(VORLANE_VERSION_PATCH);
}

} // namespace ancillary
