#pragma once

#include <string>

// Starting programs as CreateProcessW does it, with nothing but standard C++
// types at its edge, so it builds and is tested without Qt.
namespace platform::windows {

// Starts a whole command line as a separate process in the caller's working
// directory, not waited for. `showCommand` is the window's show command (1
// normal, 2 minimized, 3 maximized). Windows finds the program in the line
// itself, so an unquoted path with spaces is searched word by word. Returns 0
// (ERROR_SUCCESS) when it started, otherwise the system's error code for why not.
unsigned long startCommandLine(const std::wstring& commandLine, int showCommand);

// The system's own text for an error code, in the user's language, without the
// line break Windows ends it with; the number alone when the system has none.
// Texts that name what failed by "%1" name `subject` there.
std::wstring errorText(unsigned long error, const std::wstring& subject);

// The command line that starts exactly `program`, whatever spaces its path
// holds, and hands it `arguments` as they stand.
std::wstring programCommandLine(const std::wstring& program, const std::wstring& arguments);

} // namespace platform::windows
