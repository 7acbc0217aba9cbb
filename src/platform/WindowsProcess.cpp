#include "WindowsProcess.h"

#include <windows.h>

#include <vector>

namespace platform::windows {

bool startCommandLine(const std::wstring& commandLine, int showCommand)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process{};

    // CreateProcessW may write into the command line, so it gets its own copy.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');

    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::wstring programCommandLine(const std::wstring& program, const std::wstring& arguments)
{
    // Unquoted, "C:\Program Files\Quake III Arena\quake3.exe" would first be
    // tried as C:\Program.exe and then C:\Program Files\Quake.exe. A Windows
    // path cannot hold a '"', so the quotes need no escaping inside.
    return L'"' + program + L"\" " + arguments;
}

} // namespace platform::windows
