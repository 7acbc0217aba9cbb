#include "ModFolders.h"

#include <QDir>

#include <algorithm>

namespace app {

bool isPlainModName(const QString& mod)
{
    if (mod.isEmpty() || mod == QLatin1String(".") || mod == QLatin1String(".."))
        return false;
    return std::all_of(mod.begin(), mod.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-') ||
               c == QLatin1Char('.');
    });
}

QString installedModFolder(const QStringList& gameRoots, const QString& mod)
{
    if (!isPlainModName(mod))
        return {};
    for (const QString& root : gameRoots) {
        if (root.isEmpty())
            continue;
        const QStringList folders =
            QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString& folder : folders)
            if (folder.compare(mod, Qt::CaseInsensitive) == 0)
                return folder;
    }
    return {};
}

} // namespace app
