#include "UnwantedLibraries.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

namespace {

// Matched by the name before ".so", so that libkrb5support or libgcrypt,
// which any Qt program maps, are not taken for libkrb5 or libcrypto.
constexpr std::array<std::string_view, 8> kUnwanted{
    "libQt6Network", "libcrypto", "libssl",         "libzip",
    "libbz2",        "libkrb5",   "libgssapi_krb5", "libproxy",
};

std::string_view fileName(std::string_view line)
{
    const std::size_t path = line.find('/');
    if (path == std::string_view::npos)
        return {};
    line.remove_prefix(path);
    // A file replaced on disk while mapped ends in " (deleted)".
    line = line.substr(0, line.find(' '));
    return line.substr(line.rfind('/') + 1);
}

bool isUnwanted(std::string_view name)
{
    const std::size_t suffix = name.find(".so");
    if (suffix == std::string_view::npos)
        return false;
    return std::find(kUnwanted.begin(), kUnwanted.end(), name.substr(0, suffix)) != kUnwanted.end();
}

} // namespace

std::vector<std::string> unwantedLibraries(std::string_view maps)
{
    std::vector<std::string> found;
    while (!maps.empty()) {
        const std::size_t end = maps.find('\n');
        const std::string_view name = fileName(maps.substr(0, end));
        if (isUnwanted(name) && std::find(found.begin(), found.end(), name) == found.end())
            found.emplace_back(name);
        maps.remove_prefix(end == std::string_view::npos ? maps.size() : end + 1);
    }
    return found;
}

std::string ownMaps()
{
    std::ifstream maps("/proc/self/maps");
    std::ostringstream text;
    text << maps.rdbuf();
    return text.str();
}
