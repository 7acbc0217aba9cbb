#pragma once

#include <QString>
#include <QTemporaryDir>

// The folders the benchmark starts the launcher in, made once in a temporary
// folder: each start folder holds a valid settings file and server list and
// names a game folder whose maps folder holds the given files.
class BenchFolders {
public:
    BenchFolders();

    // Settings naming the game with 10 maps, one server.
    QString startWithTenMaps() const { return path("start-10-maps"); }
    // Settings naming the game with 10,000 files, 4,000 of them maps.
    QString startWithManyMaps() const { return path("start-4000-maps"); }
    QString manyMapsFolder() const { return path("game-4000-maps/baseq3/maps"); }
    QString tenMapsFolder() const { return path("game-10-maps/baseq3/maps"); }
    // Ten maps, and a server list of this many entries.
    QString startWithServers(int count) const;
    // Settings naming a game as it is installed: nine archives, the first
    // of 3,500 entries, and no maps folder.
    QString startWithStockGame() const { return path("start-stock"); }
    QString stockGameFolder() const { return path("game-stock/baseq3"); }
    // A map of the stock game with a levelshot and an arena script entry.
    static constexpr char kStockMap[] = "q3dm17.bsp";
    // Fifty archives of 100 maps each.
    QString manyArchivesFolder() const { return path("game-50-archives/baseq3"); }

    static constexpr int kServerCounts[] = {1'000, 10'000, 40'000};
    // In each start folder, beside the settings file.
    static constexpr char kServerListFile[] = "servers.vtl";

private:
    QString path(const char* name) const { return root_.filePath(QLatin1String(name)); }
    QTemporaryDir root_;
};
