#include "WindowsProcess.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace platform::windows {

unsigned long startCommandLine(const std::wstring& commandLine, int showCommand)
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
                        &startup, &process)) {
        const DWORD error = GetLastError();
        return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ERROR_SUCCESS;
}

std::wstring errorText(unsigned long error, const std::wstring& subject)
{
    wchar_t* buffer = nullptr;
    // Language 0: the user's language, else the system's, else English.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> text(buffer, &LocalFree);
    std::wstring words(length ? text.get() : L"", length);
    while (!words.empty() &&
           (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' '))
        words.pop_back();
    if (words.empty())
        return L"Error " + std::to_wstring(error);
    // Filled here rather than by FormatMessageW, which would read every insert
    // from the arguments, whatever type the text gives it.
    for (auto at = words.find(L"%1"); at != std::wstring::npos;
         at = words.find(L"%1", at + subject.size()))
        words.replace(at, 2, subject);
    return words;
}

std::wstring programCommandLine(const std::wstring& program, const std::wstring& arguments)
{
    // Unquoted, "C:\Program Files\Quake III Arena\quake3.exe" would first be
    // tried as C:\Program.exe and then C:\Program Files\Quake.exe. A Windows
    // path cannot hold a '"', so the quotes need no escaping inside.
    return L'"' + program + L"\" " + arguments;
}

} // namespace platform::windows
