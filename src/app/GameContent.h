#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace app {

// What a game installation's archives (its .pk3 files) hold for the map list
// and its tips, known from their central directories alone: their maps, and
// which levelshots and arena scripts they carry.
class GameContent {
public:
    // The archives directly in `folder`, in the order the game loads them (by
    // name, without regard to case). Archives that cannot be read are left
    // out; a folder that cannot be read has none.
    static GameContent read(const QString& folder);
    // The paths of those archives, in that order, and their content.
    static QStringList archivesIn(const QString& folder);
    static GameContent readArchives(const QStringList& archives);
    // Another folder's archives, which the game loads after these.
    void append(const GameContent& later);

    // The map files (".bsp" directly in "maps/") of all the archives, those
    // of the archive loaded last first: of names that differ only in case,
    // the first is the one the game uses.
    QStringList mapFiles() const;
    bool hasMaps() const;

    // The levelshot of this file name (compared without regard to case) of
    // the last archive that holds it and can give it whole; nothing when none
    // can.
    std::optional<QByteArray> levelshot(const QString& fileName, qint64 maxBytes) const;
    // The arena scripts of all the archives, those loaded first first.
    QList<QByteArray> arenaScripts(qint64 maxBytes) const;

private:
    struct Archive {
        QString path;
        // The file names in "maps/", and the whole names of the levelshots
        // and arena scripts: of the thousands of entries of an archive of
        // textures, only those anybody here asks for.
        QStringList maps;
        QStringList levelshots;
        QStringList scripts;
    };

    static GameContent readInOrder(const QStringList& archives);

    QList<Archive> archives_;
};

// The game's folder in a game directory: the directory text followed directly
// by "baseq3", as the map folder's path is made.
QString gameFolderOf(const QString& gameDirectory);

// Whether a game directory offers maps: a maps folder that can be read, or
// maps in the archives of its game folder.
bool offersMaps(const QString& gameDirectory, const GameContent& gameArchives);

} // namespace app
