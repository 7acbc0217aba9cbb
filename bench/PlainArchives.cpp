#include "PlainArchives.h"

#include <dirent.h>
#include <minizip/unzip.h>
#include <strings.h>

#include <algorithm>
#include <memory>

namespace {

using Archive = std::unique_ptr<void, int (*)(unzFile)>;

Archive openArchive(const std::string& path)
{
    return Archive(unzOpen64(path.c_str()), &unzClose);
}

bool endsWithIgnoringCase(const std::string& name, const char* suffix, std::size_t length)
{
    return name.size() >= length && strcasecmp(name.c_str() + name.size() - length, suffix) == 0;
}

std::vector<std::string> archivesIn(const std::string& folder)
{
    std::vector<std::string> paths;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), &closedir);
    if (!directory)
        return paths;
    while (const dirent* entry = readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (endsWithIgnoringCase(name, ".pk3", 4))
            paths.push_back(folder + '/' + name);
    }
    // Later archives override earlier ones in the game, so they are read in order.
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

std::vector<std::string> listArchiveMapsPlainly(const std::string& folder)
{
    std::vector<std::string> maps;
    for (const std::string& path : archivesIn(folder)) {
        const Archive archive = openArchive(path);
        if (!archive)
            continue;
        char name[1024];
        for (int status = unzGoToFirstFile(archive.get()); status == UNZ_OK;
             status = unzGoToNextFile(archive.get())) {
            unz_file_info64 info{};
            if (unzGetCurrentFileInfo64(archive.get(), &info, name, sizeof name, nullptr, 0,
                                        nullptr, 0) != UNZ_OK)
                break;
            const std::string entry = name;
            if (strncasecmp(name, "maps/", 5) == 0 && endsWithIgnoringCase(entry, ".bsp", 4))
                maps.push_back(entry);
        }
    }
    return maps;
}

std::string readArchiveEntryPlainly(const std::string& archive, const std::string& entry)
{
    const Archive opened = openArchive(archive);
    if (!opened || unzLocateFile(opened.get(), entry.c_str(), 2) != UNZ_OK)
        return {};
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(opened.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) !=
            UNZ_OK ||
        unzOpenCurrentFile(opened.get()) != UNZ_OK)
        return {};
    std::string bytes(info.uncompressed_size, '\0');
    const int count = unzReadCurrentFile(opened.get(), bytes.data(), unsigned(bytes.size()));
    unzCloseCurrentFile(opened.get());
    return count == int(bytes.size()) ? bytes : std::string();
}
