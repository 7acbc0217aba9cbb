#include "StartReport.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::string_view kMarker = "start-report ";

std::string_view nextWord(std::string_view& text)
{
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(begin);
    const std::size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

std::optional<std::int64_t> moment(std::string_view word)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

void reportStartAndExit(const StartReport& report)
{
    std::string line(kMarker);
    line += std::to_string(report.mainAt) + ' ' + std::to_string(report.windowAt);
    for (const std::string& library : report.libraries)
        line += ' ' + library;
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    std::_Exit(0);
}

std::optional<StartReport> findStartReport(std::string_view output)
{
    std::size_t at = 0;
    while (at < output.size() && output.substr(at, kMarker.size()) != kMarker) {
        at = output.find('\n', at);
        at = at == std::string_view::npos ? output.size() : at + 1;
    }
    if (at >= output.size())
        return std::nullopt;
    std::string_view line = output.substr(at + kMarker.size());
    line = line.substr(0, line.find('\n'));

    const auto mainAt = moment(nextWord(line));
    const auto windowAt = moment(nextWord(line));
    if (!mainAt || !windowAt || *windowAt < *mainAt)
        return std::nullopt;
    StartReport report{*mainAt, *windowAt, {}};
    for (std::string_view word = nextWord(line); !word.empty(); word = nextWord(line))
        report.libraries.emplace_back(word);
    return report;
}
