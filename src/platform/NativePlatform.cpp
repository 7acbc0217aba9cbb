#include "NativePlatform.h"

#ifdef Q_OS_WIN
#include "WindowsPlatform.h"
#else
#include "PosixPlatform.h"
#endif

namespace platform {

std::unique_ptr<Platform> createNativePlatform()
{
#ifdef Q_OS_WIN
    return std::make_unique<WindowsPlatform>();
#else
    return std::make_unique<PosixPlatform>();
#endif
}

} // namespace platform
