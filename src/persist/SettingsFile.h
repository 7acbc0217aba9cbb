#pragma once

#include "LauncherSettings.h"
#include "WriteOutcome.h"

namespace platform {
class Platform;
}

namespace persist {

// Nothing when the file is missing or its record cannot be read.
std::optional<LauncherSettings> readSettingsFile(platform::Platform& platform);

// Replaces the file as a whole; on failure the previous file is untouched.
WriteOutcome writeSettingsFile(platform::Platform& platform, const LauncherSettings& settings);

// Writes the default record, keeping an unreadable file as its backup first.
bool repairSettingsFile(platform::Platform& platform);

} // namespace persist
