#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The registry as Windows' ANSI functions give it, with nothing but standard
// C++ types at its edge, so it builds and is tested without Qt.
namespace platform::windows {

// A value's type and exactly the bytes the query returned.
struct RegistryData {
    std::uint32_t type = 0;
    std::string data;
};

// The largest value the launcher reads, in bytes.
inline constexpr std::uint32_t kRegistryBufferSize = 1024;

// Opens `keyName` under the 32-bit root handle `root` (0x80000002 is
// HKEY_LOCAL_MACHINE), reads `valueName` into a buffer of
// kRegistryBufferSize bytes and closes the key again. Nothing when the key
// cannot be opened or the value cannot be read whole.
std::optional<RegistryData> queryRegistryValue(std::uint32_t root, const std::string& keyName,
                                               const std::string& valueName);

} // namespace platform::windows
