#pragma once

#include <set>
#include <string>
#include <vector>

class BenchFolders;

// The benchmarks' names, for reading their medians back.
namespace bench_name {
// Starts of the floor program: a window with the launcher's controls and
// pictures, in the system's fonts or the launcher's, and the latter showing
// what a figure's launcher reads, read plainly.
inline constexpr char kFloorWindow[] = "start-up/floor: plain window";
inline constexpr char kFloorEmpty[] = "start-up/floor: empty controls";
inline constexpr char kFloor[] = "start-up/floor";
inline constexpr char kFloorManyMaps[] = "start-up/floor: 4000 maps read";
inline constexpr char kFloorServers[] = "start-up/floor: 10000 servers read";
inline constexpr char kFloorStockGame[] = "start-up/floor: stock archives read";
// Starts of the launcher.
inline constexpr char kStartTenMaps[] = "start-up/10 maps";
inline constexpr char kStartManyMaps[] = "start-up/4000 maps";
inline constexpr char kStartServers[] = "start-up/servers:"; // followed by the count
inline constexpr char kStartStockGame[] = "start-up/stock game";
inline constexpr char kListing[] = "listing/map list";
inline constexpr char kListingFloor[] = "listing/plain readdir";
inline constexpr char kArgumentsInWindow[] = "arguments/window";
inline constexpr char kArgumentsLineEdit[] = "arguments/line edit set";
inline constexpr char kArgumentsString[] = "arguments/string";
inline constexpr char kArgumentsPlainString[] = "arguments/std::string";
inline constexpr char kSettingsRead[] = "settings/read:"; // followed by the field length
inline constexpr char kSettingsWrite[] = "settings/write:";
inline constexpr char kServerListRead[] = "server list/read:"; // followed by the line count
inline constexpr char kServerListPlainRead[] = "server list/plain read:";
inline constexpr char kArchiveListing[] = "listing/50 archives";
inline constexpr char kArchiveListingFloor[] = "listing/50 archives plainly";
inline constexpr char kFirstLevelshotTip[] = "tips/first levelshot";
inline constexpr char kLevelshotFloor[] = "tips/levelshot plainly";
inline constexpr char kStatusFilled[] = "server status/filled after the last answer";
inline constexpr char kStatusLongestFrame[] = "server status/longest frame";
inline constexpr char kFindServers[] = "find servers/filled from refresh";
inline constexpr char kFindServersAtStart[] = "find servers/objects at start-up";
} // namespace bench_name

// The counters each start carries beside its time to the mapped window.
inline constexpr char kToMainCounter[] = "to main";
inline constexpr char kPeakKiBCounter[] = "peak KiB";
// And those of each opening of the server browser, beside its fill time;
// each kind of change to the list has its own, named after it.
inline constexpr char kAfterLastAnswerCounter[] = "after last answer";
inline constexpr char kFillFrameCounter[] = "fill frame";
inline constexpr char kHeapKiBCounter[] = "heap KiB";

inline constexpr int kShortField = 40;
inline constexpr int kLongField = 4'000;
inline constexpr int kServerListLines[] = {10'000, 40'000};
inline constexpr int kAnsweringServers = 200;

// The unwanted libraries the launcher's starts had mapped at their window.
struct LibrariesAtWindow {
    bool checked = false; // false when no start of the launcher ran
    std::set<std::string> names;
};

// The server browser's objects the launcher's main window held at start.
struct BrowserAtStart {
    bool checked = false;
    std::vector<std::string> objects;
};

// Registers every benchmark with Google Benchmark; the folders and the
// records must outlive the run.
void registerLauncherBenchmarks(const BenchFolders& folders, LibrariesAtWindow& libraries,
                                BrowserAtStart& browserAtStart);
