#pragma once

#include "Platform.h"

#include <memory>

namespace platform {

// The implementation for the system the launcher was built for.
std::unique_ptr<Platform> createNativePlatform();

} // namespace platform
