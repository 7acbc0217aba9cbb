#include "MasterListFile.h"

#include "FileNames.h"
#include "MasterList.h"
#include "platform/Platform.h"

namespace persist {

QStringList readMasterListFile(platform::Platform& platform)
{
    const auto bytes = platform.readFile(QLatin1String(kMasterListName));
    return bytes ? readMasterList(*bytes) : defaultMasters();
}

WriteOutcome writeMasterListFile(platform::Platform& platform, const QStringList& masters)
{
    const auto bytes = writeMasterList(masters);
    if (!bytes)
        return WriteOutcome::TextNotHeld;
    return platform.writeFile(QLatin1String(kMasterListName), *bytes) ? WriteOutcome::Written
                                                                      : WriteOutcome::NotWritten;
}

} // namespace persist
