#include "GameContent.h"

#include "platform/FolderListing.h"
#include "platform/PathText.h"
#include "platform/ZipArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace app {
namespace {

constexpr QLatin1String kMaps("maps/");
constexpr QLatin1String kMapEnding(".bsp");
constexpr QLatin1String kLevelshots("levelshots/");
constexpr QLatin1String kScripts("scripts/");
constexpr QLatin1String kArenaEnding(".arena");
constexpr QLatin1String kArenaList("scripts/arenas.txt");

bool startsWith(const QString& text, QLatin1String start)
{
    return text.startsWith(start, Qt::CaseInsensitive);
}

bool endsWith(const QString& text, QLatin1String end)
{
    return text.endsWith(end, Qt::CaseInsensitive);
}

// Directly in the folder `start` names: the game does not look deeper.
bool isDirectlyIn(const QString& entry, QLatin1String start)
{
    return startsWith(entry, start) && entry.indexOf(QLatin1Char('/'), start.size()) < 0 &&
           entry.size() > start.size();
}

bool isMap(const QString& entry)
{
    return isDirectlyIn(entry, kMaps) && endsWith(entry, kMapEnding) &&
           entry.size() > kMaps.size() + kMapEnding.size();
}

bool isArenaScript(const QString& entry)
{
    return entry.compare(kArenaList, Qt::CaseInsensitive) == 0 ||
           (isDirectlyIn(entry, kScripts) && endsWith(entry, kArenaEnding));
}

} // namespace

GameContent GameContent::read(const QString& folder)
{
    QStringList names = platform::fileNamesIn(folder, [](const QString& name) {
                            return endsWith(name, QLatin1String(".pk3"));
                        }).value_or(QStringList());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });

    GameContent content;
    const QDir directory(folder);
    for (const QString& name : std::as_const(names)) {
        const QString path = directory.filePath(name);
        const auto archive = platform::ZipArchive::open(path);
        if (!archive)
            continue;
        Archive listed{path, {}, {}};
        for (const QString& entry : archive->entryNames()) {
            if (isMap(entry))
                listed.maps.append(entry.sliced(kMaps.size()));
            else if (isDirectlyIn(entry, kLevelshots) || isArenaScript(entry))
                listed.kept.append(entry);
        }
        content.archives_.append(std::move(listed));
    }
    return content;
}

void GameContent::append(const GameContent& later)
{
    archives_.append(later.archives_);
}

QStringList GameContent::mapFiles() const
{
    QStringList maps;
    QHash<QString, qsizetype> places;
    for (const Archive& archive : archives_) {
        for (const QString& map : archive.maps) {
            const QString key = map.toCaseFolded();
            const auto place = places.constFind(key);
            if (place == places.constEnd()) {
                places.insert(key, maps.size());
                maps.append(map);
            } else {
                maps[*place] = map;
            }
        }
    }
    return maps;
}

bool GameContent::hasMaps() const
{
    return std::any_of(archives_.begin(), archives_.end(),
                       [](const Archive& archive) { return !archive.maps.isEmpty(); });
}

std::optional<QByteArray> GameContent::entry(const QString& path, qint64 maxBytes) const
{
    for (auto archive = archives_.crbegin(); archive != archives_.crend(); ++archive) {
        const auto kept =
            std::find_if(archive->kept.begin(), archive->kept.end(), [&path](const QString& entry) {
                return entry.compare(path, Qt::CaseInsensitive) == 0;
            });
        if (kept == archive->kept.end())
            continue;
        // An archive changed or damaged since it was listed gives way to the
        // one loaded before it, as a missing entry would.
        if (const auto opened = platform::ZipArchive::open(archive->path)) {
            if (auto bytes = opened->read(*kept, maxBytes))
                return bytes;
        }
    }
    return std::nullopt;
}

QList<QByteArray> GameContent::arenaScripts(qint64 maxBytes) const
{
    QList<QByteArray> scripts;
    for (const Archive& archive : archives_) {
        std::optional<platform::ZipArchive> opened;
        for (const QString& entry : archive.kept) {
            if (!isArenaScript(entry))
                continue;
            if (!opened && !(opened = platform::ZipArchive::open(archive.path)))
                break;
            if (auto bytes = opened->read(entry, maxBytes))
                scripts.append(std::move(*bytes));
        }
    }
    return scripts;
}

QString gameFolderOf(const QString& gameDirectory)
{
    return gameDirectory + platform::nativePathText(QStringLiteral("baseq3"));
}

bool offersMaps(const QString& gameDirectory, const GameContent& gameArchives)
{
    const QFileInfo maps(gameFolderOf(gameDirectory) +
                         platform::nativePathText(QStringLiteral("\\maps")));
    return (maps.isDir() && maps.isReadable()) || gameArchives.hasMaps();
}

} // namespace app
