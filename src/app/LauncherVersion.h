#pragma once

#include <QString>

namespace app {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 17;

// "Version 1.0.17": each number plain, without leading zeros.
inline QString versionCaption()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

} // namespace app
