#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Keeps the median of every benchmark, in seconds, by name; prints nothing,
// so the run shows one table at the end.
class MedianCollector : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override;

    // Throws NotRun when a filter left the benchmark out, and
    // std::runtime_error when it failed.
    double seconds(const std::string& name) const;
    // The median of one of its counters.
    double counter(const std::string& name, const std::string& counterName) const;
    struct NotRun {};

private:
    std::map<std::string, double> medians_;
    std::map<std::string, benchmark::UserCounters> counters_;
    std::map<std::string, std::string> errors_;
};

// A start from spawn: until main() began and until the window was painted.
struct StartTime {
    double toMain = 0;
    double toWindow = 0;
};

// The figures against their floors and targets.
class ResultTable {
public:
    // A start's time to its window at most maxRatio times its floor's; both
    // times to main() shown beside, where a library loaded before main()
    // shows at once.
    void addStartAgainstFloor(const std::string& figure, StartTime start,
                              const std::string& floorName, StartTime floor, double maxRatio);
    // The same against another floor, shown to explain a figure; no target.
    void addStartComparison(const std::string& figure, StartTime start,
                            const std::string& floorName, StartTime floor);
    // Libraries that must not be mapped: within target when there are none.
    void addUnwanted(const std::string& figure, const std::vector<std::string>& libraries);
    // A time at most maxRatio times its floor.
    void addAgainstFloor(const std::string& figure, double seconds, const std::string& floorName,
                         double floorSeconds, double maxRatio);
    // A time at most limitSeconds.
    void addLimit(const std::string& figure, double seconds, double limitSeconds);
    // A peak memory at most maxRatio times the floor program's.
    void addMemory(const std::string& figure, long kib, long floorKib, double maxRatio);
    // A memory at most limitKib.
    void addMemoryLimit(const std::string& figure, long kib, long limitKib);
    // How much longer the larger input takes than the smaller one, at most
    // maxGrowth times; `law` says which growth the bound stands for.
    void addGrowth(const std::string& figure, double largerSeconds, double smallerSeconds,
                   double maxGrowth, const std::string& law);

    // Prints the table; true when every figure is within its target.
    bool print() const;

private:
    struct Row {
        std::string figure;
        std::string median;
        std::string floor;
        double ratio;
        std::string target; // empty for a comparison
        bool withinTarget;
        std::string note = {}; // printed on a line of its own below
    };
    std::vector<Row> rows_;
};
