#include "platform/chromium/WindowHandles.h"

#include "platform/chromium/DevToolsLog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>

namespace chromium {

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 kFirstHandle = 0x00010001;
constexpr qsizetype kKeptTabs = 4096;

QString tabKey(const QString &browserId, const QString &targetId)
{
    return QString::fromLatin1(
        QCryptographicHash::hash((browserId + u'/' + targetId).toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
}

// The highest handle this process has given or been told of: a registry
// that was lost or spoiled must not hand out a handle one of its tabs holds.
std::atomic<qint32> g_highestSeen{kFirstHandle - 1};

void noteSeen(qint32 handle)
{
    qint32 seen = g_highestSeen.load();
    while (handle > seen && !g_highestSeen.compare_exchange_weak(seen, handle)) {
    }
}

// When the registry cannot be used at all, handles agree only within this process.
qint32 localHandle()
{
    const qint32 handle = g_highestSeen.load() + 1;
    noteSeen(handle);
    return handle;
}

} // namespace

QString WindowHandles::registryPath()
{
    QString folder = qEnvironmentVariable("VORLANE_RUNTIME_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + u"/vorlane-window-handles.json"_s;
}

QList<qint32> WindowHandles::handlesFor(const QString &browserId, const QStringList &targetIds)
{
    QList<qint32> handles;
    if (targetIds.isEmpty())
        return handles;
    const QString path = registryPath();
    QLockFile lock(path + u".lock"_s);
    lock.setStaleLockTime(5000);
    if (!lock.tryLock(2000)) {
        qCWarning(lcDevTools) << "window handle registry is locked:" << path;
        for (qsizetype i = 0; i < targetIds.size(); ++i)
            handles.append(localHandle());
        return handles;
    }

    QJsonObject registry;
    QFile in(path);
    if (in.open(QIODevice::ReadOnly))
        registry = QJsonDocument::fromJson(in.readAll()).object();
    in.close();
    QJsonObject tabs = registry.value(u"tabs"_s).toObject();
    qint32 next = std::max({kFirstHandle, registry.value(u"next"_s).toInt(kFirstHandle), g_highestSeen.load() + 1});

    bool changed = false;
    for (const QString &targetId : targetIds) {
        const QString key = tabKey(browserId, targetId);
        qint32 handle = tabs.value(key).toInt(0);
        if (handle == 0) {
            handle = next++;
            if (next < kFirstHandle) // wrapped after two thousand million tabs
                next = kFirstHandle;
            tabs.insert(key, handle);
            changed = true;
        }
        noteSeen(handle);
        handles.append(handle);
    }
    if (!changed)
        return handles;

    // Forget the oldest tabs; their browsers are long gone.
    while (tabs.size() > kKeptTabs) {
        auto oldest = tabs.begin();
        for (auto it = tabs.begin(); it != tabs.end(); ++it) {
            if (it.value().toInt() < oldest.value().toInt())
                oldest = it;
        }
        tabs.erase(oldest);
    }
    registry.insert(u"next"_s, next);
    registry.insert(u"tabs"_s, tabs);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) || out.write(QJsonDocument(registry).toJson(QJsonDocument::Compact)) < 0
        || !out.commit())
        qCWarning(lcDevTools) << "window handle registry cannot be written:" << path;
    return handles;
}

} // namespace chromium
