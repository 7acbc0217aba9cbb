#include "WindowsPlatform.h"

#include "WindowsRegistry.h"

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

std::optional<RegistryValue> WindowsPlatform::readRegistryValue(std::uint32_t root,
                                                                const QString& keyName,
                                                                const QString& valueName)
{
    // The ANSI functions take and give the system's 8-bit code page.
    const auto value = windows::queryRegistryValue(root, keyName.toLocal8Bit().toStdString(),
                                                   valueName.toLocal8Bit().toStdString());
    if (!value)
        return std::nullopt;
    return RegistryValue{value->type, QByteArray::fromStdString(value->data)};
}

} // namespace platform
