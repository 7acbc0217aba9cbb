#pragma once

#include <QString>

#include <optional>

// Work measured in a fresh process, as the launcher does it when a user
// starts it: fonts, styles, plugins, pictures and memory are all taken for
// the first time, as they are in the real program. The child runs this
// program again.
struct ChildStart {
    double seconds = 0; // the work alone, not the process start around it
    long peakKiB = 0;   // the child's peak resident memory when done
};

enum class ChildTask {
    LauncherWindow,           // from constructing the window until its first paint
    FloorWindow,              // the same for the floor window
    FloorWindowInDesignFonts, // and for the floor window in the launcher's fonts
    ServerListRead,           // reading the server list once
};

// Runs the task in `folder`, its working directory.
ChildStart runInChild(ChildTask task, const QString& folder);

// The child's side, when this program was started for it: returns the exit
// status to end with, or nothing when the arguments are not a child's.
std::optional<int> runAsChild(int argc, char* argv[]);
