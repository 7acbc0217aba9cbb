#include "MapTips.h"

#include "platform/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QPixmap>

namespace app {
namespace {

// Levelshots are square pictures of a 4:3 screen; the game stretches them
// back to 4:3, and so does the tip, at a size that shows the map's look.
constexpr QSize kLevelshotSize(256, 192);
constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;

// The game looks for a levelshot in these formats, in this order.
constexpr const char* kPictureFormats[] = {"tga", "jpg"};

QImage decoded(QByteArray bytes, const char* format)
{
    // Qt reads only TGA files that end in the footer of the format's second
    // version; older ones, the engine's own levelshots among them, differ in
    // nothing else.
    const QByteArray signature("TRUEVISION-XFILE.", 18);
    if (qstrcmp(format, "tga") == 0 && !bytes.endsWith(signature))
        bytes += QByteArray(8, '\0') + signature;
    QImage picture = QImage::fromData(bytes, format);
    // A picture saved under the other format's name still shows.
    if (picture.isNull())
        picture = QImage::fromData(bytes);
    return picture;
}

QString withoutExtension(const QString& file)
{
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? file.left(dot) : file;
}

} // namespace

void MapTips::reset(GameContent content, QString levelshotsFolder)
{
    content_ = std::move(content);
    levelshotsFolder_ = std::move(levelshotsFolder);
    tips_.clear();
}

ui::PictureTipContent MapTips::tipFor(const QString& mapFile)
{
    const auto kept = tips_.constFind(mapFile);
    if (kept != tips_.constEnd())
        return *kept;

    const QString name = withoutExtension(mapFile);
    const ArenaInfo info = content_.arenas().value(name.toLower());
    ui::PictureTipContent tip;
    tip.picture = QPixmap::fromImage(levelshot(name));
    QStringList lines;
    if (!info.longName.isEmpty())
        lines.append(info.longName);
    else if (!tip.picture.isNull())
        lines.append(name);
    if (!info.types.isEmpty())
        lines.append(QStringLiteral("Game types: %1").arg(info.types));
    tip.text = lines.join(QLatin1Char('\n'));
    tips_.insert(mapFile, tip);
    return tip;
}

QImage MapTips::levelshot(const QString& mapName) const
{
    for (const char* format : kPictureFormats) {
        const QString fileName = mapName + QLatin1Char('.') + QLatin1String(format);
        const auto bytes = levelshotBytes(fileName);
        if (!bytes)
            continue;
        const QImage picture = decoded(*bytes, format);
        if (!picture.isNull())
            return picture.scaled(kLevelshotSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return {};
}

std::optional<QByteArray> MapTips::levelshotBytes(const QString& fileName) const
{
    // The folder's file comes before any archive's, as for the maps.
    const QStringList loose =
        platform::fileNamesIn(levelshotsFolder_, [&fileName](const QString& name) {
            return name.compare(fileName, Qt::CaseInsensitive) == 0;
        }).value_or(QStringList());
    for (const QString& name : loose) {
        QFile file(QDir(levelshotsFolder_).filePath(name));
        if (file.size() <= kMaxPictureBytes && file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return content_.levelshot(fileName, kMaxPictureBytes);
}

} // namespace app
