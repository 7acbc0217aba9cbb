#include "WindowsPlatform.h"

#include <qt_windows.h>

#include <vector>

namespace platform {

bool WindowsPlatform::runCommandLine(const QString& commandLine, WindowStyle style)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(style);
    PROCESS_INFORMATION process{};

    // CreateProcessW may write into the command line, so it gets its own copy.
    std::vector<wchar_t> buffer(static_cast<size_t>(commandLine.size()) + 1, L'\0');
    commandLine.toWCharArray(buffer.data());

    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool WindowsPlatform::runProgram(const QString& program, const QString& arguments,
                                 WindowStyle style)
{
    return runCommandLine(program + QLatin1Char(' ') + arguments, style);
}

} // namespace platform
