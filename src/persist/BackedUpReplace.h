#pragma once

#include <QByteArray>
#include <QString>

namespace platform {
class Platform;
}

namespace persist {

// Writes `bytes` as the file `name` after keeping what it held before as
// `backupName`, replacing an older backup. When no copy can be kept the file
// is left as it is. False when either step failed.
bool replaceKeepingBackup(platform::Platform& platform, const QString& name,
                          const QString& backupName, const QByteArray& bytes);

} // namespace persist
