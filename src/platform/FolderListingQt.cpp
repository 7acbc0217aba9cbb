#include "FolderListing.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

std::optional<QStringList> fileNamesIn(const QString& folder,
                                       const std::function<bool(const QString&)>& wanted)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::NoSort);
    if (wanted)
        names.removeIf([&wanted](const QString& name) { return !wanted(name); });
    return names;
}

} // namespace platform
