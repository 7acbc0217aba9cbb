#include "FolderListing.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace platform {
namespace {

bool isFile(const QByteArray& folder, const dirent& entry)
{
    // Most file systems tell the type with the name; links and the rest
    // need a look at what they lead to.
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat target {};
    return stat((folder + '/' + entry.d_name).constData(), &target) == 0 && S_ISREG(target.st_mode);
}

bool isAscii(const char* name)
{
    for (; *name != '\0'; ++name) {
        if (static_cast<unsigned char>(*name) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

std::optional<QStringList> fileNamesIn(const QString& folder,
                                       const std::function<bool(const QString&)>& wanted)
{
    // QDir builds a file information object for every entry, which for a
    // maps folder of thousands of files costs more than all the rest of
    // listing it.
    const QByteArray encoded = QFile::encodeName(folder);
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(encoded.constData()), &closedir);
    if (!directory)
        return std::nullopt;
    QStringList names;
    while (const dirent* entry = readdir(directory.get())) {
        // Hidden, as QDir counts them on Unix; "." and ".." among them.
        if (entry->d_name[0] == '.' || !isFile(encoded, *entry))
            continue;
        // A name that is not in the system's encoding cannot be given back
        // to open the file; QDir leaves such files out too. Plain ASCII
        // names, nearly all of them, read the same in any encoding, and
        // Latin-1 reads them fastest.
        const bool ascii = isAscii(entry->d_name);
        const QString name =
            ascii ? QString::fromLatin1(entry->d_name) : QFile::decodeName(entry->d_name);
        if ((ascii || QFile::encodeName(name) == entry->d_name) && (!wanted || wanted(name)))
            names.append(name);
    }
    return names;
}

} // namespace platform
