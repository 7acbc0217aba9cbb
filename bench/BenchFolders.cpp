#include "BenchFolders.h"

#include "persist/LauncherSettings.h"
#include "persist/ServerList.h"

#include <QDir>
#include <QFile>

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
    writeFile(start + QStringLiteral("/vortline.cfg"), persist::writeSettingsRecord(settings));
    QByteArray list;
    for (int number = 0; number < servers; ++number)
        list += persist::writeServerLine(serverAddress(number));
    writeFile(start + QStringLiteral("/servers.vtl"), list);
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
}

QString BenchFolders::startWithServers(int count) const
{
    return root_.filePath(QStringLiteral("start-%1-servers").arg(count));
}
