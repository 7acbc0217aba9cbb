#pragma once

#include "WriteOutcome.h"

#include <QStringList>

namespace platform {
class Platform;
}

namespace persist {

// The masters the player keeps, or the default ones while the file is
// missing or cannot be read.
QStringList readMasterListFile(platform::Platform& platform);

// Replaces the whole file, or leaves it as it was.
WriteOutcome writeMasterListFile(platform::Platform& platform, const QStringList& masters);

} // namespace persist
