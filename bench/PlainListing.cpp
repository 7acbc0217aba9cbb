#include "PlainListing.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace {

bool endsWithIgnoringCase(const char* name, std::size_t length, const char* suffix,
                          std::size_t suffixLength)
{
    return length >= suffixLength && strcasecmp(name + length - suffixLength, suffix) == 0;
}

bool isRegularFile(const std::string& folder, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_REG;
    struct stat status {};
    const std::string path = folder + '/' + entry.d_name;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

std::vector<std::string> listMapsPlainly(const std::string& folder)
{
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), &closedir);
    if (!directory)
        return names;
    while (const dirent* entry = readdir(directory.get())) {
        const std::size_t length = std::char_traits<char>::length(entry->d_name);
        if ((endsWithIgnoringCase(entry->d_name, length, ".bsp", 4) ||
             endsWithIgnoringCase(entry->d_name, length, ".map", 4)) &&
            isRegularFile(folder, *entry))
            names.emplace_back(entry->d_name, length);
    }
    sortIgnoringCase(names);
    return names;
}

void sortIgnoringCase(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
}
