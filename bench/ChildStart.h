#pragma once

#include <QString>

#include <optional>

// Work measured once in a fresh process, as start-up does it: in a loop, the
// allocator would reuse the memory the previous run gave back, which
// start-up never can. The child runs this program again.
enum class ChildTask {
    ServerListRead,      // the launcher reading the server list
    PlainServerListRead, // its floor: the file's lines read with the C library
};

// Seconds the task took in `folder`, its working directory; the process
// start around it is not counted.
double runInChild(ChildTask task, const QString& folder);

// The child's side, when this program was started for it: returns the exit
// status to end with, or nothing when the arguments are not a child's.
std::optional<int> runAsChild(int argc, char* argv[]);
