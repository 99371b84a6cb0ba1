#include "platform/chromium/WindowHandles.h"

#include "platform/chromium/DevToolsLog.h"
#include "platform/stores/PlainFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <limits>

#include <sys/stat.h>

namespace chromium {

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 kFirstHandle = 0x00010001;
constexpr qint32 kLastHandle = std::numeric_limits<qint32>::max();
constexpr qsizetype kKeptTabs = 4096;
// Far above what kKeptTabs entries take; a bigger file is not ours.
constexpr qint64 kMaxRegistryBytes = 4 << 20;

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

// The handle after the highest this process knows of; past the last one,
// the count starts again, which takes two thousand million tabs.
qint32 nextAfter(qint64 highest)
{
    return highest >= kLastHandle ? kFirstHandle : qint32(std::max<qint64>(highest + 1, kFirstHandle));
}

// When the registry cannot be used at all, handles agree only within this process.
qint32 localHandle()
{
    const qint32 handle = nextAfter(g_highestSeen.load());
    g_highestSeen = handle;
    return handle;
}

// A folder of the user's own that nobody else may enter, or nothing: the
// registry must not be read or replaced by another local user.
QString registryFolder()
{
    for (const char *variable : {"VORLANE_RUNTIME_DIR", "XDG_RUNTIME_DIR"}) {
        const QString folder = qEnvironmentVariable(variable);
        if (stores::isOwnFolder(folder, stores::Privacy::Private))
            return folder;
    }
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        return {};
    const QString folder = cache + u"/vorlane"_s;
    QDir().mkpath(cache);
    ::mkdir(QFile::encodeName(folder).constData(), 0700); // fails harmlessly when it exists
    return stores::isOwnFolder(folder, stores::Privacy::Private) ? folder : QString();
}

} // namespace

QString WindowHandles::registryPath()
{
    const QString folder = registryFolder();
    return folder.isEmpty() ? QString() : folder + u"/vorlane-window-handles.json"_s;
}

QList<qint32> WindowHandles::handlesFor(const QString &browserId, const QStringList &targetIds)
{
    QList<qint32> handles;
    if (targetIds.isEmpty())
        return handles;
    const QString path = registryPath();
    const QString lockPath = path + u".lock"_s;
    // QLockFile reads a lock it did not make, and would wait on a pipe.
    if (!path.isEmpty())
        stores::clearForPlainFile(lockPath);
    QLockFile lock(lockPath);
    lock.setStaleLockTime(5000);
    if (path.isEmpty() || !lock.tryLock(2000)) {
        static std::atomic<bool> told{false};
        if (!told.exchange(true))
            qCWarning(lcDevTools).noquote()
                << (path.isEmpty() ? u"no folder of this user's own holds the window handle registry"_s
                                   : u"the window handle registry is locked: "_s + path)
                << "; handles agree only within this process";
        for (qsizetype i = 0; i < targetIds.size(); ++i)
            handles.append(localHandle());
        return handles;
    }

    const QJsonObject registry = QJsonDocument::fromJson(stores::readPlainFile(path, kMaxRegistryBytes).bytes).object();
    QJsonObject tabs = registry.value(u"tabs"_s).toObject();
    // Counted wide, and only from numbers a handle can be: a spoiled entry
    // must neither overflow the count nor start it again.
    const auto isHandle = [](qint64 value) { return value >= kFirstHandle && value <= kLastHandle; };
    qint64 highest = g_highestSeen.load();
    if (const qint64 next = registry.value(u"next"_s).toInteger(); isHandle(next))
        highest = std::max(highest, next - 1);
    for (auto it = tabs.constBegin(); it != tabs.constEnd(); ++it) {
        if (isHandle(it.value().toInteger()))
            highest = std::max(highest, it.value().toInteger());
    }

    bool changed = false;
    for (const QString &targetId : targetIds) {
        const QString key = tabKey(browserId, targetId);
        const qint64 kept = tabs.value(key).toInteger(0);
        qint32 handle = isHandle(kept) ? qint32(kept) : 0;
        if (handle == 0) {
            handle = nextAfter(highest);
            if (handle == kFirstHandle && highest >= kLastHandle) {
                tabs = {}; // every handle was given: the count starts again
                g_highestSeen = kFirstHandle - 1;
            }
            highest = handle;
            tabs.insert(key, handle);
            changed = true;
        }
        noteSeen(handle);
        handles.append(handle);
    }
    if (!changed)
        return handles;

    // Forget the oldest tabs, their browsers long gone: in one sort, however
    // many tabs came at once.
    if (tabs.size() > kKeptTabs) {
        QList<std::pair<qint64, QString>> byAge;
        byAge.reserve(tabs.size());
        for (auto it = tabs.constBegin(); it != tabs.constEnd(); ++it)
            byAge.append({it.value().toInteger(), it.key()});
        const auto firstKept = byAge.end() - kKeptTabs;
        std::nth_element(byAge.begin(), firstKept, byAge.end());
        for (auto it = byAge.begin(); it != firstKept; ++it)
            tabs.remove(it->second);
    }
    QJsonObject written{{u"next"_s, qint64(nextAfter(highest))}, {u"tabs"_s, tabs}};
    const QByteArray json = QJsonDocument(written).toJson(QJsonDocument::Compact);
    if (!stores::replacePlainFile(path, json, stores::Links::Refused, 0600))
        qCWarning(lcDevTools) << "window handle registry cannot be written:" << path;
    return handles;
}

} // namespace chromium
