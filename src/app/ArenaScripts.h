#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace app {

// What the game's arena scripts (scripts/*.arena, scripts/arenas.txt) say of
// one map: its long name and the game types it is made for, as written.
struct ArenaInfo {
    QString longName;
    QString types;

    bool operator==(const ArenaInfo&) const = default;
};

// The maps a script describes, keyed by map name in lower case, read the way
// the game reads them: blocks of key and value in braces, each value on its
// key's line, comments in // and /* */, colour codes taken out. Whatever
// bytes it is given, it returns what could be read up to the first fault.
QHash<QString, ArenaInfo> readArenaScript(const QByteArray& script);

} // namespace app
