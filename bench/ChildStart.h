#pragma once

#include <QString>

#include <optional>

// One start of a window in a fresh process, as a user starts the launcher:
// fonts, styles, plugins and pictures are loaded for the first time, as they
// are in the real program. The child runs this program again.
struct ChildStart {
    double seconds = 0; // from constructing the window until its first paint
    long peakKiB = 0;   // the child's peak resident memory at that moment
};

enum class StartedWindow { Launcher, Floor };

// Starts the window in `folder`, its working directory.
ChildStart startInChild(StartedWindow window, const QString& folder);

// The child's side, when this program was started for it: returns the exit
// status to end with, or nothing when the arguments are not a child's.
std::optional<int> runAsChild(int argc, char* argv[]);
