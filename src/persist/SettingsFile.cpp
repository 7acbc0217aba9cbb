#include "SettingsFile.h"

#include "BackedUpReplace.h"
#include "FileNames.h"
#include "platform/Platform.h"

namespace persist {

std::optional<LauncherSettings> readSettingsFile(platform::Platform& platform)
{
    const auto bytes = platform.readFile(QLatin1String(kSettingsFileName));
    if (!bytes)
        return std::nullopt;
    return readSettingsRecord(*bytes);
}

WriteOutcome writeSettingsFile(platform::Platform& platform, const LauncherSettings& settings)
{
    const auto record = writeSettingsRecord(settings);
    if (!record)
        return WriteOutcome::TextNotHeld;
    return platform.writeFile(QLatin1String(kSettingsFileName), *record) ? WriteOutcome::Written
                                                                         : WriteOutcome::NotWritten;
}

bool repairSettingsFile(platform::Platform& platform)
{
    return replaceKeepingBackup(platform, QLatin1String(kSettingsFileName),
                                QLatin1String(kSettingsBackupName),
                                *writeSettingsRecord(defaultSettings()));
}

} // namespace persist
