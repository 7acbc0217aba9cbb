#include "ServerListFile.h"

#include "BackedUpReplace.h"
#include "FileNames.h"
#include "ServerList.h"
#include "platform/Platform.h"

namespace persist {

std::optional<QStringList> readServerListFile(platform::Platform& platform)
{
    const auto bytes = platform.readFile(QLatin1String(kServerListName));
    if (!bytes)
        return std::nullopt;
    return readServerList(*bytes);
}

WriteOutcome appendServer(platform::Platform& platform, const QString& server)
{
    const auto line = writeServerLine(server);
    if (!line)
        return WriteOutcome::TextNotHeld;
    return platform.appendFile(QLatin1String(kServerListName), *line) ? WriteOutcome::Written
                                                                      : WriteOutcome::NotWritten;
}

bool repairServerListFile(platform::Platform& platform)
{
    return replaceKeepingBackup(platform, QLatin1String(kServerListRepairName),
                                QLatin1String(kServerListBackupName), defaultServerList());
}

} // namespace persist
