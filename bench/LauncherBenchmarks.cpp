#include "LauncherBenchmarks.h"

#include "BenchFolders.h"
#include "ChildStart.h"
#include "PaintedWindow.h"
#include "PlainListing.h"
#include "ServerStatusRun.h"
#include "app/Form1.h"
#include "app/GameArguments.h"
#include "app/GameContent.h"
#include "app/MapTips.h"
#include "persist/LauncherSettings.h"
#include "persist/ServerList.h"
#include "persist/ServerListFile.h"
#include "platform/NativePlatform.h"
#include "ui/FileListBox.h"
#include "ui/ValueCheckBox.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include <chrono>
#include <memory>
#include <string>

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

// Times starts of the window in fresh processes, from construction until its
// first paint.
void registerInChild(const std::string& name, ChildTask task, const QString& folder,
                     int repetitions)
{
    benchmark::RegisterBenchmark(name.c_str(),
                                 [task, folder](benchmark::State& state) {
                                     for (auto _ : state)
                                         state.SetIterationTime(runInChild(task, folder).seconds);
                                 })
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly();
}

// Starts vary with the machine's load more than anything measured in one
// process, so they are repeated more.
constexpr int kStartRepetitions = 25;

void registerStarts(const BenchFolders& folders)
{
    registerInChild(bench_name::kFloorWindow, ChildTask::FloorWindow, folders.startWithTenMaps(),
                    kStartRepetitions);
    // Shown for comparison only, so repeated less.
    registerInChild(bench_name::kFloorInDesignFonts, ChildTask::FloorWindowInDesignFonts,
                    folders.startWithTenMaps(), kStartRepetitions / 2);
    registerInChild(bench_name::kStartTenMaps, ChildTask::LauncherWindow,
                    folders.startWithTenMaps(), kStartRepetitions);
    registerInChild(bench_name::kStartManyMaps, ChildTask::LauncherWindow,
                    folders.startWithManyMaps(), kStartRepetitions);
    for (const int count : BenchFolders::kServerCounts)
        registerInChild(bench_name::kStartServers + std::to_string(count),
                        ChildTask::LauncherWindow, folders.startWithServers(count),
                        count > 10'000 ? kStartRepetitions / 2 : kStartRepetitions);
    registerInChild(bench_name::kStartStockGame, ChildTask::LauncherWindow,
                    folders.startWithStockGame(), kStartRepetitions);
}

void registerArchives(const BenchFolders& folders)
{
    registerRepeated(bench_name::kArchiveListing, [folder = folders.manyArchivesFolder()] {
        return app::GameContent::read(folder).mapFiles();
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
}

persist::LauncherSettings settingsWithFields(int length)
{
    const QString text(length, QLatin1Char('x'));
    return {text, text, text, text, text, 1, 0, 1};
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
    // Read once, as start-up reads it: in a loop, the allocator would reuse
    // the memory the previous read gave back, which start-up never can.
    for (const int lines : kServerListLines)
        registerInChild(bench_name::kServerListRead + std::to_string(lines),
                        ChildTask::ServerListRead, folders.startWithServers(lines), 15);
}

} // namespace

void registerLauncherBenchmarks(const BenchFolders& folders)
{
    registerStarts(folders);
    registerListings(folders);
    registerArchives(folders);
    registerArguments(folders);
    registerRecords(folders);
    registerServerStatus();
}
