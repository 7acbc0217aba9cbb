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
    struct NotRun {};

private:
    std::map<std::string, double> medians_;
    std::map<std::string, std::string> errors_;
};

// The figures against their floors and targets.
class ResultTable {
public:
    // A time at most maxRatio times its floor.
    void addAgainstFloor(const std::string& figure, double seconds, const std::string& floorName,
                         double floorSeconds, double maxRatio);
    // A time against another floor, shown to explain a figure; no target.
    void addComparison(const std::string& figure, double seconds, const std::string& floorName,
                       double floorSeconds);
    // A time at most limitSeconds.
    void addLimit(const std::string& figure, double seconds, double limitSeconds);
    // A peak memory at most maxRatio times the floor program's.
    void addMemory(const std::string& figure, long kib, long floorKib, double maxRatio);
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
    };
    std::vector<Row> rows_;
};
