#pragma once

#include <QString>

namespace stores {

// The folder that holds every store file: $VORLANE_CONFIG_DIR when set,
// otherwise "Vorlane" in the user's configuration folder.
QString storeFolder();

// Whether another user can change what the store folder holds (see
// isOwnFolder); the folder is made first when it is missing. Where others
// can, no link in it is followed.
bool othersCanChangeStoreFolder();

// The file of one store of one application in that folder. The application
// name is escaped, so no name can point outside the folder.
QString storeFilePath(const QString &appName, const QString &storeName);

} // namespace stores
