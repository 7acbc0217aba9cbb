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
    // A list last saved by an editor may lack its final line end; the server
    // then starts a line of its own instead of lengthening the last one.
    const auto list = platform.readFile(QLatin1String(kServerListName));
    const bool lineOpen =
        list && !list->isEmpty() && !list->endsWith('\n') && !list->endsWith('\r');
    return platform.appendFile(QLatin1String(kServerListName),
                               lineOpen ? QByteArray("\r\n") + *line : *line)
               ? WriteOutcome::Written
               : WriteOutcome::NotWritten;
}

bool repairServerListFile(platform::Platform& platform)
{
    return replaceKeepingBackup(platform, QLatin1String(kServerListRepairName),
                                QLatin1String(kServerListBackupName), defaultServerList());
}

} // namespace persist
