#include "BenchFolders.h"

#include "persist/LauncherSettings.h"
#include "persist/ServerList.h"
#include "support/ZipFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include <stdexcept>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// A map name in one of the letter cases people and tools write them in.
QString mapName(int number)
{
    const QString base = QStringLiteral("q3map%1").arg(number, 5, 10, QLatin1Char('0'));
    switch (number % 4) {
    case 0:
        return base + QStringLiteral(".bsp");
    case 1:
        return base.toUpper() + QStringLiteral(".BSP");
    case 2:
        return base + QStringLiteral(".Map");
    default:
        return QStringLiteral("Arena_") + base + QStringLiteral(".bSp");
    }
}

void makeGame(const QString& game, int files, int maps)
{
    const QString folder = game + QStringLiteral("/baseq3/maps/");
    QDir().mkpath(folder);
    // Maps among the levelshots, textures and scripts a real folder holds.
    for (int number = 0; number < files; ++number) {
        const QString name =
            number < maps ? mapName(number) : QStringLiteral("levelshot%1.jpg").arg(number);
        writeFile(folder + name, QByteArray());
    }
}

void writeArchive(const QString& path, const zipfiles::Entries& entries)
{
    if (!zipfiles::writeZipFile(path, entries))
        throw std::runtime_error("cannot write " + path.toStdString());
}

// A levelshot as the game ships them: a photo-like JPEG of 512 x 512.
QByteArray levelshot()
{
    QImage picture(512, 512, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * y) % 251, (x ^ y) & 0xff, (x * 7 + y * 3) % 253));
    }
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    picture.save(&bytes, "JPG", 90);
    return bytes.data();
}

// The game's own archives: the first holds the maps, their levelshots and
// scripts among thousands of textures, sounds and models; the point
// releases after it hold a few dozen files each.
void makeStockGame(const QString& folder)
{
    QDir().mkpath(folder);
    zipfiles::Entries first;
    QByteArray arenas;
    for (int number = 0; number < 30; ++number) {
        const QString map = QStringLiteral("q3dm%1").arg(number);
        first.append({QStringLiteral("maps/%1.bsp").arg(map), QByteArray(64, 'b')});
        first.append({QStringLiteral("levelshots/%1.jpg").arg(map),
                      map + QStringLiteral(".bsp") == QLatin1String(BenchFolders::kStockMap)
                          ? levelshot()
                          : QByteArray(64, 'j')});
        arenas += QStringLiteral("{\nmap \"%1\"\nlongname \"Arena %2\"\ntype \"ffa tourney\"\n}\n")
                      .arg(map)
                      .arg(number)
                      .toLatin1();
    }
    first.append({QStringLiteral("scripts/arenas.txt"), arenas});
    for (int number = 0; first.size() < 3'500; ++number)
        first.append({QStringLiteral("textures/set%1/surface%2.jpg").arg(number / 100).arg(number),
                      QByteArray(32, 't')});
    writeArchive(folder + QStringLiteral("/pak0.pk3"), first);
    for (int pak = 1; pak < 9; ++pak) {
        zipfiles::Entries patch;
        for (int number = 0; number < 40; ++number)
            patch.append({QStringLiteral("vm/part%1.qvm").arg(number), QByteArray(32, 'v')});
        writeArchive(folder + QStringLiteral("/pak%1.pk3").arg(pak), patch);
    }
}

void makeManyArchives(const QString& folder)
{
    QDir().mkpath(folder);
    for (int archive = 0; archive < 50; ++archive) {
        zipfiles::Entries maps;
        for (int number = 0; number < 100; ++number)
            maps.append({QStringLiteral("maps/pack%1-map%2.bsp").arg(archive).arg(number),
                         QByteArray(64, 'b')});
        writeArchive(folder + QStringLiteral("/pack%1.pk3").arg(archive), maps);
    }
}

// A server address: deterministic, in no particular order.
QString serverAddress(int number)
{
    const unsigned mixed = unsigned(number) * 2654435761u;
    return QStringLiteral("10.%1.%2.%3")
        .arg(mixed >> 24)
        .arg((mixed >> 16) & 0xff)
        .arg((mixed >> 8) & 0xff);
}

void makeStart(const QString& start, const QString& game, int servers)
{
    QDir().mkpath(start);
    persist::LauncherSettings settings{game + QLatin1Char('/'),
                                       QStringLiteral("Fraglet"),
                                       QStringLiteral("Sarge"),
                                       QStringLiteral("10.0.0.1"),
                                       QStringLiteral("q3dm17.bsp"),
                                       1,
                                       1,
                                       1};
    writeFile(start + QStringLiteral("/vortline.cfg"), *persist::writeSettingsRecord(settings));
    QByteArray list;
    for (int number = 0; number < servers; ++number)
        list += *persist::writeServerLine(serverAddress(number));
    writeFile(start + QLatin1Char('/') + QLatin1String(BenchFolders::kServerListFile), list);
}

} // namespace

BenchFolders::BenchFolders()
{
    if (!root_.isValid())
        throw std::runtime_error("no temporary folder");
    makeGame(path("game-10-maps"), 10, 10);
    makeGame(path("game-4000-maps"), 10'000, 4'000);
    makeStart(startWithTenMaps(), path("game-10-maps"), 1);
    makeStart(startWithManyMaps(), path("game-4000-maps"), 1);
    for (const int count : kServerCounts)
        makeStart(startWithServers(count), path("game-10-maps"), count);
    makeStockGame(stockGameFolder());
    makeStart(startWithStockGame(), path("game-stock"), 1);
    makeManyArchives(manyArchivesFolder());
}

QString BenchFolders::startWithServers(int count) const
{
    return root_.filePath(QStringLiteral("start-%1-servers").arg(count));
}
