#pragma once

#include "WriteOutcome.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {
class Platform;
}

namespace persist {

// Nothing when the list is missing, empty or cannot be read.
std::optional<QStringList> readServerListFile(platform::Platform& platform);

// Appends one server line, creating the list when it is missing.
WriteOutcome appendServer(platform::Platform& platform, const QString& server);

// Writes the default list, keeping an unreadable one as its backup first.
bool repairServerListFile(platform::Platform& platform);

} // namespace persist
