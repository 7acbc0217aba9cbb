// Measures the launcher against floors taken in the same run and prints one
// table; exits with 1 when a figure misses its target. The machines this runs
// on are noisy, so every target is a median and most are ratios.
#include "BenchFolders.h"
#include "ChildStart.h"
#include "FindServersRun.h"
#include "LauncherBenchmarks.h"
#include "ProgramIdentity.h"
#include "ResultTable.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

using namespace bench_name;

std::string processorName()
{
    QFile cpuInfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuInfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (QByteArray line = cpuInfo.readLine(); !line.isEmpty(); line = cpuInfo.readLine()) {
            if (line.startsWith("model name"))
                return line.mid(line.indexOf(':') + 1).trimmed().toStdString();
        }
    }
    return QSysInfo::currentCpuArchitecture().toStdString();
}

// n log n from the smaller count to the larger.
double nLogNGrowth(double smaller, double larger)
{
    return larger * std::log(larger) / (smaller * std::log(smaller));
}

// 5000 as "5,000".
std::string thousands(int number)
{
    const std::string digits = std::to_string(number);
    return number < 1000 ? digits
                         : thousands(number / 1000) + "," + digits.substr(digits.size() - 3);
}

// Noise allowance for the figures that should grow in step with their input.
constexpr double kLinearSlack = 1.25;

