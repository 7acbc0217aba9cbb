#pragma once

#include <QObject>
#include <QStringList>

namespace app {

// The folders the network module is looked for in: where it is installed
// relative to the program, then beside the program (the build tree, Windows).
QStringList networkModuleFolders();

// Loads the network module from the first of these folders that holds it and
// gives its root object; nothing, and one line on standard error saying what
// cannot be done without it, when it cannot be loaded. Qt keeps the module
// loaded from then on, and hands out the same root each time.
QObject* loadNetworkModule(const QStringList& folders, const char* withoutIt);

// The module's implementation of one of its interfaces, or nothing.
template <typename Interface>
Interface* loadFromNetworkModule(const QStringList& folders, const char* withoutIt)
{
    return qobject_cast<Interface*>(loadNetworkModule(folders, withoutIt));
}

} // namespace app
