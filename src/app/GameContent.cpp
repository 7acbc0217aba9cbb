#include "GameContent.h"

#include "platform/FolderListing.h"
#include "platform/PathText.h"
#include "platform/ZipArchive.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <system_error>

namespace app {
namespace {

constexpr QLatin1String kMaps("maps/");
constexpr QLatin1String kMapEnding(".bsp");
constexpr QLatin1String kLevelshots("levelshots/");
constexpr QLatin1String kScripts("scripts/");
constexpr QLatin1String kArenaEnding(".arena");
constexpr QLatin1String kArenaList("scripts/arenas.txt");
// Scripts are a few kilobytes; one of more is no script.
constexpr qint64 kMaxScriptBytes = 1024 * 1024;

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

// The name as text, or nothing when it is not UTF-8: shown as a guess and
// sent to the game, it would name no entry the game can find.
std::optional<QString> utf8Text(QByteArrayView name)
{
    QString text = QString::fromUtf8(name);
    if (text.contains(QChar::ReplacementCharacter) && text.toUtf8() != name)
        return std::nullopt;
    return text;
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

std::future<GameContent> listOnNewThread(std::function<GameContent()> listing)
{
    return std::async(std::launch::async, std::move(listing));
}

GameContent GameContent::readArchives(const QStringList& archives, const StartListing& start)
{
    // A player's downloads run to hundreds of archives, which two cores list
    // in little more than half the time; a few are listed here sooner than a
    // thread starts.
    constexpr qsizetype kArchivesWorthAThread = 16;
    if (archives.size() < kArchivesWorthAThread)
        return readInOrder(archives);
    const qsizetype half = archives.size() / 2;
    std::future<GameContent> later;
    try {
        later = start([rest = archives.sliced(half)] { return readInOrder(rest); });
    } catch (const std::system_error&) {
        // At the system's limit of threads the listing only takes longer.
        return readInOrder(archives);
    }
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
        Archive listed{path, {}, {}};
        QStringList scripts;
        const bool whole = archive->forEachEntryName([&listed, &scripts](QByteArrayView entry) {
            if (const auto map = nameDirectlyIn(entry, kMaps);
                map.size() > kMapEnding.size() && endsWith(map, kMapEnding)) {
                if (auto text = utf8Text(map))
                    listed.maps.append(std::move(*text));
            } else if (!nameDirectlyIn(entry, kLevelshots).isEmpty()) {
                if (auto text = utf8Text(entry))
                    listed.levelshots.append(std::move(*text));
            } else if (isArenaScript(entry)) {
                if (auto text = utf8Text(entry)) {
                    scripts.append(std::move(*text));
                    return true;
                }
            }
            return false;
        });
        // A directory that breaks off part way is a damaged archive: left
        // out, as one that does not open.
        if (!whole)
            continue;
        // Read here, off the window's thread, so that the first tip opens no
        // archive for them; only archives that carry scripts are read.
        for (const QString& script : std::as_const(scripts)) {
            if (const auto bytes = archive->read(script, kMaxScriptBytes))
                content.arenas_.insert(readArenaScript(*bytes));
        }
        content.archives_.append(std::move(listed));
    }
    return content;
}

void GameContent::append(const GameContent& later)
{
    archives_.append(later.archives_);
    arenas_.insert(later.arenas_);
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
