#pragma once

#include "GameContent.h"

#include <QString>
#include <QStringList>

#include <future>
#include <utility>
#include <vector>

namespace platform {
class Platform;
}

namespace app {

// The listings of archive folders, started on other threads before they are
// needed. Whatever is still under way is waited for when this goes, so
// nothing runs on after its owner.
class ArchivesAhead {
public:
    ArchivesAhead() = default;
    // Starts listing each folder that has archives. A folder whose listing
    // cannot start, when the system makes no more threads, is listed when
    // asked for.
    explicit ArchivesAhead(const QStringList& folders, const StartListing& start = listOnNewThread);
    // The game's folder and the player's, as the saved settings name them.
    static ArchivesAhead forSavedGame(platform::Platform& platform);

    ArchivesAhead(ArchivesAhead&&) noexcept = default;
    ArchivesAhead& operator=(ArchivesAhead&&) noexcept = default;

    // The listing of this folder: the one under way or kept, else read now.
    GameContent take(const QString& folder);
    // A listing already made, for the next take() of its folder.
    void keep(const QString& folder, GameContent listed);
    // Forgets every listing, waiting for those under way: later listings
    // read the folders as they are then.
    void clear() { ahead_.clear(); }

private:
    std::vector<std::pair<QString, std::future<GameContent>>> ahead_;
};

} // namespace app
