#pragma once

#include <QString>

namespace stores {

// The folder that holds every store file: $VORLANE_CONFIG_DIR when set,
// otherwise "Vorlane" in the user's configuration folder.
QString storeFolder();

// The file of one store of one application in that folder. The application
// name is escaped, so no name can point outside the folder.
QString storeFilePath(const QString &appName, const QString &storeName);

} // namespace stores
