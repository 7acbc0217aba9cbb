#include "ResultTable.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

double toSeconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value * 1e-9;
    case benchmark::kMicrosecond:
        return value * 1e-6;
    case benchmark::kMillisecond:
        return value * 1e-3;
    case benchmark::kSecond:
        return value;
    }
    return value;
}

std::string printed(const char* format, double value, const char* unit)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return std::string(text) + unit;
}

std::string duration(double seconds)
{
    if (seconds < 1e-6)
        return printed("%.0f", seconds * 1e9, " ns");
    if (seconds < 1e-3)
        return printed("%.2f", seconds * 1e6, " µs");
    if (seconds < 1)
        return printed("%.2f", seconds * 1e3, " ms");
    return printed("%.2f", seconds, " s");
}

std::string memory(long kib)
{
    return printed("%.1f", double(kib) / 1024, " MiB");
}

std::string times(double ratio)
{
    return printed("%.2f", ratio, "x");
}

// Pads to a width in characters, counting "µ" and "≤" as one each.
std::string padded(const std::string& text, std::size_t width)
{
    std::size_t characters = 0;
    for (const unsigned char byte : text)
        characters += (byte & 0xc0) != 0x80;
    return text + std::string(width > characters ? width - characters : 0, ' ');
}

} // namespace

void MedianCollector::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        const std::string name = run.run_name.function_name;
        if (run.error_occurred)
            errors_[name] = run.error_message;
        else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            medians_[name] = toSeconds(run.GetAdjustedRealTime(), run.time_unit);
    }
}

double MedianCollector::seconds(const std::string& name) const
{
    if (const auto error = errors_.find(name); error != errors_.end())
        throw std::runtime_error(name + " failed: " + error->second);
    const auto median = medians_.find(name);
    if (median == medians_.end())
        throw NotRun{};
    return median->second;
}

void ResultTable::addAgainstFloor(const std::string& figure, double seconds,
                                  const std::string& floorName, double floorSeconds,
                                  double maxRatio)
{
    const double ratio = seconds / floorSeconds;
    rows_.push_back({figure, duration(seconds), duration(floorSeconds) + " " + floorName, ratio,
                     "≤ " + times(maxRatio), ratio <= maxRatio});
}

void ResultTable::addComparison(const std::string& figure, double seconds,
                                const std::string& floorName, double floorSeconds)
{
    rows_.push_back({figure, duration(seconds), duration(floorSeconds) + " " + floorName,
                     seconds / floorSeconds, "", true});
}

void ResultTable::addLimit(const std::string& figure, double seconds, double limitSeconds)
{
    rows_.push_back({figure, duration(seconds), "", NAN, "≤ " + duration(limitSeconds),
                     seconds <= limitSeconds});
}

void ResultTable::addMemory(const std::string& figure, long kib, long floorKib, double maxRatio)
{
    const double ratio = double(kib) / double(floorKib);
    rows_.push_back({figure, memory(kib), memory(floorKib) + " floor program", ratio,
                     "≤ " + times(maxRatio), ratio <= maxRatio});
}

void ResultTable::addGrowth(const std::string& figure, double largerSeconds, double smallerSeconds,
                            double maxGrowth, const std::string& law)
{
    const double ratio = largerSeconds / smallerSeconds;
    rows_.push_back({figure, duration(largerSeconds), duration(smallerSeconds) + " smaller", ratio,
                     "≤ " + times(maxGrowth) + " " + law, ratio <= maxGrowth});
}

bool ResultTable::print() const
{
    std::size_t figureWidth = 6;
    std::size_t floorWidth = 5;
    for (const Row& row : rows_) {
        figureWidth = std::max(figureWidth, row.figure.size());
        floorWidth = std::max(floorWidth, row.floor.size());
    }
    std::printf("%s  %s  %s  %s  %s  %s\n", padded("figure", figureWidth).c_str(),
                padded("median", 10).c_str(), padded("floor", floorWidth).c_str(),
                padded("ratio", 6).c_str(), padded("target", 22).c_str(), "");
    bool allWithin = true;
    for (const Row& row : rows_) {
        allWithin = allWithin && row.withinTarget;
        std::printf("%s  %s  %s  %s  %s  %s\n", padded(row.figure, figureWidth).c_str(),
                    padded(row.median, 10).c_str(), padded(row.floor, floorWidth).c_str(),
                    padded(std::isnan(row.ratio) ? "" : times(row.ratio), 6).c_str(),
                    padded(row.target, 22).c_str(),
                    row.target.empty() ? ""
                    : row.withinTarget ? "ok"
                                       : "MISSED");
    }
    return allWithin;
}
