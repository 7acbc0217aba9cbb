#pragma once

class BenchFolders;

// The benchmarks' names, for reading their medians back.
namespace bench_name {
inline constexpr char kFloorWindow[] = "start-up/floor window";
inline constexpr char kFloorInDesignFonts[] = "start-up/floor window in the launcher's fonts";
inline constexpr char kStartTenMaps[] = "start-up/10 maps";
inline constexpr char kStartManyMaps[] = "start-up/4000 maps";
inline constexpr char kStartServers[] = "start-up/servers:"; // followed by the count
inline constexpr char kListing[] = "listing/map list";
inline constexpr char kListingFloor[] = "listing/plain readdir";
inline constexpr char kArgumentsInWindow[] = "arguments/window";
inline constexpr char kArgumentsString[] = "arguments/string";
inline constexpr char kSettingsRead[] = "settings/read:"; // followed by the field length
inline constexpr char kSettingsWrite[] = "settings/write:";
inline constexpr char kServerListRead[] = "server list/read:"; // followed by the line count
inline constexpr char kStartStockGame[] = "start-up/stock game";
inline constexpr char kArchiveListing[] = "listing/50 archives";
inline constexpr char kFirstLevelshotTip[] = "tips/first levelshot";
inline constexpr char kStatusFilled[] = "server status/filled after the last answer";
inline constexpr char kStatusLongestFrame[] = "server status/longest frame";
} // namespace bench_name

inline constexpr int kShortField = 40;
inline constexpr int kLongField = 4'000;
inline constexpr int kServerListLines[] = {10'000, 40'000};
inline constexpr int kAnsweringServers = 200;

// Registers every benchmark with Google Benchmark; the folders must outlive
// the run.
void registerLauncherBenchmarks(const BenchFolders& folders);
