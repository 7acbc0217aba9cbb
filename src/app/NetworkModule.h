#pragma once

#include <QStringList>

namespace app {

class StatusSourceFactory;

// The folders the network module is looked for in: where it is installed
// relative to the program, then beside the program (the build tree, Windows).
QStringList networkModuleFolders();

// Loads the network module from the first of these folders that holds it and
// gives its status factory; nothing, and one line on standard error, when it
// cannot be loaded. Qt keeps the module loaded from then on.
StatusSourceFactory* loadStatusSourceFactory(const QStringList& folders);

} // namespace app
