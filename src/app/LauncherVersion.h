#pragma once

#include "ProgramIdentity.h"

#include <QString>

namespace app {

// "Version 1.0.17": each number plain, without leading zeros.
inline QString versionCaption()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(identity::kVersionMajor)
        .arg(identity::kVersionMinor)
        .arg(identity::kVersionRevision);
}

} // namespace app
