#include "LauncherBenchmarks.h"

#include "BenchFolders.h"
#include "ChildStart.h"
#include "FindServersRun.h"
#include "PaintedWindow.h"
#include "PlainArchives.h"
#include "PlainArguments.h"
#include "PlainListing.h"
#include "ProgramStart.h"
#include "ServerStatusRun.h"
#include "app/Form1.h"
#include "app/GameArguments.h"
#include "app/GameContent.h"
#include "app/MapTips.h"
#include "persist/LauncherSettings.h"
#include "persist/ServerList.h"
#include "persist/ServerListFile.h"
#include "platform/NativePlatform.h"
#include "ui/DesignLook.h"
#include "ui/FileListBox.h"
#include "ui/ValueCheckBox.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalBlocker>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Long enough for thousands of runs of the figures repeated in one process;
// the default half second would make the whole benchmark take minutes.
constexpr double kMinSecondsPerRepetition = 0.2;

// Times `work` run over and over in one process, its result kept from the
// optimizer.
template <typename Work> void registerRepeated(const std::string& name, Work work)
{
    benchmark::RegisterBenchmark(name.c_str(),
                                 [work](benchmark::State& state) {
                                     for (auto _ : state)
                                         benchmark::DoNotOptimize(work());
                                 })
        ->MinTime(kMinSecondsPerRepetition)
        ->Repetitions(11)
        ->ReportAggregatesOnly();
}

// Starts vary with the machine's load more than anything measured in one
// process, so they are repeated more.
constexpr int kStartRepetitions = 25;

constexpr char kLauncherProgram[] = "vortline_bench_launcher";
constexpr char kFloorProgram[] = "vortline_bench_floor";
constexpr char kArchivesFloorProgram[] = "vortline_bench_floor_archives";

struct Start {
    const char* program;
    std::vector<std::string> arguments;
    QString folder;
};

// Times starts of a program in fresh processes, from its spawn until the
// first paint of its window; its time to main() and peak memory are kept
// as counters, and a launcher's unwanted libraries in `libraries`.
void registerStart(const std::string& name, Start start, int repetitions,
                   LibrariesAtWindow* libraries = nullptr)
{
    benchmark::RegisterBenchmark(
        name.c_str(),
        [start, libraries](benchmark::State& state) {
            for (auto _ : state) {
                const ProgramStart started =
                    startProgram(start.program, start.arguments, start.folder.toStdString());
                state.SetIterationTime(started.toWindow);
                state.counters[kToMainCounter] = started.toMain;
                state.counters[kPeakKiBCounter] = double(started.peakKiB);
                if (libraries) {
                    libraries->checked = true;
                    libraries->names.insert(started.unwantedLibraries.begin(),
                                            started.unwantedLibraries.end());
                }
            }
        })
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly();
}

