// The floor the launcher's start-up is measured against: a program of Qt
// Widgets alone that shows a window with the launcher's controls, pictures
// and, with --design-fonts, fonts; with --settings, --maps, --servers or
// --archives it first reads plainly what the launcher reads from that file or
// folder, and shows it in the same controls.
#include "FloorWindow.h"
#include "MonotonicClock.h"
#include "PaintedWindow.h"
#include "PlainListing.h"
#include "PlainServerList.h"
#include "StartReport.h"
#include "UnwantedLibraries.h"
#ifdef VORTLINE_FLOOR_READS_ARCHIVES
#include "PlainArchives.h"
#endif

#include <QApplication>

#include <cstdio>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The names read, or nothing for an option this floor does not know.
std::optional<std::vector<std::string>> readPlainly(std::string_view option, const char* path)
{
    if (option == "--maps")
        return listMapsPlainly(path);
    if (option == "--servers") {
        std::vector<std::string> servers = readLinesPlainly(path);
        sortIgnoringCase(servers);
        return servers;
    }
    if (option == "--settings")
        return readSettingsPlainly(path);
#ifdef VORTLINE_FLOOR_READS_ARCHIVES
    if (option == "--archives")
        return listArchiveMapsPlainly(path);
#endif
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::int64_t mainAt = monotonicNanoseconds();
    int argumentCount = 1;
    QApplication application(argumentCount, argv);

    auto fonts = FloorWindow::Fonts::Application;
    struct Reading {
        std::string_view option;
        const char* path;
        std::future<std::optional<std::vector<std::string>>> names;
    };
    std::vector<Reading> readings;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--design-fonts") {
            fonts = FloorWindow::Fonts::Design;
            continue;
        }
        const char* path = i + 1 < argc ? argv[++i] : "";
        // The launcher lists the archives on another thread while it makes
        // its window, and reads the rest as it goes.
        const auto policy = option == "--archives" ? std::launch::async : std::launch::deferred;
        readings.push_back({option, path, std::async(policy, [option, path] {
                                return readPlainly(option, path);
                            })});
        if (policy == std::launch::deferred)
            readings.back().names.wait();
    }
    FloorWindow window(fonts);
    for (Reading& reading : readings) {
        const auto names = reading.names.get();
        // A wrong path would make a floor of nothing, and every ratio too kind.
        if (!names || names->empty()) {
            std::fprintf(stderr, "%s: nothing read for %s %s\n", argv[0], reading.option.data(),
                         reading.path);
            return 2;
        }
        if (reading.option == "--settings")
            window.showSettings(*names);
        else if (reading.option == "--servers")
            window.showServers(*names);
        else
            window.showMaps(*names);
    }
    showAndWaitForPaint(window);
    const std::int64_t windowAt = monotonicNanoseconds();
    reportStartAndExit({mainAt, windowAt, unwantedLibraries(ownMaps())});
}
