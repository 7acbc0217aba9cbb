#include "ArchivesAhead.h"

#include "persist/LauncherSettings.h"
#include "persist/SettingsFile.h"
#include "platform/Platform.h"

#include <system_error>

namespace app {

ArchivesAhead::ArchivesAhead(const QStringList& folders, const StartListing& start)
{
    for (const QString& folder : folders) {
        // A thread only for archives: most folders have none, or none yet.
        const QStringList archives = GameContent::archivesIn(folder);
        if (archives.isEmpty())
            continue;
        try {
            ahead_.emplace_back(folder, start([archives, start] {
                                    return GameContent::readArchives(archives, start);
                                }));
        } catch (const std::system_error&) {
            // take() lists it then, on its caller's thread.
        }
    }
}

ArchivesAhead ArchivesAhead::forSavedGame(platform::Platform& platform)
{
    // Listing a game's archives takes milliseconds, most of them memory
    // touched for the first time. Started at once, on another core, it is
    // done by the time the window, made meanwhile, needs it. A first start
    // opens the picker and lists nothing.
    const auto settings = persist::readSettingsFile(platform);
    if (!settings || settings->gameDirectory == persist::defaultSettings().gameDirectory)
        return {};
    return ArchivesAhead({gameFolderOf(settings->gameDirectory), platform.playerGameFolder()});
}

GameContent ArchivesAhead::take(const QString& folder)
{
    for (auto& [aheadFolder, content] : ahead_) {
        if (aheadFolder == folder && content.valid())
            return content.get();
    }
    return GameContent::read(folder);
}

void ArchivesAhead::keep(const QString& folder, GameContent listed)
{
    std::promise<GameContent> made;
    made.set_value(std::move(listed));
    ahead_.emplace_back(folder, made.get_future());
}

} // namespace app