ResultTable tabulate(const MedianCollector& medians, const LibrariesAtWindow& libraries,
                     const BrowserAtStart& browserAtStart)
{
    ResultTable table;
    // A row whose benchmarks a filter left out is left out too.
    const auto row = [](const auto& add) {
        try {
            add();
        } catch (const MedianCollector::NotRun&) {
        }
    };
    const auto start = [&](const std::string& name) {
        return StartTime{medians.counter(name, kToMainCounter), medians.seconds(name)};
    };
    const auto servers = [&](int count) {
        return medians.seconds(kStartServers + std::to_string(count));
    };
    const auto againstFloor = [&](const std::string& figure, const char* name,
                                  const std::string& floorName, const char* floor,
                                  double maxRatio) {
        row([&] {
            table.addStartAgainstFloor(figure, start(name), floorName, start(floor), maxRatio);
        });
        // How much of it is the machine's font and style code, which the
        // launcher shares with every Qt program.
        row([&] {
            table.addStartComparison("  the same, against a plain window", start(name),
                                     "plain window", start(kFloorWindow));
        });
    };
    againstFloor("1 start-up, 10 maps", kStartTenMaps, "floor", kFloor, 1.05);
    // The floor's controls left empty: what showing the files' texts costs
    // the plain way.
    row([&] {
        table.addStartComparison("  the same, against the floor with empty controls",
                                 start(kStartTenMaps), "empty controls", start(kFloorEmpty));
    });
    if (libraries.checked)
        table.addUnwanted("1 libraries mapped at the window (network, crypto, archives)",
                          {libraries.names.begin(), libraries.names.end()});
    // The floors show the 4,000 maps or the 10,000 servers too, in a plain
    // list or box.
    againstFloor("2 start-up, 4,000 maps in 10,000 files", kStartManyMaps, "floor + readdir",
                 kFloorManyMaps, 1.1);
    row([&] {
        table.addAgainstFloor("2 map listing, 4,000 maps in 10,000 files",
                              medians.seconds(kListing), "readdir+sort",
                              medians.seconds(kListingFloor), 2.5);
    });
    row([&] {
        table.addAgainstFloor("3 BuildGameArguments, Text1 set",
                              medians.seconds(kArgumentsInWindow), "QLineEdit set",
                              medians.seconds(kArgumentsLineEdit), 2.5);
    });
    // Each piece is a QString of its own, in UTF-16, against appends to one
    // buffer: some ten times the floor, and a piece made twice shows.
    row([&] {
        table.addAgainstFloor("3 argument string alone", medians.seconds(kArgumentsString),
                              "std::string", medians.seconds(kArgumentsPlainString), 16);
    });
    const double fieldGrowth = double(kLongField) / kShortField;
    for (const char* name : {kSettingsRead, kSettingsWrite}) {
        const std::string figure = std::string("4 settings record ") +
                                   (name == kSettingsRead ? "read" : "write") + ", fields " +
                                   std::to_string(kShortField) + " → " +
                                   std::to_string(kLongField) + " chars";
        row([&] {
            table.addGrowth(figure, medians.seconds(name + std::to_string(kLongField)),
                            medians.seconds(name + std::to_string(kShortField)),
                            fieldGrowth * kLinearSlack, "linear");
        });
    }
    const auto listRead = [&] {
        return medians.seconds(kServerListRead + std::to_string(kServerListLines[0]));
    };
    row([&] {
        table.addAgainstFloor(
            "4 server list read, 10,000 lines", listRead(), "fread+split",
            medians.seconds(kServerListPlainRead + std::to_string(kServerListLines[0])), 3);
    });
    row([&] {
        // Memory touched for the first time grows dearer per page on some
        // machines as a process grows, so the plain read's own growth, if
        // more than linear, is allowed too.
        const auto plainRead = [&](int lines) {
            return medians.seconds(kServerListPlainRead + std::to_string(lines));
        };
        const double plainGrowth = plainRead(kServerListLines[1]) / plainRead(kServerListLines[0]);
        table.addGrowth("4 server list read, 10,000 → 40,000 lines",
                        medians.seconds(kServerListRead + std::to_string(kServerListLines[1])),
                        listRead(), std::max(4.0, plainGrowth) * kLinearSlack,
                        "linear, or as fread+split");
    });
    row([&] {
        table.addMemory("5 peak memory, start-up with 10 maps",
                        long(medians.counter(kStartTenMaps, kPeakKiBCounter)),
                        long(medians.counter(kFloor, kPeakKiBCounter)), 1.1);
    });
    againstFloor("6 start-up, 10,000 servers", (kStartServers + std::to_string(10'000)).c_str(),
                 "floor + list read", kFloorServers, 1.1);
    row([&] {
        table.addGrowth("6 start-up, 1,000 → 10,000 servers", servers(10'000), servers(1'000),
                        nLogNGrowth(1'000, 10'000), "n log n");
    });
    row([&] {
        table.addGrowth("6 start-up, 10,000 → 40,000 servers", servers(40'000), servers(10'000),
                        nLogNGrowth(10'000, 40'000), "n log n");
    });
    againstFloor("7 start-up, nine archives (one of 3,500 entries), no maps folder",
                 kStartStockGame, "floor + minizip", kFloorStockGame, 1.1);
    row([&] {
        table.addAgainstFloor("7 archive listing, 50 archives of 100 maps",
                              medians.seconds(kArchiveListing), "minizip",
                              medians.seconds(kArchiveListingFloor), 1.5);
    });
    row([&] {
        table.addAgainstFloor("7 first levelshot tip (archive entry read, picture decoded)",
                              medians.seconds(kFirstLevelshotTip), "minizip + QImage",
                              medians.seconds(kLevelshotFloor), 5);
    });
    const std::string answering = std::to_string(kAnsweringServers);
    // The answers come at the network's pace, which no floor has: these two
    // are what a user waits for and the frame budget of a smooth window.
    row([&] {
        table.addLimit("8 server status, " + answering +
                           " servers on 127.0.0.1: last row filled after the last answer",
                       medians.seconds(kStatusFilled), 50e-3);
    });
    row([&] {
        table.addLimit("8 the same, the longest frame while the answers arrive",
                       medians.seconds(kStatusLongestFrame), 16e-3);
    });
    // The browser's list fills at the pace its queries go out, raised for the
    // bench: the pace, then a silent server's two timeouts, is all it may take.
    const double pacedSeconds = double(kFoundServers) / kFindServersLimits.perSecond +
                                2 * kFindServersLimits.timeoutMs * 1e-3;
    const std::string browser = "9 find servers, " + thousands(kFoundServers) +
                                " on 127.0.0.0/8 at " + thousands(kFindServersLimits.perSecond) +
                                " queries/s";
    row([&] {
        table.addLimit(browser + ": all answered, sorted by ping, from refresh",
                       medians.seconds(kFindServers), pacedSeconds + 0.5);
    });
    // The model hands its rows to the list in batches of 150 ms.
    row([&] {
        table.addLimit("9 the same, after the last answer",
                       medians.counter(kFindServers, kAfterLastAnswerCounter), 200e-3);
    });
    row([&] {
        table.addLimit("9 the same, the longest frame until the last server is given up on",
                       medians.counter(kFindServers, kFillFrameCounter), 16e-3);
    });
    for (size_t kind = 0; kind < kListChanges; ++kind) {
        const char* change = listChangeName(ListChange(kind));
        row([&] {
            table.addLimit("9 the longest frame as the answered list changes: " +
                               std::string(change),
                           medians.counter(kFindServers, change), 16e-3);
        });
    }
    row([&] {
        table.addMemoryLimit("9 heap for the answered rows, above the open empty window",
                             long(medians.counter(kFindServers, kHeapKiBCounter)), 20 * 1024);
    });
    if (browserAtStart.checked)
        table.addUnwanted("9 the browser's objects made at start-up (window, models, tree view)",
                          browserAtStart.objects);
    return table;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (const auto childStatus = runAsChild(argc, argv))
        return *childStatus;

    // The repetitions of all benchmarks run in random order, so a figure and
    // its floor see the machine alike however its load drifts during the run.
    std::vector<char*> arguments(argv, argv + argc);
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleaving);
    int argumentCount = int(arguments.size());
    benchmark::Initialize(&argumentCount, arguments.data());
    QApplication application(argumentCount, arguments.data());
    try {
        const BenchFolders folders;
        LibrariesAtWindow libraries;
        BrowserAtStart browserAtStart;
        registerLauncherBenchmarks(folders, libraries, browserAtStart);
        MedianCollector medians;
        benchmark::RunSpecifiedBenchmarks(&medians);

        std::printf("Vortline %d.%d.%d, Release build, medians; Qt %s on the %s platform\n",
                    identity::kVersionMajor, identity::kVersionMinor, identity::kVersionRevision,
                    qVersion(), qPrintable(QGuiApplication::platformName()));
        std::printf("Machine: %s, %d cores, %s, Linux %s\n\n", processorName().c_str(),
                    QThread::idealThreadCount(), qPrintable(QSysInfo::prettyProductName()),
                    qPrintable(QSysInfo::kernelVersion()));
        return tabulate(medians, libraries, browserAtStart).print() ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vortline_bench: %s\n", error.what());
        return 2;
    }
}
