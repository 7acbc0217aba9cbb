#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a start-up child tells the benchmark, on one line of its output: the
// moments its main() began and its window was first painted, on the
// system-wide monotonic clock, and the unwanted libraries it had mapped then.
struct StartReport {
    std::int64_t mainAt = 0;
    std::int64_t windowAt = 0;
    std::vector<std::string> libraries;
};

// Prints the report and ends the child at once: what it would do after its
// first paint is no part of the start.
[[noreturn]] void reportStartAndExit(const StartReport& report);

// The report among whatever else the child wrote; nothing when it has none
// or a garbled one.
std::optional<StartReport> findStartReport(std::string_view output);
