#include "GameContent.h"

#include "platform/FolderListing.h"
#include "platform/PathText.h"
#include "platform/ZipArchive.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <future>

namespace app {
namespace {

constexpr QLatin1String kMaps("maps/");
constexpr QLatin1String kMapEnding(".bsp");
constexpr QLatin1String kLevelshots("levelshots/");
constexpr QLatin1String kScripts("scripts/");
constexpr QLatin1String kArenaEnding(".arena");
constexpr QLatin1String kArenaList("scripts/arenas.txt");

// Entry names are compared as the game compares them: ASCII letters in any
// case. They are looked at as bytes, since most of an archive's thousands of
// entries are passed over.
bool startsWith(QByteArrayView entry, QLatin1String start)
{
    return entry.size() >= start.size() && qstrnicmp(entry.data(), start.data(), start.size()) == 0;
}

bool endsWith(QByteArrayView entry, QLatin1String end)
{
    return entry.size() >= end.size() &&
           qstrnicmp(entry.data() + entry.size() - end.size(), end.data(), end.size()) == 0;
}

// The name of an entry directly in `folder`, the game looking no deeper;
// empty for any other entry.
QByteArrayView nameDirectlyIn(QByteArrayView entry, QLatin1String folder)
{
    if (!startsWith(entry, folder))
        return {};
    const QByteArrayView name = entry.sliced(folder.size());
    return name.contains('/') ? QByteArrayView() : name;
}

bool isArenaScript(QByteArrayView entry)
{
    return (entry.size() == kArenaList.size() && startsWith(entry, kArenaList)) ||
           endsWith(nameDirectlyIn(entry, kScripts), kArenaEnding);
}

bool isArchive(const QString& name)
{
    return name.endsWith(QLatin1String(".pk3"), Qt::CaseInsensitive);
}

} // namespace

QStringList GameContent::archivesIn(const QString& folder)
{
    QStringList names = platform::fileNamesIn(folder, &isArchive).value_or(QStringList());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    const QDir directory(folder);
    for (QString& name : names)
        name = directory.filePath(name);
    return names;
}

GameContent GameContent::read(const QString& folder)
{
    return readArchives(archivesIn(folder));
}

GameContent GameContent::readArchives(const QStringList& archives)
{
    // A player's downloads run to hundreds of archives, which two cores list
    // in little more than half the time; a few are listed here sooner than a
    // thread starts.
    constexpr qsizetype kArchivesWorthAThread = 16;
    platform::ZipArchive::prepareProcess();
    if (archives.size() < kArchivesWorthAThread)
        return readInOrder(archives);
    const qsizetype half = archives.size() / 2;
    auto later = std::async(std::launch::async, &readInOrder, archives.sliced(half));
    GameContent content = readInOrder(archives.first(half));
    content.append(later.get());
    return content;
}

GameContent GameContent::readInOrder(const QStringList& archives)
{
    GameContent content;
    for (const QString& path : archives) {
        const auto archive = platform::ZipArchive::open(path);
        if (!archive)
            continue;
        Archive listed{path, {}, {}, {}};
        archive->forEachEntryName([&listed](QByteArrayView entry) {
            if (const auto map = nameDirectlyIn(entry, kMaps);
                map.size() > kMapEnding.size() && endsWith(map, kMapEnding))
                listed.maps.append(QString::fromUtf8(map));
            else if (!nameDirectlyIn(entry, kLevelshots).isEmpty())
                listed.levelshots.append(QString::fromUtf8(entry));
            else if (isArenaScript(entry))
                listed.scripts.append(QString::fromUtf8(entry));
        });
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
    for (auto archive = archives_.crbegin(); archive != archives_.crend(); ++archive)
        maps.append(archive->maps);
    return maps;
}

bool GameContent::hasMaps() const
{
    return std::any_of(archives_.begin(), archives_.end(),
                       [](const Archive& archive) { return !archive.maps.isEmpty(); });
}

std::optional<QByteArray> GameContent::levelshot(const QString& fileName, qint64 maxBytes) const
{
    const auto named = [&fileName](const QString& entry) {
        return QStringView(entry)
                   .sliced(kLevelshots.size())
                   .compare(fileName, Qt::CaseInsensitive) == 0;
    };
    for (auto archive = archives_.crbegin(); archive != archives_.crend(); ++archive) {
        const auto found =
            std::find_if(archive->levelshots.begin(), archive->levelshots.end(), named);
        if (found == archive->levelshots.end())
            continue;
        // An archive changed or damaged since it was listed gives way to the
        // one loaded before it, as a missing entry would.
        if (const auto opened = platform::ZipArchive::open(archive->path)) {
            if (auto bytes = opened->read(*found, maxBytes))
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
        for (const QString& entry : archive.scripts) {
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
