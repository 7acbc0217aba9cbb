#pragma once

#include "ArenaScripts.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <future>
#include <optional>

namespace app {

class GameContent;

// Starts a listing on another thread; throws std::system_error, as std::async
// does, when no thread can be made.
using StartListing = std::function<std::future<GameContent>(std::function<GameContent()>)>;
std::future<GameContent> listOnNewThread(std::function<GameContent()> listing);

// What a game installation's archives (its .pk3 files) hold for the map list
// and its tips: their maps and which of them carries each levelshot, known
// from their central directories, and what their arena scripts say.
class GameContent {
public:
    // The archives directly in `folder`, in the order the game loads them (by
    // name, without regard to case). Archives that cannot be read are left
    // out; a folder that cannot be read has none.
    static GameContent read(const QString& folder);
    // The paths of those archives, in that order, and their content.
    static QStringList archivesIn(const QString& folder);
    // Many archives are listed on two threads, or on this one alone when no
    // other can start.
    static GameContent readArchives(const QStringList& archives,
                                    const StartListing& start = listOnNewThread);
    // Another folder's archives, which the game loads after these.
    void append(const GameContent& later);

    // The map files (".bsp" directly in "maps/", names in UTF-8) of all the
    // archives, those of the archive loaded last first: of names that differ
    // only in case, the first is the one the game uses.
    QStringList mapFiles() const;
    bool hasMaps() const;

    // The levelshot of this file name (compared without regard to case) of
    // the last archive that holds it and can give it whole; nothing when none
    // can.
    std::optional<QByteArray> levelshot(const QString& fileName, qint64 maxBytes) const;
    // What the arena scripts of all the archives say of each map, keyed as
    // readArenaScript() keys it; a later archive's script wins.
    const QHash<QString, ArenaInfo>& arenas() const { return arenas_; }

private:
    struct Archive {
        QString path;
        // The file names in "maps/", and the whole names of the levelshots:
        // of the thousands of entries of an archive of textures, only those
        // anybody here asks for.
        QStringList maps;
        QStringList levelshots;
    };

    static GameContent readInOrder(const QStringList& archives);

    QList<Archive> archives_;
    QHash<QString, ArenaInfo> arenas_;
};

// The game's folder in a game directory: the directory text followed directly
// by "baseq3", as the map folder's path is made.
QString gameFolderOf(const QString& gameDirectory);

// Whether a game directory offers maps: a maps folder that can be read, or
// maps in the archives of its game folder.
bool offersMaps(const QString& gameDirectory, const GameContent& gameArchives);

} // namespace app
