#pragma once

#include <string>
#include <string_view>
#include <vector>

// The libraries the launcher's start-up must not pay for: the network,
// cryptography and archive libraries beyond zlib. Their file names, each
// listed once in the order first mapped, as found in a /proc/<pid>/maps text.
std::vector<std::string> unwantedLibraries(std::string_view maps);

// This process's /proc/self/maps.
std::string ownMaps();
