#include "platform/stores/StoreFolder.h"

#include "platform/stores/PlainFile.h"

#include <QDir>
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

bool othersCanChangeStoreFolder()
{
    // A folder that cannot be made holds nothing to change.
    const QString folder = storeFolder();
    return QDir().mkpath(folder) && !isOwnFolder(folder, Privacy::OthersMayRead);
}

QString storeFilePath(const QString &appName, const QString &storeName)
{
    const QString safeName = QString::fromLatin1(QUrl::toPercentEncoding(appName));
    return storeFolder() + u'/' + safeName + u'.' + storeName + u".ini"_s;
}

} // namespace stores
