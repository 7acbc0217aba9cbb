#pragma once

#include <string>
#include <vector>

// One start of a program as a user meets it: a fresh process, timed from just
// before it is spawned, the loading of its libraries included.
struct ProgramStart {
    double toMain = 0;                          // seconds until its main() began
    double toWindow = 0;                        // seconds until its window was first painted
    long peakKiB = 0;                           // its peak resident memory
    std::vector<std::string> unwantedLibraries; // mapped when the window was
};

// Starts `program` (a file name beside this program) with `arguments` in
// `folder`, its working directory; throws std::runtime_error with the child's
// output when it fails or reports nothing.
ProgramStart startProgram(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder);
