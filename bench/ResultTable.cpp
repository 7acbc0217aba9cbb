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

// The time to the window, and to main() after it.
std::string startTimes(StartTime start)
{
    return duration(start.toWindow) + " (main " + duration(start.toMain) + ")";
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
        else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
            medians_[name] = toSeconds(run.GetAdjustedRealTime(), run.time_unit);
            counters_[name] = run.counters;
        }
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

double MedianCollector::counter(const std::string& name, const std::string& counterName) const
{
    seconds(name);
    const auto counters = counters_.find(name);
    const auto counter = counters->second.find(counterName);
    if (counter == counters->second.end())
        throw std::runtime_error(name + " has no counter " + counterName);
    return counter->second.value;
}

void ResultTable::addStartAgainstFloor(const std::string& figure, StartTime start,
                                       const std::string& floorName, StartTime floor,
                                       double maxRatio)
{
    const double ratio = start.toWindow / floor.toWindow;
    rows_.push_back({figure, startTimes(start), startTimes(floor) + " " + floorName, ratio,
                     "≤ " + times(maxRatio), ratio <= maxRatio});
}

void ResultTable::addStartComparison(const std::string& figure, StartTime start,
                                     const std::string& floorName, StartTime floor)
{
    rows_.push_back({figure, startTimes(start), startTimes(floor) + " " + floorName,
                     start.toWindow / floor.toWindow, "", true});
}

void ResultTable::addUnwanted(const std::string& figure, const std::vector<std::string>& libraries)
{
    std::string names;
    for (const std::string& library : libraries)
        names += (names.empty() ? "" : ", ") + library;
    rows_.push_back(
        {figure, std::to_string(libraries.size()), "", NAN, "none", libraries.empty(), names});
}

void ResultTable::addAgainstFloor(const std::string& figure, double seconds,
                                  const std::string& floorName, double floorSeconds,
                                  double maxRatio)
{
    const double ratio = seconds / floorSeconds;
    rows_.push_back({figure, duration(seconds), duration(floorSeconds) + " " + floorName, ratio,
                     "≤ " + times(maxRatio), ratio <= maxRatio});
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

void ResultTable::addMemoryLimit(const std::string& figure, long kib, long limitKib)
{
    rows_.push_back({figure, memory(kib), "", NAN, "≤ " + memory(limitKib), kib <= limitKib});
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
    std::size_t medianWidth = 10;
    std::size_t floorWidth = 5;
    for (const Row& row : rows_) {
        figureWidth = std::max(figureWidth, row.figure.size());
        medianWidth = std::max(medianWidth, row.median.size());
        floorWidth = std::max(floorWidth, row.floor.size());
    }
    std::printf("%s  %s  %s  %s  %s  %s\n", padded("figure", figureWidth).c_str(),
                padded("median", medianWidth).c_str(), padded("floor", floorWidth).c_str(),
                padded("ratio", 6).c_str(), padded("target", 22).c_str(), "");
    bool allWithin = true;
    for (const Row& row : rows_) {
        allWithin = allWithin && row.withinTarget;
        std::printf("%s  %s  %s  %s  %s  %s\n", padded(row.figure, figureWidth).c_str(),
                    padded(row.median, medianWidth).c_str(), padded(row.floor, floorWidth).c_str(),
                    padded(std::isnan(row.ratio) ? "" : times(row.ratio), 6).c_str(),
                    padded(row.target, 22).c_str(),
                    row.target.empty() ? ""
                    : row.withinTarget ? "ok"
                                       : "MISSED");
        if (!row.note.empty())
            std::printf("    %s\n", row.note.c_str());
    }
    return allWithin;
}
