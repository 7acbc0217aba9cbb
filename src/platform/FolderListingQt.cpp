#include "FolderListing.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

std::optional<QStringList> fileNamesIn(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;
    return QDir(folder).entryList(QDir::Files, QDir::NoSort);
}

std::optional<QStringList> fileNamesIn(const QString& folder,
                                       const std::function<bool(const QString&)>& wanted)
{
    auto names = fileNamesIn(folder);
    if (names)
        names->removeIf([&wanted](const QString& name) { return !wanted(name); });
    return names;
}

} // namespace platform
