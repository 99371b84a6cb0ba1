#pragma once

#include <QString>
#include <QStringList>

#include <QList>

namespace chromium {

// Window handles for tabs, shared by every Vorlane process of the user: the
// program and vorlane-cli give a tab the same handle, so a handle that one
// prints finds the same tab in another. Handles count up from 0x00010001 and
// are never given twice until the registry is cleared; they are kept in a
// small file, under a lock, in a folder only the user may enter: the runtime
// folder, else a folder of the user's cache.
class WindowHandles
{
public:
    // The handles of these tabs of one browser, in the same order; tabs seen
    // for the first time get new handles in the order given.
    static QList<qint32> handlesFor(const QString &browserId, const QStringList &targetIds);
    // Empty when no folder of the user's own can be had: handles then agree
    // only within the process.
    static QString registryPath();
};

} // namespace chromium
