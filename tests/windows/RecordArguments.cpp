// Stands in for a started program: records which program file ran, the command
// line it was given and the show command it was asked for, so the test can
// compare them with what it passed.
#include <windows.h>

#include <string>

int main()
{
    wchar_t target[MAX_PATH];
    const DWORD targetLength = GetEnvironmentVariableW(L"RECORD_ARGUMENTS_TO", target, MAX_PATH);
    if (targetLength == 0 || targetLength >= MAX_PATH)
        return 2;
    wchar_t module[MAX_PATH];
    const DWORD moduleLength = GetModuleFileNameW(nullptr, module, MAX_PATH);
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    // NUL separates the fields, as no path or command line can hold one.
    std::wstring record(module, moduleLength);
    record += L'\0';
    record += GetCommandLineW();
    record += L'\0';
    record += std::to_wstring(show);

    // Written aside and renamed, so the waiting test never reads half a record.
    const std::wstring part = std::wstring(target) + L".part";
    const HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(record.size() * sizeof(wchar_t));
    const bool complete =
        WriteFile(file, record.data(), size, &written, nullptr) && written == size;
    CloseHandle(file);
    if (!complete || !MoveFileExW(part.c_str(), target, MOVEFILE_REPLACE_EXISTING))
        return 4;
    return 0;
}
