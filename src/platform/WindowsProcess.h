#pragma once

#include <string>

// Starting programs as CreateProcessW does it, with nothing but standard C++
// types at its edge, so it builds and is tested without Qt.
namespace platform::windows {

// Starts a whole command line as a separate process in the caller's working
// directory, not waited for. `showCommand` is the window's show command (1
// normal, 2 minimized, 3 maximized). Windows finds the program in the line
// itself, so an unquoted path with spaces is searched word by word. False when
// nothing could be started.
bool startCommandLine(const std::wstring& commandLine, int showCommand);

// The command line that starts exactly `program`, whatever spaces its path
// holds, and hands it `arguments` as they stand.
std::wstring programCommandLine(const std::wstring& program, const std::wstring& arguments);

} // namespace platform::windows