void registerStarts(const BenchFolders& folders, LibrariesAtWindow& libraries)
{
    const QString tenMaps = folders.startWithTenMaps();
    const std::string designFonts = "--design-fonts";
    // Every floor shows what its launcher shows of its files, read plainly:
    // the settings, the server list, and the maps of the folder or archives.
    const auto readingFloor = [&](const char* maps, const QString& mapsFrom) {
        return std::vector<std::string>{designFonts,
                                        "--settings",
                                        "vortline.cfg",
                                        "--servers",
                                        BenchFolders::kServerListFile,
                                        maps,
                                        mapsFrom.toStdString()};
    };
    // Shown for comparison only, so repeated less.
    registerStart(bench_name::kFloorWindow, {kFloorProgram, {}, tenMaps}, kStartRepetitions / 2);
    registerStart(bench_name::kFloorEmpty, {kFloorProgram, {designFonts}, tenMaps},
                  kStartRepetitions / 2);
    // Figure 1 has the tightest target, so its median rests on the most starts.
    registerStart(bench_name::kFloor,
                  {kFloorProgram, readingFloor("--maps", folders.tenMapsFolder()), tenMaps},
                  2 * kStartRepetitions);
    registerStart(bench_name::kFloorManyMaps,
                  {kFloorProgram, readingFloor("--maps", folders.manyMapsFolder()),
                   folders.startWithManyMaps()},
                  kStartRepetitions);
    registerStart(bench_name::kFloorServers,
                  {kFloorProgram, readingFloor("--maps", folders.tenMapsFolder()),
                   folders.startWithServers(10'000)},
                  kStartRepetitions);
    registerStart(bench_name::kFloorStockGame,
                  {kArchivesFloorProgram, readingFloor("--archives", folders.stockGameFolder()),
                   folders.startWithStockGame()},
                  kStartRepetitions);

    registerStart(bench_name::kStartTenMaps, {kLauncherProgram, {}, tenMaps}, 2 * kStartRepetitions,
                  &libraries);
    registerStart(bench_name::kStartManyMaps, {kLauncherProgram, {}, folders.startWithManyMaps()},
                  kStartRepetitions, &libraries);
    for (const int count : BenchFolders::kServerCounts)
        registerStart(bench_name::kStartServers + std::to_string(count),
                      {kLauncherProgram, {}, folders.startWithServers(count)},
                      count > 10'000 ? kStartRepetitions / 2 : kStartRepetitions, &libraries);
    registerStart(bench_name::kStartStockGame, {kLauncherProgram, {}, folders.startWithStockGame()},
                  kStartRepetitions, &libraries);
}

void registerArchives(const BenchFolders& folders)
{
    registerRepeated(bench_name::kArchiveListing, [folder = folders.manyArchivesFolder()] {
        return app::GameContent::read(folder).mapFiles();
    });
    registerRepeated(bench_name::kArchiveListingFloor,
                     [folder = folders.manyArchivesFolder().toStdString()] {
                         return listArchiveMapsPlainly(folder);
                     });
    const QString stock = folders.stockGameFolder();
    benchmark::RegisterBenchmark(
        bench_name::kFirstLevelshotTip,
        [stock](benchmark::State& state) {
            for (auto _ : state) {
                // Each tip the first of a freshly listed game, as a user meets it.
                app::MapTips tips;
                tips.reset(app::GameContent::read(stock), stock + QStringLiteral("/levelshots"));
                const auto started = Clock::now();
                const ui::PictureTipContent tip =
                    tips.tipFor(QLatin1String(BenchFolders::kStockMap));
                state.SetIterationTime(
                    std::chrono::duration<double>(Clock::now() - started).count());
                if (tip.picture.isNull() || tip.text.isEmpty())
                    state.SkipWithError("the tip lacks its picture or its text");
            }
        })
        ->UseManualTime()
        ->Iterations(5)
        ->Repetitions(11)
        ->ReportAggregatesOnly();
    // The same two entries read from the same archive and the picture made
    // ready to draw.
    const std::string archive = (stock + QStringLiteral("/pak0.pk3")).toStdString();
    const std::string map = BenchFolders::kStockMap;
    const std::string levelshot = "levelshots/" + map.substr(0, map.rfind('.')) + ".jpg";
    benchmark::RegisterBenchmark(
        bench_name::kLevelshotFloor,
        [archive, levelshot](benchmark::State& state) {
            for (auto _ : state) {
                const auto started = Clock::now();
                const std::string arenas = readArchiveEntryPlainly(archive, "scripts/arenas.txt");
                const std::string picture = readArchiveEntryPlainly(archive, levelshot);
                // Scaled smoothly to the tip's size, as the tip shows it.
                const QPixmap shown = QPixmap::fromImage(
                    QImage::fromData(reinterpret_cast<const uchar*>(picture.data()),
                                     int(picture.size()))
                        .scaled(256, 192, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
                state.SetIterationTime(
                    std::chrono::duration<double>(Clock::now() - started).count());
                if (shown.isNull() || arenas.empty())
                    state.SkipWithError("the archive lacks the levelshot or the arena script");
            }
        })
        ->UseManualTime()
        ->Iterations(5)
        ->Repetitions(11)
        ->ReportAggregatesOnly();
}

void registerServerStatus()
{
    // Each opening takes two seconds, the pace at which the queries go out.
    for (const bool frame : {false, true})
        benchmark::RegisterBenchmark(
            frame ? bench_name::kStatusLongestFrame : bench_name::kStatusFilled,
            [frame](benchmark::State& state) {
                for (auto _ : state) {
                    const ServerStatusRun run = openServerListOf(kAnsweringServers);
                    state.SetIterationTime(frame ? run.longestFrame : run.filledAfterLastAnswer);
                }
            })
            ->UseManualTime()
            ->Iterations(1)
            ->Repetitions(3)
            ->ReportAggregatesOnly();
}

void registerFindServers(const BenchFolders& folders, BrowserAtStart& browserAtStart)
{
    // Each opening takes some six seconds: the pace of the queries, then the
    // silent servers' two timeouts, then some fifty changes to the list.
    benchmark::RegisterBenchmark(
        bench_name::kFindServers,
        [](benchmark::State& state) {
            for (auto _ : state) {
                const FindServersRun run = openFindServersOn(kFoundServers);
                state.SetIterationTime(run.filledFromRefresh);
                state.counters[kAfterLastAnswerCounter] = run.filledAfterLastAnswer;
                state.counters[kFillFrameCounter] = run.longestFillFrame;
                state.counters[kHeapKiBCounter] = double(run.heapKiB);
                for (size_t kind = 0; kind < kListChanges; ++kind)
                    state.counters[listChangeName(ListChange(kind))] = run.longestChangeFrame[kind];
            }
        })
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(3)
        ->ReportAggregatesOnly();
    benchmark::RegisterBenchmark(
        bench_name::kFindServersAtStart,
        [&browserAtStart, folder = folders.startWithTenMaps()](benchmark::State& state) {
            for (auto _ : state) {
                browserAtStart.checked = true;
                browserAtStart.objects = findServersObjectsAtStart(folder);
            }
        })
        ->Iterations(1)
        ->Repetitions(1);
}

void registerListings(const BenchFolders& folders)
{
    const QString many = folders.manyMapsFolder();
    const QString none = folders.startWithTenMaps();
    benchmark::RegisterBenchmark(
        bench_name::kListing,
        [many, none](benchmark::State& state) {
            // The map list as the window has it.
            ui::FileListBox list;
            list.setPattern(QStringLiteral("*.bsp ; *.map"));
            list.resize(161, 84);
            showAndWaitForPaint(list);
            for (auto _ : state) {
                list.setPath(none);
                waitForPaint(*list.viewport());
                const auto started = Clock::now();
                list.setPath(many);
                waitForPaint(*list.viewport());
                state.SetIterationTime(
                    std::chrono::duration<double>(Clock::now() - started).count());
            }
        })
        ->UseManualTime()
        ->Iterations(3)
        ->Repetitions(11)
        ->ReportAggregatesOnly();
    benchmark::RegisterBenchmark(bench_name::kListingFloor,
                                 [folder = many.toStdString()](benchmark::State& state) {
                                     for (auto _ : state)
                                         benchmark::DoNotOptimize(listMapsPlainly(folder));
                                 })
        ->Iterations(3)
        ->Repetitions(11)
        ->ReportAggregatesOnly();
}

app::LaunchOptions everyOption()
{
    app::LaunchOptions options;
    options.playerName = QStringLiteral("Fraglet");
    options.cheats = 1;
    options.dedicated = 1;
    options.connect = 1;
    options.server = QStringLiteral("10.100.200.255 ");
    options.model = QStringLiteral("Sarge");
    options.mapFile = QStringLiteral("q3dm17.bsp");
    options.advanced = 1;
    options.fullscreen = 1;
    options.rate22 = true;
    return options;
}

void registerArguments(const BenchFolders& folders)
{
    const QString folder = folders.startWithTenMaps();
    benchmark::RegisterBenchmark(
        bench_name::kArgumentsInWindow,
        [folder](benchmark::State& state) {
            QDir::setCurrent(folder);
            const auto platform = platform::createNativePlatform();
            app::Form1 window(*platform);
            showAndWaitForPaint(window);
            // Every piece of the string present: the settings set the rest.
            auto* maps = window.findChild<ui::FileListBox*>(QStringLiteral("File1"));
            maps->setCurrentRow(0);
            window.findChild<ui::ValueCheckBox*>(QStringLiteral("ADVANCED"))->setValue(1);
            QRadioButton* rates[] = {window.findChild<QRadioButton*>(QStringLiteral("Option1")),
                                     window.findChild<QRadioButton*>(QStringLiteral("Option2"))};
            const auto* arguments = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
            int rate = 0;
            for (auto _ : state) {
                // Unmeasured, the sound rate changes unseen, so each build
                // gives a new string; a map chosen then makes the window
                // rebuild it and do nothing else.
                rate = 1 - rate;
                {
                    const QSignalBlocker blockFirst(rates[0]);
                    const QSignalBlocker blockSecond(rates[1]);
                    rates[rate]->setChecked(true);
                }
                const auto started = Clock::now();
                emit maps->fileClicked();
                state.SetIterationTime(
                    std::chrono::duration<double>(Clock::now() - started).count());
            }
            if (arguments->text().count(QLatin1Char('+')) != 8)
                state.SkipWithError(
                    ("a piece is missing: " + arguments->text()).toStdString().c_str());
        })
        ->UseManualTime()
        ->MinTime(kMinSecondsPerRepetition)
        ->Repetitions(11)
        ->ReportAggregatesOnly();
    registerRepeated(bench_name::kArgumentsString,
                     [options = everyOption()] { return app::buildGameArguments(options); });
    const PlainOptions plain = plainOptions(everyOption());
    // A floor that built another string would measure other work.
    if (QString::fromStdString(argumentsPlainly(plain)) != app::buildGameArguments(everyOption()))
        throw std::runtime_error("the plain argument string differs from the launcher's");
    registerRepeated(bench_name::kArgumentsPlainString,
                     [plain] { return argumentsPlainly(plain); });
    benchmark::RegisterBenchmark(
        bench_name::kArgumentsLineEdit,
        [](benchmark::State& state) {
            // Text1 as the window has it, in its size and font, given the two
            // strings the window benchmark alternates between.
            app::LaunchOptions options = everyOption();
            options.rate22 = false;
            const QString texts[] = {app::buildGameArguments(options),
                                     app::buildGameArguments(everyOption())};
            QLineEdit edit;
            edit.setFont(ui::designFont(ui::DesignFont::MsSansSerif));
            edit.resize(393, 35);
            showAndWaitForPaint(edit);
            int rate = 0;
            for (auto _ : state) {
                rate = 1 - rate;
                const auto started = Clock::now();
                edit.setText(texts[rate]);
                state.SetIterationTime(
                    std::chrono::duration<double>(Clock::now() - started).count());
            }
        })
        ->UseManualTime()
        ->MinTime(kMinSecondsPerRepetition)
        ->Repetitions(11)
        ->ReportAggregatesOnly();
}

persist::LauncherSettings settingsWithFields(int length)
{
    const QString text(length, QLatin1Char('x'));
    return {text, text, text, text, text, 1, 0, 1};
}

// Times work done once in a fresh process.
void registerInChild(const std::string& name, ChildTask task, const QString& folder)
{
    benchmark::RegisterBenchmark(name.c_str(),
                                 [task, folder](benchmark::State& state) {
                                     for (auto _ : state)
                                         state.SetIterationTime(runInChild(task, folder));
                                 })
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(15)
        ->ReportAggregatesOnly();
}

void registerRecords(const BenchFolders& folders)
{
    for (const int length : {kShortField, kLongField}) {
        const persist::LauncherSettings settings = settingsWithFields(length);
        const QByteArray record = *persist::writeSettingsRecord(settings);
        registerRepeated(bench_name::kSettingsRead + std::to_string(length),
                         [record] { return persist::readSettingsRecord(record); });
        registerRepeated(bench_name::kSettingsWrite + std::to_string(length),
                         [settings] { return persist::writeSettingsRecord(settings); });
    }
    for (const int lines : kServerListLines) {
        registerInChild(bench_name::kServerListRead + std::to_string(lines),
                        ChildTask::ServerListRead, folders.startWithServers(lines));
        registerInChild(bench_name::kServerListPlainRead + std::to_string(lines),
                        ChildTask::PlainServerListRead, folders.startWithServers(lines));
    }
}

} // namespace

void registerLauncherBenchmarks(const BenchFolders& folders, LibrariesAtWindow& libraries,
                                BrowserAtStart& browserAtStart)
{
    registerStarts(folders, libraries);
    registerListings(folders);
    registerArchives(folders);
    registerArguments(folders);
    registerRecords(folders);
    registerServerStatus();
    registerFindServers(folders, browserAtStart);
}
