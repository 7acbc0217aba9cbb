#pragma once

#include <QString>
#include <QStringList>

namespace app {

// Whether a server's mod name can be handed to the game as a folder: a
// plain name, nothing the game's command line or file system would read
// as more (a path, a blank, a quote, a command's end).
bool isPlainModName(const QString& mod);

// The folder of these game folders' parents that holds `mod`, as it is
// named on disk, letter case compared as the game's own browser does,
// without regard to it; empty when there is none or the name is not plain.
QString installedModFolder(const QStringList& gameRoots, const QString& mod);

} // namespace app
