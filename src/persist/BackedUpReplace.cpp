#include "BackedUpReplace.h"

#include "platform/Platform.h"

namespace persist {

bool replaceKeepingBackup(platform::Platform& platform, const QString& name,
                          const QString& backupName, const QByteArray& bytes)
{
    if (platform.fileExists(name)) {
        const auto old = platform.readFile(name);
        if (!old || !platform.writeFile(backupName, *old))
            return false;
    }
    return platform.writeFile(name, bytes);
}

} // namespace persist
