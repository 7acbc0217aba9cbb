#pragma once

#include <QString>

namespace app {

// The option values the game's argument string is built from, read from the
// window's controls at the moment of building.
struct LaunchOptions {
    QString playerName;
    int cheats = 0; // check box values: only 1 counts as set
    int dedicated = 0;
    int connect = 0;
    QString server;
    QString model;
    QString mapFile; // empty when no map is chosen
    int advanced = 0;
    int fullscreen = 1;
    bool rate22 = false; // the "22 Khz" button; otherwise the rate is 44
    // What joining a server taken from the server browser needs; given only
    // while the server box holds that very server.
    QString serverMod;
    QString serverPassword;
};

// The game's console commands for these options, each followed by one blank:
// name, cheats, dedicated, connect, model, map, full screen, sound rate. A
// taken server's mod and password stand right before its connect.
QString buildGameArguments(const LaunchOptions& options);

} // namespace app
