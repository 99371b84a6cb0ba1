#include "platform/stores/StoreFolder.h"

#include <QStandardPaths>
#include <QUrl>

namespace stores {

using namespace Qt::StringLiterals;

QString storeFolder()
{
    const QString chosen = qEnvironmentVariable("VORLANE_CONFIG_DIR");
    if (!chosen.isEmpty())
        return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Vorlane"_s;
}

QString storeFilePath(const QString &appName, const QString &storeName)
{
    const QString safeName = QString::fromLatin1(QUrl::toPercentEncoding(appName));
    return storeFolder() + u'/' + safeName + u'.' + storeName + u".ini"_s;
}

} // namespace stores
