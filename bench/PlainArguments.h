#pragma once

#include <string>

namespace app {
struct LaunchOptions;
}

// The game's argument string built with std::string appends from option
// values already in UTF-8: the floor of building it from the window's.
struct PlainOptions {
    std::string playerName;
    bool cheats = false;
    bool dedicated = false;
    bool connect = false;
    std::string server;
    std::string model;   // "Select Skin" when none is chosen
    std::string mapFile; // empty when no map is chosen
    bool advanced = false;
    int fullscreen = 1; // 0 or 1 set it; a grayed box (2) leaves it out
    bool rate22 = false;
};

// The window's option values, turned to UTF-8 before anything is timed.
PlainOptions plainOptions(const app::LaunchOptions& options);

std::string argumentsPlainly(const PlainOptions& options);
